#include "model/macro_entries.h"

#include <algorithm>

namespace vornik {

namespace {

bool nameTaken(const MacroEntries& entries, std::string_view name) {
    return std::any_of(entries.begin(), entries.end(),
                       [name](const MacroEntry& e) { return e.name == name; });
}

}  // namespace

bool canAddEntry(const MacroEntries& entries) { return entries.size() < kMostMacroEntries; }

EntryChange addEntry(MacroEntries& entries, std::string_view name, std::size_t contentSize) {
    if (name.empty()) return EntryChange::EmptyName;
    if (nameTaken(entries, name)) return EntryChange::Duplicate;
    if (!canAddEntry(entries)) return EntryChange::Full;
    entries.push_back({std::string(name), std::vector<std::uint8_t>(contentSize, 0)});
    return EntryChange::Done;
}

EntryChange renameEntry(MacroEntries& entries, std::size_t index, std::string_view name) {
    if (index >= entries.size()) return EntryChange::NoSuchEntry;
    if (name.empty()) return EntryChange::EmptyName;
    if (nameTaken(entries, name)) return EntryChange::Duplicate;
    entries[index].name = std::string(name);
    return EntryChange::Done;
}

EntryDeletion deleteEntry(MacroEntries& entries, std::size_t index) {
    if (index >= entries.size()) return {};
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
    EntryDeletion deletion{true, std::nullopt};
    if (!entries.empty()) deletion.selected = index > 0 ? index - 1 : 0;
    return deletion;
}

bool PendingNameCommand::open(NameCommand command, const MacroEntries& entries,
                              std::optional<std::size_t> selected) {
    m_command.reset();
    if (command == NameCommand::New && !canAddEntry(entries)) return false;
    if (command == NameCommand::Rename && (!selected || *selected >= entries.size())) return false;
    m_command = command;
    return true;
}

NameConfirm PendingNameCommand::confirm(MacroEntries& entries, std::optional<std::size_t> selected,
                                        std::string_view name, std::size_t contentSize) {
    NameConfirm result;
    result.command = m_command;
    m_command.reset();
    if (!result.command) return result;
    if (*result.command == NameCommand::New) {
        result.change = addEntry(entries, name, contentSize);
        if (result.change == EntryChange::Done) result.selected = entries.size() - 1;
    } else {
        result.change = selected ? renameEntry(entries, *selected, name) : EntryChange::NoSuchEntry;
        if (result.change == EntryChange::Done) result.selected = selected;
    }
    return result;
}

}  // namespace vornik
