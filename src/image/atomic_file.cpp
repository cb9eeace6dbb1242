#include "image/atomic_file.h"

#include <fstream>
#include <random>
#include <system_error>

namespace vornik {

namespace {

std::filesystem::path temporaryBeside(const std::filesystem::path& path) {
    static std::mt19937_64 generator{std::random_device{}()};
    auto name = path.filename().string() + ".tmp" + std::to_string(generator() % 1000000);
    return path.parent_path() / name;
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string& error) {
    const auto temporary = temporaryBeside(path);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "cannot create \"" + path.string() + "\"";
            return false;
        }
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            error = "cannot write \"" + path.string() + "\"";
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        error = "cannot replace \"" + path.string() + "\": " + ec.message();
        return false;
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> readFilePrefix(const std::filesystem::path& path,
                                                        std::size_t maxBytes, std::string& error,
                                                        std::uintmax_t* totalSize) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = "cannot read \"" + path.string() + "\": it is a directory";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open \"" + path.string() + "\"";
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(maxBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(maxBytes));
    if (in.bad()) {
        error = "cannot read \"" + path.string() + "\"";
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (totalSize) {
        auto size = std::filesystem::file_size(path, ec);
        *totalSize = ec ? bytes.size() : size;
    }
    return bytes;
}

}  // namespace vornik
