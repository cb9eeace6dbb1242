#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vornik {

// The engineer page's own fire codes: ten slots of three bytes (0x0C, first fire macro, last
// fire macro), stored as exactly 30 bytes with no header. An empty slot is 00 00 00 and is not
// listed. The caller reads and writes the file; this holds its bytes.
class GunList {
  public:
    static constexpr std::size_t kSlots = 10;
    static constexpr std::size_t kFileSize = 3 * kSlots;
    using Bytes = std::array<std::uint8_t, kFileSize>;

    struct Entry {
        int slot = 0;      // 1..10
        std::string name;  // "Fire Macro" + slot
        std::string code;  // six hex digits, e.g. "0C0305"
        int firstMacro = 0;
        int lastMacro = 0;

        bool operator==(const Entry&) const = default;
    };

    // Not in use: there was no file.
    GunList() = default;
    // In use, from the file's bytes: a shorter file leaves the missing slots empty, bytes past
    // the 30th are ignored.
    static GunList fromFile(std::span<const std::uint8_t> file);

    bool inUse() const { return m_inUse; }
    const Bytes& bytes() const { return m_bytes; }

    // The listed (non-empty) slots in slot order.
    std::vector<Entry> entries() const;
    // The ten slots' code texts, "000000" for an empty slot, for naming buttons.
    std::array<std::string, kSlots> codes() const;

    // Puts 0C first last into the first empty slot while fewer than ten entries are listed;
    // first and last are fire macro numbers 1..10. False when nothing was added. Whether the
    // list is in use stays as it was at start-up.
    bool add(int firstMacro, int lastMacro);
    // Removes the slot (1..10); the later slots move up and slot 10 becomes empty. False for an
    // empty slot or one out of range.
    bool remove(int slot);

  private:
    bool slotEmpty(std::size_t index) const;

    Bytes m_bytes{};
    bool m_inUse = false;
};

// The gun list's file in the program's folder.
inline constexpr const char* kGunListFileName = "Vornik Fire Macro.bin";

// The list at start-up: in use when the file exists, not in use when it does not. A file that
// is there but cannot be read leaves the list not in use, with `error` naming it.
GunList loadGunListFile(const std::filesystem::path& file, std::string& error);
// The whole 30 bytes, written atomically (created or replaced).
bool saveGunListFile(const std::filesystem::path& file, const GunList& list, std::string& error);

}  // namespace vornik
