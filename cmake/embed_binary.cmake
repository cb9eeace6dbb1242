# Turns a binary file into a C++ header holding its bytes: cmake -DINPUT=… -DOUTPUT=… -DNAME=… -P
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${INPUT}; do not edit.\n#pragma once\n\n#include <cstdint>\n\n"
    "inline constexpr std::uint8_t ${NAME}[${size}] = {\n${bytes}};\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
