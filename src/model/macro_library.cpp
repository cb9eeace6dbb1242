#include "model/macro_library.h"

#include <algorithm>

#include "model/pc_macro_data_resource.h"

namespace vornik {

namespace {

LibraryEntry entryFromRecord(std::span<const std::uint8_t> record) {
    LibraryEntry entry;
    std::copy_n(record.begin(), kMacroNameSize, entry.name.begin());
    std::copy_n(record.begin() + kMacroNameSize, kMacroContentSize, entry.content.begin());
    return entry;
}

}  // namespace

MacroLibrary MacroLibrary::defaultLibrary() {
    static_assert(sizeof kPcMacroDataResource >= kLibraryFileSize);
    return fromBytes(std::span(kPcMacroDataResource, kLibraryFileSize));
}

MacroLibrary MacroLibrary::fromBytes(std::span<const std::uint8_t> bytes, std::size_t* records) {
    MacroLibrary library;
    auto& entries = library.m_entries;
    const std::size_t whole = std::min(bytes.size() / kLibraryRecordSize, kLibraryEntryCount);
    for (std::size_t i = 0; i < whole; ++i)
        entries[i] = entryFromRecord(bytes.subspan(i * kLibraryRecordSize, kLibraryRecordSize));
    const auto firstFree = std::stable_partition(entries.begin(), entries.end(),
                                                 [](const LibraryEntry& e) { return e.used(); });
    std::fill(firstFree, entries.end(), LibraryEntry{});
    if (records) *records = whole;
    return library;
}

std::vector<std::uint8_t> MacroLibrary::bytes() const {
    std::vector<std::uint8_t> out;
    out.reserve(kLibraryFileSize);
    for (const LibraryEntry& entry : m_entries) {
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        out.insert(out.end(), entry.content.begin(), entry.content.end());
    }
    return out;
}

std::size_t MacroLibrary::count() const {
    return static_cast<std::size_t>(std::count_if(m_entries.begin(), m_entries.end(),
                                                  [](const LibraryEntry& e) { return e.used(); }));
}

std::vector<std::string> MacroLibrary::names() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < count(); ++i) out.push_back(macroNameToUtf8(m_entries[i].name));
    return out;
}

std::optional<std::size_t> MacroLibrary::find(const MacroName& name) const {
    for (std::size_t i = 0; i < count(); ++i)
        if (m_entries[i].name == name) return i;
    return std::nullopt;
}

LibraryResult MacroLibrary::add(const MacroName& name, std::size_t* index) {
    if (full()) return LibraryResult::Full;
    if (!LibraryEntry{name, {}}.used()) return LibraryResult::EmptyName;
    if (find(name)) return LibraryResult::Duplicate;
    const std::size_t at = count();
    m_entries[at] = LibraryEntry{name, {}};
    if (index) *index = at;
    return LibraryResult::Ok;
}

LibraryResult MacroLibrary::rename(std::size_t index, const MacroName& name) {
    if (!usedIndex(index)) return LibraryResult::NoEntry;
    if (!LibraryEntry{name, {}}.used()) return LibraryResult::EmptyName;
    if (find(name)) return LibraryResult::Duplicate;
    m_entries[index].name = name;
    return LibraryResult::Ok;
}

LibraryResult MacroLibrary::remove(std::size_t index) {
    if (!usedIndex(index)) return LibraryResult::NoEntry;
    std::move(m_entries.begin() + static_cast<std::ptrdiff_t>(index) + 1, m_entries.end(),
              m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    m_entries.back() = LibraryEntry{};
    return LibraryResult::Ok;
}

LibraryResult MacroLibrary::setContent(std::size_t index, const MacroContent& content) {
    if (!usedIndex(index)) return LibraryResult::NoEntry;
    m_entries[index].content = content;
    return LibraryResult::Ok;
}

LibraryResult MacroLibrary::setReleaseStops(std::size_t index, bool stops) {
    if (!usedIndex(index)) return LibraryResult::NoEntry;
    m_entries[index].content[0] = stops ? kReleaseStops : kReleaseContinues;
    return LibraryResult::Ok;
}

LibraryResult MacroLibrary::importOne(std::span<const std::uint8_t> file, std::size_t* index) {
    if (!canImportOne()) return LibraryResult::Full;
    if (file.size() < kMacroNameSize) return LibraryResult::NotAMacro;
    LibraryEntry entry;
    std::copy_n(file.begin(), kMacroNameSize, entry.name.begin());
    const auto content = file.subspan(kMacroNameSize);
    std::copy_n(content.begin(), std::min(content.size(), kMacroContentSize),
                entry.content.begin());
    if (!entry.used()) return LibraryResult::NotAMacro;
    if (find(entry.name)) return LibraryResult::Duplicate;
    const std::size_t at = count();
    m_entries[at] = entry;
    if (index) *index = at;
    return LibraryResult::Ok;
}

bool MacroLibrary::importAll(std::span<const std::uint8_t> file) {
    if (file.size() < kLibraryRecordSize) return false;
    *this = fromBytes(file);
    return true;
}

std::optional<LibraryRecord> MacroLibrary::exportOne(std::size_t index) const {
    if (!usedIndex(index)) return std::nullopt;
    LibraryRecord record{};
    const LibraryEntry& entry = m_entries[index];
    std::copy(entry.name.begin(), entry.name.end(), record.begin());
    std::copy(entry.content.begin(), entry.content.end(), record.begin() + kMacroNameSize);
    return record;
}

}  // namespace vornik
