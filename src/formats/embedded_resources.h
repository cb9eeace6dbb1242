#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vornik {

// The bytes of a resource compiled into the program: "ORG" (the option file), "ORG1" to "ORG3"
// (the layout files) and "LANG1" to "LANG3" (the language files). Names are matched without regard
// to case; an unknown name gives an empty span.
std::span<const std::uint8_t> embeddedResource(std::string_view name);

}  // namespace vornik
