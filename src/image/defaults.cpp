#include "image/defaults.h"

#include <algorithm>
#include <system_error>

#include "image/builtin_image_data.h"
#include "image/memory_map.h"
#include "image/profile_file.h"

namespace vornik {

namespace {

template <std::size_t N>
constexpr std::array<std::uint8_t, N> withCode(std::array<std::uint8_t, N> s) {
    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < N; ++i) sum += s[i];
    s[N - 1] = static_cast<std::uint8_t>((sum & 0xFF) ^ 0x5A);
    return s;
}

constexpr std::array<std::uint8_t, 48> kParameterA =
    withCode<48>({0xFF, 0xFE, 0x04, 0x00, 0xFF, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06,
                  0x07, 0x01, 0x04, 0x03, 0x00, 0x02, 0x05, 0x06, 0xFF, 0x00, 0x00, 0x00,
                  0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00, 0x00,
                  0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x79});

constexpr std::array<std::uint8_t, 11> kFireKey =
    withCode<11>({0x0A, 0xFD, 0x02, 0xA1, 0xFE, 0x03, 0x21, 0xFE, 0x64, 0xFC, 0x70});

// The repair assignment, the same in both profiles.
constexpr std::array<std::array<std::uint8_t, 3>, 9> kRepairButtons{{{0x01, 0x01, 0x00},
                                                                     {0x01, 0x04, 0x00},
                                                                     {0x01, 0x02, 0x00},
                                                                     {0x01, 0x08, 0x00},
                                                                     {0x01, 0x10, 0x00},
                                                                     {0x05, 0x00, 0x00},
                                                                     {0x0F, 0x00, 0x00},
                                                                     {0x02, 0x08, 0x07},
                                                                     {0x09, 0x00, 0x00}}};

constexpr std::array<std::uint8_t, 55> makeProfileDefaults() {
    std::array<std::uint8_t, 55> s{};
    for (auto& b : s) b = 0xFF;
    for (std::size_t profile = 0; profile < 2; ++profile)
        for (std::size_t k = 0; k < 9; ++k)
            for (std::size_t i = 0; i < 3; ++i) s[27 * profile + 3 * k + i] = kRepairButtons[k][i];
    return withCode(s);
}

constexpr std::array<std::uint8_t, 55> kProfile = makeProfileDefaults();

}  // namespace

const ConfigImage& builtInImage() {
    static const ConfigImage kImage = [] {
        ConfigImage b{};
        static_assert(sizeof kBuiltInImageData == kImageSize);
        std::copy(std::begin(kBuiltInImageData), std::end(kBuiltInImageData), b.begin());
        return b;
    }();
    return kImage;
}

const std::array<std::uint8_t, section::kParameterA.size>& parameterADefaults() {
    return kParameterA;
}
const std::array<std::uint8_t, section::kProfile.size>& profileDefaults() { return kProfile; }
const std::array<std::uint8_t, section::kFireKey.size>& fireKeyDefaults() { return kFireKey; }

std::pair<std::uint8_t, std::uint8_t> expectedIdPair(const ConfigImage& defaultImage) {
    return {defaultImage[0x35], defaultImage[0x36]};
}

std::string macroLibraryPrefix(const std::string& pathOption, const std::string& programDir) {
    return pathOption.empty() ? programDir : pathOption;
}

bool loadDefaultImage(const std::string& prefix, const std::string& fileName, ConfigImage& image,
                      std::string& error, bool* fromFile) {
    if (fromFile) *fromFile = false;
    const std::filesystem::path path = prefix + fileName;
    std::error_code ec;
    // Only a name with nothing behind it falls back; a dangling link or an unreadable file is
    // something the user put there and must hear about.
    const auto status = std::filesystem::symlink_status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        image = builtInImage();
        return true;
    }
    if (!loadProfileFile(path, image, error)) return false;
    if (fromFile) *fromFile = true;
    return true;
}

}  // namespace vornik
