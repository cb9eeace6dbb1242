#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornik::test {

using Bytes = std::vector<std::uint8_t>;

// "00 05 82" -> {0x00, 0x05, 0x82}; blanks are optional.
inline Bytes hexBytes(std::string_view text) {
    Bytes out;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        out.push_back(
            static_cast<std::uint8_t>(std::stoi(std::string(text.substr(i, 2)), nullptr, 16)));
        i += 2;
    }
    return out;
}

// `bytes` followed by zeros up to `size`.
inline Bytes padded(Bytes bytes, std::size_t size) {
    bytes.resize(size, 0);
    return bytes;
}

}  // namespace vornik::test
