#include <unistd.h>

#include "platform/system_folders.h"

namespace vornik {

bool folderIsWritable(const std::filesystem::path& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace vornik
