#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "version/version.h"

namespace vornik {

// --help and --version of the window programs, answered before Qt starts so that neither needs a
// display. The exit code when one of them was given; other arguments are left to Qt.
// `description` is the help's paragraph, `options` the program's own option lines, if any.
inline std::optional<int> answerInfoOption(int argc, char** argv, const char* program,
                                           const char* description, const char* options = "") {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::printf(
                "usage: %s [options]\n\n%s\nOptions:\n%s"
                "  -h, --help  show this text\n"
                "  --version   show the version\n\n"
                "Qt's own options, such as -platform NAME, are passed on to Qt.\n",
                program, description, options);
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
