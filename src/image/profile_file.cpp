#include "image/profile_file.h"

#include <algorithm>

#include "image/atomic_file.h"

namespace vornik {

std::filesystem::path ProfileSavePath(const std::filesystem::path& directory,
                                      const std::string& fileName) {
    return directory / (fileName + ".bin");
}

bool SaveProfileFile(const std::filesystem::path& path, const ConfigImage& image,
                     std::string& error) {
    return writeFileAtomically(path, image, error);
}

bool LoadProfileFile(const std::filesystem::path& path, ConfigImage& image, std::string& error,
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
