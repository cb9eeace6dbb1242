#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vornik {

// Writes `bytes` to a temporary file beside `path`, then renames it over `path`, so that a
// crash or a full disk leaves the previous file intact. On failure `error` names the file.
bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string& error);

// Reads at most `maxBytes` from the start of a file; nullopt with `error` naming the file when
// it cannot be read. `totalSize` (when given) receives the file's full size.
std::optional<std::vector<std::uint8_t>> readFilePrefix(const std::filesystem::path& path,
                                                        std::size_t maxBytes, std::string& error,
                                                        std::uintmax_t* totalSize = nullptr);

}  // namespace vornik
