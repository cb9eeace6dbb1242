#include "model/macro_library_file.h"

#include <system_error>

#include "image/atomic_file.h"

namespace vornik {

namespace fs = std::filesystem;

namespace {

// The folder a prefix names: everything up to its last separator ("." for none).
fs::path prefixFolder(const std::string& prefix, FolderConvention convention) {
    const char* separators = convention == FolderConvention::Windows ? "/\\" : "/";
    const auto end = prefix.find_last_of(separators);
    if (end == std::string::npos) return ".";
    return prefix.substr(0, end + 1);
}

std::string quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

}  // namespace

fs::path macroLibraryPath(const LibraryFolderChoice& choice,
                          const std::function<bool(const fs::path& folder)>& folderWritable) {
    const std::string prefix = choice.pathOption.empty() ? choice.programDir : choice.pathOption;
    if (folderWritable(prefixFolder(prefix, choice.convention)))
        return prefix + kMacroLibraryFileName;
    if (const auto data = userDataFolder(choice.environment, choice.convention))
        return *data + kMacroLibraryFileName;
    return prefix + kMacroLibraryFileName;
}

MacroLibraryFile::MacroLibraryFile(fs::path path) : m_path(std::move(path)) {}

LibraryFileState MacroLibraryFile::open(std::string& error) {
    m_library = MacroLibrary::defaultLibrary();
    m_saved.reset();
    m_keptAsFound = false;
    m_unreadable = false;
    std::error_code ec;
    if (fs::symlink_status(m_path, ec).type() == fs::file_type::not_found) {
        if (!save(error)) return LibraryFileState::NotCreated;
        return LibraryFileState::Created;
    }
    std::uintmax_t size = 0;
    const auto bytes = readFilePrefix(m_path, kLibraryFileSize, error, &size);
    if (!bytes) {
        // Whatever is there is the user's; it is never replaced by a library it did not give.
        m_unreadable = true;
        return LibraryFileState::Unreadable;
    }
    m_library = MacroLibrary::fromBytes(*bytes);
    m_saved = m_library.bytes();
    m_keptAsFound = size != kLibraryFileSize || *m_saved != *bytes;
    return size == kLibraryFileSize ? LibraryFileState::Loaded : LibraryFileState::LoadedOtherSize;
}

bool MacroLibraryFile::save(std::string& error) {
    if (m_unreadable) {
        error = quoted(m_path) + " was not replaced: it could not be read when the program started";
        return false;
    }
    std::vector<std::uint8_t> bytes = m_library.bytes();
    if (m_saved && *m_saved == bytes) return true;
    std::error_code ec;
    const fs::path folder = m_path.parent_path();
    if (!folder.empty() && !fs::exists(folder, ec) && !fs::create_directories(folder, ec)) {
        error = "cannot create the folder " + quoted(folder) + ": " + ec.message();
        return false;
    }
    if (!writeFileAtomically(m_path, bytes, error)) return false;
    m_saved = std::move(bytes);
    m_keptAsFound = false;
    return true;
}

LibraryResult importOneFile(MacroLibrary& library, const fs::path& file, std::string& error,
                            std::size_t* index) {
    const auto bytes = readFilePrefix(file, kLibraryRecordSize, error);
    if (!bytes) return LibraryResult::FileError;
    return library.importOne(*bytes, index);
}

LibraryResult importAllFile(MacroLibrary& library, const fs::path& file, std::string& error) {
    const auto bytes = readFilePrefix(file, kLibraryFileSize, error);
    if (!bytes) return LibraryResult::FileError;
    if (!library.importAll(*bytes)) {
        error = quoted(file) + " holds no whole macro record";
        return LibraryResult::NotAMacro;
    }
    return LibraryResult::Ok;
}

bool exportOneFile(const MacroLibrary& library, std::size_t index, const fs::path& file,
                   std::string& error) {
    const auto record = library.exportOne(index);
    if (!record) {
        error = "no macro entry " + std::to_string(index) + " to export";
        return false;
    }
    return writeFileAtomically(file, *record, error);
}

bool exportAllFile(const MacroLibrary& library, const fs::path& file, std::string& error) {
    return writeFileAtomically(file, library.bytes(), error);
}

}  // namespace vornik
