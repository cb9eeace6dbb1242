#include "image/profile_file.h"

#include <algorithm>
#include <string_view>

#include "image/atomic_file.h"

namespace vornik {

std::filesystem::path savePathForChosenName(const std::filesystem::path& directory,
                                            const std::string& fileName) {
    constexpr std::string_view kExtension = ".bin";
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const bool hasExtension =
        fileName.size() >= kExtension.size() &&
        std::equal(kExtension.begin(), kExtension.end(), fileName.end() - kExtension.size(),
                   [&](char wanted, char given) { return wanted == lower(given); });
    return directory / (hasExtension ? fileName : fileName + std::string(kExtension));
}

std::filesystem::path profileSavePath(const std::filesystem::path& directory,
                                      const std::string& fileName) {
    return savePathForChosenName(directory, fileName);
}

bool saveProfileFile(const std::filesystem::path& path, const ConfigImage& image,
                     std::string& error) {
    return writeFileAtomically(path, image, error);
}

bool loadProfileFile(const std::filesystem::path& path, ConfigImage& image, std::string& error,
                     std::uintmax_t* fileSize) {
    auto bytes = readFilePrefix(path, kImageSize, error, fileSize);
    if (!bytes) return false;
    // An empty file is a failed save or copy, never a configuration.
    if (bytes->empty()) {
        error = "\"" + path.string() + "\" is empty";
        return false;
    }
    std::copy(bytes->begin(), bytes->end(), image.begin());
    return true;
}

}  // namespace vornik
