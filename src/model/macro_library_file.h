#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/macro_library.h"
#include "model/user_folders.h"

namespace vornik {

inline constexpr const char* kMacroLibraryFileName = "Macro.bin";

// What decides where the library file lives.
struct LibraryFolderChoice {
    std::string pathOption;  // the option file's Path, used as a prefix (ends with a separator)
    std::string programDir;  // the program's folder, with its trailing separator
    EnvironmentLookup environment;
    FolderConvention convention = FolderConvention::Xdg;
};

// The library file: "Macro.bin" after the option's Path when it is not empty, else after the
// program's folder; when the folder that prefix names is not writable (an installed program),
// "Macro.bin" in the user's data folder instead, which saving creates. When the environment
// names no data folder, the first choice stands and saving reports why it fails.
std::filesystem::path macroLibraryPath(
    const LibraryFolderChoice& choice,
    const std::function<bool(const std::filesystem::path& folder)>& folderWritable);

enum class LibraryFileState : std::uint8_t {
    Loaded,           // a file of 25600 bytes
    LoadedOtherSize,  // a file of another size, read as far as it holds whole records
    Created,          // no file: the default library, written to a new file
    NotCreated,       // no file, and creating one failed; the next save tries again
    Unreadable,       // a file that cannot be read: the default library is used meanwhile
};

// The library and the file it lives in. Every save is atomic, so the file holds either the
// library before a change or after it, never part of one.
class MacroLibraryFile {
  public:
    explicit MacroLibraryFile(std::filesystem::path path);

    // Start-up: reads the file, or, when there is none, takes the default library and creates
    // the file from it. `error` names the file for NotCreated and Unreadable.
    LibraryFileState open(std::string& error);

    MacroLibrary& library() { return m_library; }
    const MacroLibrary& library() const { return m_library; }
    const std::filesystem::path& path() const { return m_path; }

    // Called after every change of the library: writes the 100 records when the library
    // differs from what was last read or written, so a file found with another size or with
    // a gap stays as it is until the user changes the library. A file that could not be read
    // at start is never replaced (false). False with `error` naming the file when writing
    // fails; the file then still holds what it held.
    bool save(std::string& error);

    // True while the file found at start, of another size or with a free entry before a used
    // one, has not been replaced.
    bool keepsFileAsFound() const { return m_keptAsFound; }

  private:
    std::filesystem::path m_path;
    MacroLibrary m_library;
    std::optional<std::vector<std::uint8_t>> m_saved;  // the library as the file holds it
    bool m_keptAsFound = false;
    bool m_unreadable = false;
};

// Import One from a file: its first 256 bytes (LibraryResult of importOne, FileError when the
// file cannot be read). `index` receives the new entry.
LibraryResult importOneFile(MacroLibrary& library, const std::filesystem::path& file,
                            std::string& error, std::size_t* index = nullptr);
// Import All from a file: Ok, FileError, or NotAMacro when it holds no whole record.
LibraryResult importAllFile(MacroLibrary& library, const std::filesystem::path& file,
                            std::string& error);
// Export One (256 bytes) and Export All (25600 bytes), written atomically to a path a save
// dialog chose (savePathForChosenName). False with `error` naming the file or the entry.
bool exportOneFile(const MacroLibrary& library, std::size_t index,
                   const std::filesystem::path& file, std::string& error);
bool exportAllFile(const MacroLibrary& library, const std::filesystem::path& file,
                   std::string& error);

}  // namespace vornik
