#include "platform/system_folders.h"

#include <cstdlib>

#include "model/macro_library_file.h"

namespace vornik {

EnvironmentLookup systemEnvironment() {
    return [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (!value) return std::nullopt;
        return std::string(value);
    };
}

FolderConvention systemFolderConvention() {
#ifdef _WIN32
    return FolderConvention::Windows;
#else
    return FolderConvention::Xdg;
#endif
}

std::filesystem::path systemMacroLibraryPath(const std::string& pathOption,
                                             const std::string& programDir) {
    return macroLibraryPath({pathOption, programDir, systemEnvironment(), systemFolderConvention()},
                            folderIsWritable);
}

std::optional<std::filesystem::path> systemSnapshotFolder() {
    const auto state = userStateFolder(systemEnvironment(), systemFolderConvention());
    if (!state) return std::nullopt;
    return std::filesystem::path(*state) / "snapshots";
}

}  // namespace vornik
