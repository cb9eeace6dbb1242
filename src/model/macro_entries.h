#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "model/macro_library.h"

namespace vornik {

// The library entry commands of the macro page, over the PC macro library: the name dialog's
// pending command and what is selected after a change.

// The longest name the name dialog takes, in characters.
inline constexpr std::size_t kLongestMacroName = 16;

// Removes an entry and says which entry to select then: the one before it, the first when the
// first went, none when the library is empty. `deleted` is false when there was no such entry.
struct EntryDeletion {
    bool deleted = false;
    std::optional<std::size_t> selected;
};
EntryDeletion deleteEntry(MacroLibrary& library, std::size_t index);

// The name dialog's pending command: New or Rename, set when the dialog opens and used up by
// its Confirm; closing the dialog drops it, so a later Confirm never acts on an earlier one.
enum class NameCommand : std::uint8_t { New, Rename };

struct NameConfirm {
    LibraryResult result = LibraryResult::EmptyName;
    std::optional<NameCommand> command;   // what was confirmed; nullopt when none was pending
    std::optional<std::size_t> selected;  // the added or renamed entry, to select
};

class PendingNameCommand {
  public:
    // New needs room for an entry, Rename a selected entry; false, and nothing pends, without.
    bool open(NameCommand command, const MacroLibrary& library,
              std::optional<std::size_t> selected);
    void close() { m_command.reset(); }
    std::optional<NameCommand> pending() const { return m_command; }

    // Carries out the pending command with the typed name (UTF-8): New adds an empty entry,
    // Rename renames the entry selected now; a name taken by any entry, the renamed one
    // included, is a duplicate. Confirm closes the dialog, so the command is used up whatever
    // the answer.
    NameConfirm confirm(MacroLibrary& library, std::optional<std::size_t> selected,
                        std::string_view name);

  private:
    std::optional<NameCommand> m_command;
};

}  // namespace vornik
