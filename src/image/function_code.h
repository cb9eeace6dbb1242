#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "formats/text_lookup.h"

namespace vornik {

// What a button does: a type byte and two parameter bytes; a 16-bit parameter is big-endian.
struct FunctionCode {
    std::uint8_t type = 0;
    std::uint8_t high = 0;
    std::uint8_t low = 0;

    // Exactly six hexadecimal digits, type first; any other text (another length, a blank, a
    // sign, a "0x" prefix, a non-hex character) gives nullopt. Lower-case digits are read as
    // hex, though such a text matches no fixed code when named.
    static std::optional<FunctionCode> fromText(std::string_view text);
    static FunctionCode fromBytes(std::span<const std::uint8_t, 3> bytes);

    // Six uppercase hexadecimal digits.
    std::string text() const;
    std::array<std::uint8_t, 3> bytes() const { return {type, high, low}; }
    std::uint16_t parameter() const { return static_cast<std::uint16_t>(high << 8 | low); }

    bool operator==(const FunctionCode&) const = default;
};

// The addresses a macro-play code may carry while macros live in the mouse, slot 0 first;
// there is no slot at 0x0521.
inline constexpr std::array<std::uint16_t, 6> kMacroSlotAddresses{0x0121, 0x0221, 0x0321,
                                                                  0x0421, 0x0621, 0x0721};

// The address a macro-play code carries for block n of the driver write list.
constexpr std::uint32_t driverBlockAddress(std::uint32_t n) { return 0x0120 + 0x800 * n; }

// Everything a code's name depends on besides the code. It only refers to state owned by the
// caller, which must outlive the call.
struct NameContext {
    const TextLookup& texts;
    // True while macros live in the mouse; false in driver mode.
    bool eepromMode = true;
    // The six slot names in the mouse; in driver mode one name per driver write list block.
    std::span<const std::string> slotNames = {};
    std::size_t driverBlockCount = 0;
    // The engineer gun list's ten codes; empty while its file is not in use.
    std::span<const std::string> gunList = {};
};

// The code a function menu entry assigns; `aimIndex` is the DPI value index the AIM key entry
// (tag 1002) uses. Empty for a tag that is not a menu entry.
std::string codeForTag(int tag, std::uint8_t aimIndex);
// The language key of the name a menu entry shows; empty for a tag that is not a menu entry.
std::string_view nameKeyForTag(int tag);

// The name a button shows for `code` in the context's language; empty when the code has no
// name or is not six hexadecimal digits.
std::string nameForCode(std::string_view code, const NameContext& context);

// Written to both profiles, button 1 first, when the profile section fails its check.
inline constexpr std::array<std::string_view, 9> kRepairDefaultCodes{
    "010100", "010400", "010200", "010800", "011000", "050000", "0F0000", "020807", "090000"};

// The code texts of the nine buttons of both profiles, kept in step with the profile section
// bytes: profile 1 in bytes 0–26, profile 2 in bytes 27–53, byte 54 the section's check byte
// (left to whoever joins the section into the image). Profiles and buttons count from 1.
class ProfileCodes {
  public:
    static constexpr int kProfiles = 2;
    static constexpr int kButtons = 9;
    static constexpr std::size_t kSectionSize = 55;
    using Lists = std::array<std::array<std::string, kButtons>, kProfiles>;

    // Offset of the type byte of a button; meaningful only for a profile and button in range.
    static constexpr std::size_t offset(int profile, int button) {
        return static_cast<std::size_t>(27 * (profile - 1) + 3 * (button - 1));
    }

    // Replaces both lists with the codes the section bytes hold.
    void rebuild(std::span<const std::uint8_t, kSectionSize> section);

    // Sets the button's code and writes its three bytes into `section`. A profile or button out
    // of range, or a text that is not a code, changes neither and gives false. The stored text
    // is the uppercase form, so the lists always equal what `rebuild` would give.
    bool store(int profile, int button, std::string_view code,
               std::span<std::uint8_t, kSectionSize> section);

    // The button's code text; empty out of range or before the first rebuild.
    const std::string& code(int profile, int button) const;
    const Lists& lists() const { return m_codes; }

  private:
    Lists m_codes;
};

}  // namespace vornik
