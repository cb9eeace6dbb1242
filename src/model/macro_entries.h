#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornik {

// The macro library's entries as the macro page changes them: names (UTF-8, as listed) and
// their stored contents (all zero when empty), in library order.
struct MacroEntry {
    std::string name;
    std::vector<std::uint8_t> content;

    bool operator==(const MacroEntry&) const = default;
};
using MacroEntries = std::vector<MacroEntry>;

inline constexpr std::size_t kMostMacroEntries = 100;
// The longest name the name dialog takes, in characters.
inline constexpr std::size_t kLongestMacroName = 16;

bool canAddEntry(const MacroEntries& entries);

enum class EntryChange : std::uint8_t {
    Done,
    Duplicate,    // an entry already has exactly that name (Str106); nothing changed
    Full,         // 100 entries; nothing changed
    EmptyName,    // nothing changed
    NoSuchEntry,  // nothing changed
};

// A new entry with an all-zero content of `contentSize` bytes, after the others.
EntryChange addEntry(MacroEntries& entries, std::string_view name, std::size_t contentSize);
// Renaming an entry to its own name is a duplicate too.
EntryChange renameEntry(MacroEntries& entries, std::size_t index, std::string_view name);
// Removes an entry; says which entry to select then: the one before it, the first when the
// first went, none when the library is empty. nullopt when there was no such entry.
struct EntryDeletion {
    bool deleted = false;
    std::optional<std::size_t> selected;
};
EntryDeletion deleteEntry(MacroEntries& entries, std::size_t index);

// The name dialog's pending command: New or Rename, set when the dialog opens and used up by
// its Confirm; closing the dialog drops it, so a later Confirm never acts on an earlier one.
enum class NameCommand : std::uint8_t { New, Rename };

struct NameConfirm {
    EntryChange change = EntryChange::EmptyName;
    std::optional<NameCommand> command;   // what was confirmed; nullopt when none was pending
    std::optional<std::size_t> selected;  // the added or renamed entry, to select
};

class PendingNameCommand {
  public:
    // New needs room for an entry, Rename a selected entry; false, and nothing pends, without.
    bool open(NameCommand command, const MacroEntries& entries,
              std::optional<std::size_t> selected);
    void close() { m_command.reset(); }
    std::optional<NameCommand> pending() const { return m_command; }

    // Carries out the pending command with the typed name: New adds an entry of `contentSize`
    // zero bytes, Rename renames the entry selected now. Confirm closes the dialog, so the
    // command is used up whatever the answer.
    NameConfirm confirm(MacroEntries& entries, std::optional<std::size_t> selected,
                        std::string_view name, std::size_t contentSize);

  private:
    std::optional<NameCommand> m_command;
};

}  // namespace vornik
