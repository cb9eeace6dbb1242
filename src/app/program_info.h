#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "version/version.h"

namespace vornik {

// --help and --version of the window programs, answered before Qt starts so that neither needs a
// display. The exit code when one of them was given; other arguments are left to Qt.
inline std::optional<int> answerInfoOption(int argc, char** argv, const char* program,
                                           const char* usage) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(usage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("%s %s\n", program, kVersion);
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace vornik
