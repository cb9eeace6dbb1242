#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>

#include "image/memory_map.h"

namespace vornik {

// The built-in configuration image "TamselData_Cfg1", used when there is no mouse to show and
// as the fallback of every default restore.
const ConfigImage& builtInImage();

// The repair contents of the three sections that carry an integrity code.
const std::array<std::uint8_t, section::kParameterA.size>& parameterADefaults();
const std::array<std::uint8_t, section::kProfile.size>& profileDefaults();
const std::array<std::uint8_t, section::kFireKey.size>& fireKeyDefaults();

// The identification pair a mouse must carry, taken from a default image at 0x35 and 0x36.
std::pair<std::uint8_t, std::uint8_t> expectedIdPair(const ConfigImage& defaultImage);

// The default image files beside the macro library.
inline constexpr std::array<const char*, 3> kDefaultImageFiles{
    "TamselData_Cfg1.bin", "TamselData_Cfg2.bin", "TamselData_Cfg3.bin"};

// The macro library directory: the option file's Path used unchanged as a prefix, or the
// program directory (with its trailing separator) when Path is empty.
std::string macroLibraryPrefix(const std::string& pathOption, const std::string& programDir);

// Loads default image `fileName` from `prefix` into `image`: the first 2048 bytes of the file
// when there is one (a shorter file keeps the rest of `image`), the built-in image when there is
// nothing of that name. False with `error` naming the file when something is there but cannot
// be read as an image (not a regular file, unreadable, empty); `image` is then unchanged.
bool loadDefaultImage(const std::string& prefix, const std::string& fileName, ConfigImage& image,
                      std::string& error, bool* fromFile = nullptr);

}  // namespace vornik
