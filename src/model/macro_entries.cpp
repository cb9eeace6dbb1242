#include "model/macro_entries.h"

namespace vornik {

EntryDeletion deleteEntry(MacroLibrary& library, std::size_t index) {
    if (library.remove(index) != LibraryResult::Ok) return {};
    EntryDeletion deletion{true, std::nullopt};
    if (library.count() > 0) deletion.selected = index > 0 ? index - 1 : 0;
    return deletion;
}

bool PendingNameCommand::open(NameCommand command, const MacroLibrary& library,
                              std::optional<std::size_t> selected) {
    m_command.reset();
    if (command == NameCommand::New && library.full()) return false;
    if (command == NameCommand::Rename && (!selected || *selected >= library.count())) return false;
    m_command = command;
    return true;
}

NameConfirm PendingNameCommand::confirm(MacroLibrary& library, std::optional<std::size_t> selected,
                                        std::string_view name) {
    NameConfirm result;
    result.command = m_command;
    m_command.reset();
    if (!result.command) return result;
    if (name.empty()) return result;
    const MacroName stored = encodeMacroName(name);
    if (*result.command == NameCommand::New) {
        std::size_t added = 0;
        result.result = library.add(stored, &added);
        if (result.result == LibraryResult::Ok) result.selected = added;
    } else {
        result.result = selected ? library.rename(*selected, stored) : LibraryResult::NoEntry;
        if (result.result == LibraryResult::Ok) result.selected = selected;
    }
    return result;
}

}  // namespace vornik
