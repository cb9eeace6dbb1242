// File access on Windows.
// clang-format off
#include <windows.h>
// clang-format on

#include <cwctype>
#include <random>
#include <string_view>
#include <system_error>
#include <utility>

#include "image/atomic_file.h"

namespace vornik {

namespace {

namespace fs = std::filesystem;

std::string quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

std::string failure(std::string_view what, const fs::path& path, DWORD code) {
    return std::string(what) + " " + quoted(path) + ": " +
           std::system_category().message(static_cast<int>(code));
}

class Handle {
  public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    void close() { reset(INVALID_HANDLE_VALUE); }
    void reset(HANDLE handle) {
        if (valid()) CloseHandle(m_handle);
        m_handle = handle;
    }

  private:
    HANDLE m_handle;
};

// Anything CreateFile opens that is not a file on a disk: consoles, pipes, devices.
bool isDiskFile(HANDLE handle) { return GetFileType(handle) == FILE_TYPE_DISK; }

}  // namespace

bool writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes,
                         std::string& error) {
    std::error_code ec;
    fs::path target = path;
    // A file that does not exist yet is no link; only a link's resolution may fail here.
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        target = fs::weakly_canonical(path, ec);
        if (ec) {
            error = failure("cannot follow the link", path, static_cast<DWORD>(ec.value()));
            return false;
        }
    }
    const auto status = fs::status(target, ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        error = "cannot write " + quoted(path) + ": it is not a regular file; it is left as it is";
        return false;
    }
    static std::mt19937_64 generator{std::random_device{}()};
    Handle file;
    fs::path temporary;
    for (int attempt = 0; attempt < 100 && !file.valid(); ++attempt) {
        temporary = target;
        temporary += L".tmp" + std::to_wstring(generator() % 1000000);
        // CREATE_NEW fails on any existing name, a planted link included.
        file.reset(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid() && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (!file.valid()) {
        error = failure("cannot create", path, GetLastError());
        return false;
    }
    auto abandon = [&](std::string_view what) {
        const DWORD code = GetLastError();
        file.close();
        DeleteFileW(temporary.c_str());
        error = failure(what, path, code);
        return false;
    };
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        if (!WriteFile(file.get(), bytes.data(), chunk, &written, nullptr) || written == 0)
            return abandon("cannot write");
        bytes = bytes.subspan(written);
    }
    if (!FlushFileBuffers(file.get())) return abandon("cannot write");
    file.close();
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return abandon("cannot replace");
    return true;
}

std::optional<std::vector<std::uint8_t>> readFilePrefix(const fs::path& path, std::size_t maxBytes,
                                                        std::string& error,
                                                        std::uintmax_t* totalSize) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        error = "cannot read " + quoted(path) + ": it is a directory, not a regular file";
        return std::nullopt;
    }
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        error = failure("cannot open", path, GetLastError());
        return std::nullopt;
    }
    if (!isDiskFile(file.get())) {
        error = "cannot read " + quoted(path) + ": it is not a regular file";
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(maxBytes);
    std::size_t got = 0;
    while (got < maxBytes) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(maxBytes - got, 1u << 20));
        if (!ReadFile(file.get(), bytes.data() + got, want, &n, nullptr)) {
            error = failure("cannot read", path, GetLastError());
            return std::nullopt;
        }
        if (n == 0) break;
        got += n;
    }
    bytes.resize(got);
    if (totalSize) {
        LARGE_INTEGER size{};
        *totalSize =
            GetFileSizeEx(file.get(), &size) ? static_cast<std::uintmax_t>(size.QuadPart) : got;
    }
    return bytes;
}

ExclusiveFileLock::~ExclusiveFileLock() { unlock(); }

// A named mutex stands for the lock: it does not hold the file open, so the file can still be
// replaced by renames, and it is released when the process ends.
ExclusiveFileLock::Result ExclusiveFileLock::tryLock(const fs::path& path, std::string& error) {
    unlock();
    // Mutex names may not contain backslashes; a hash of the case-folded path stands for it.
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : path.wstring()) {
        hash ^= static_cast<std::uint64_t>(std::towlower(static_cast<wint_t>(c)));
        hash *= 1099511628211ull;
    }
    const std::wstring name = L"Local\\vornik-lock-" + std::to_wstring(hash);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    if (!mutex) {
        error = failure("cannot lock", path, GetLastError());
        return Result::Failed;
    }
    const DWORD wait = WaitForSingleObject(mutex, 0);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
        m_handle = reinterpret_cast<std::intptr_t>(mutex);
        return Result::Taken;
    }
    CloseHandle(mutex);
    if (wait == WAIT_TIMEOUT) return Result::HeldElsewhere;
    error = failure("cannot lock", path, GetLastError());
    return Result::Failed;
}

void ExclusiveFileLock::unlock() {
    if (m_handle == kNone) return;
    HANDLE mutex = reinterpret_cast<HANDLE>(std::exchange(m_handle, kNone));
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

}  // namespace vornik
