#include <windows.h>

#include <string>

#include "platform/system_folders.h"

namespace vornik {

bool folderIsWritable(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) return false;
    // Access control lists and UAC decide on Windows; the only sure answer is to try.
    const std::wstring probe =
        (folder / (L".vornik-write-probe-" + std::to_wstring(GetCurrentProcessId()) + L".tmp"))
            .wstring();
    const HANDLE file = CreateFileW(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace vornik
