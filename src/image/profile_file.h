#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "image/memory_map.h"

namespace vornik {

// The file a save dialog's choice names: the chosen name in the chosen folder, with ".bin"
// appended unless the name already ends in ".bin" (in any case). Every save of the program
// (profiles, macro library exports) names its file this way.
std::filesystem::path savePathForChosenName(const std::filesystem::path& directory,
                                            const std::string& fileName);

// The file a profile save writes (savePathForChosenName).
std::filesystem::path profileSavePath(const std::filesystem::path& directory,
                                      const std::string& fileName);

// Writes the 2048-byte image atomically; false with `error` naming the file.
bool saveProfileFile(const std::filesystem::path& path, const ConfigImage& image,
                     std::string& error);

// Reads the first 2048 bytes of a file into `image`; a shorter file leaves the rest as it was,
// extra bytes are ignored. False with `error` naming the file when it cannot be read or is
// empty; `image` is then unchanged.
// `fileSize` (when given) receives the file's size.
bool loadProfileFile(const std::filesystem::path& path, ConfigImage& image, std::string& error,
                     std::uintmax_t* fileSize = nullptr);

}  // namespace vornik
