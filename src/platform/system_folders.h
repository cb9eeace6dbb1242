#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "model/user_folders.h"

namespace vornik {

// The process environment (getenv).
EnvironmentLookup systemEnvironment();
// The folder conventions of the system this program was built for.
FolderConvention systemFolderConvention();

// True when a file can be created in `folder`: access(W_OK) on POSIX; on Windows a temporary
// file is created there and deleted (access rights alone do not tell, e.g. "Program Files").
bool folderIsWritable(const std::filesystem::path& folder);

// The macro library file of this user on this system (macroLibraryPath with the real checks).
std::filesystem::path systemMacroLibraryPath(const std::string& pathOption,
                                             const std::string& programDir);

// The snapshot folder: "snapshots" in the user's state folder; nullopt when the environment
// names none.
std::optional<std::filesystem::path> systemSnapshotFolder();

}  // namespace vornik
