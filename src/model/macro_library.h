#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/macro_content.h"
#include "model/macro_slots.h"

namespace vornik {

// The PC macro library of the configuration-memory mode: 100 entries of a name and a 224-byte
// content, kept in "Macro.bin" as 100 records of 256 bytes (name, then content), record i at
// offset i * 256.
inline constexpr std::size_t kLibraryEntryCount = 100;
inline constexpr std::size_t kLibraryRecordSize = kMacroNameSize + kMacroContentSize;
inline constexpr std::size_t kLibraryFileSize = kLibraryEntryCount * kLibraryRecordSize;
// Import One needs fewer listed entries than this.
inline constexpr std::size_t kImportOneLimit = 99;

using LibraryRecord = std::array<std::uint8_t, kLibraryRecordSize>;

struct LibraryEntry {
    MacroName name{};
    MacroContent content{};

    // An entry whose first name unit is zero is free.
    bool used() const { return name[0] != 0 || name[1] != 0; }
    bool operator==(const LibraryEntry&) const = default;
};

enum class LibraryResult : std::uint8_t {
    Ok,
    Duplicate,  // an entry has the same 32 name bytes: "This macro already exists" (Str106)
    Full,       // 100 entries (add), 99 or more (Import One)
    NoEntry,    // the index names no used entry
    EmptyName,  // a name whose first unit is zero would make a free entry
    NotAMacro,  // an Import One file shorter than a name, or with an empty name
    FileError,  // a file could not be read or written (the error text names it)
};

// The used entries always lie together at the front: entry i is used exactly when
// i < count(), so a list position is an entry index.
class MacroLibrary {
  public:
    MacroLibrary() = default;

    // The embedded default library "PCMacroData": its first 25600 bytes read as records.
    static MacroLibrary defaultLibrary();

    // A library read from the records at the front of `bytes`, record i into entry i. Only
    // whole records are read: a partial record at the end is not an entry (half a name or a
    // cut content is no macro), and records the bytes do not hold, or past the 100th, leave
    // their entries free. The used entries are then moved to the front in their order, so a
    // file with a free entry before a used one lists its used entries without the gap.
    // `records` receives the number of whole records read.
    static MacroLibrary fromBytes(std::span<const std::uint8_t> bytes,
                                  std::size_t* records = nullptr);

    // The 25600 bytes of the library file (also Export All).
    std::vector<std::uint8_t> bytes() const;

    std::size_t count() const;
    bool full() const { return count() >= kLibraryEntryCount; }
    bool canImportOne() const { return count() < kImportOneLimit; }
    const LibraryEntry& entry(std::size_t index) const { return m_entries.at(index); }
    // The listed names, entry 0 first, as UTF-8.
    std::vector<std::string> names() const;
    // The used entry whose 32 name bytes equal `name`.
    std::optional<std::size_t> find(const MacroName& name) const;

    // A new entry after the used ones, named, with an all-zero content; `index` receives it.
    LibraryResult add(const MacroName& name, std::size_t* index = nullptr);
    // Renaming an entry to its own name is a duplicate too.
    LibraryResult rename(std::size_t index, const MacroName& name);
    // Entries after `index` move up by one; entry 99 becomes all zero.
    LibraryResult remove(std::size_t index);
    // A recorded or edited macro.
    LibraryResult setContent(std::size_t index, const MacroContent& content);
    // The release option, byte 0 of the content (no check byte covers it).
    LibraryResult setReleaseStops(std::size_t index, bool stops);

    // A single exported entry: its first 32 bytes are the name, the next 224 the content (a
    // shorter file gives the content as far as it goes, zeros after). Added after the used
    // entries; `index` receives it.
    LibraryResult importOne(std::span<const std::uint8_t> file, std::size_t* index = nullptr);
    // An exported library replaces the whole library (fromBytes), so that no entry of the old
    // library is left beside the imported ones. Nothing changes and false is returned when
    // `file` holds no whole record.
    bool importAll(std::span<const std::uint8_t> file);

    // The 256 bytes of Export One; nullopt for an index that names no used entry.
    std::optional<LibraryRecord> exportOne(std::size_t index) const;

    bool operator==(const MacroLibrary&) const = default;

  private:
    bool usedIndex(std::size_t index) const { return index < count(); }

    std::array<LibraryEntry, kLibraryEntryCount> m_entries{};
};

}  // namespace vornik
