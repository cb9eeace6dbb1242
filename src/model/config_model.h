#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/function_code.h"
#include "image/sections.h"
#include "model/edit_result.h"
#include "model/fire_tables.h"
#include "model/macro_slots.h"
#include "model/settings_values.h"
#include "model/slot_names.h"

namespace vornik {

// What a change touched, so that each view refreshes what it shows and nothing else.
enum class Change : unsigned {
    KeyMode = 1u << 0,
    Buttons = 1u << 1,
    Values = 1u << 2,
    Image = 1u << 3,  // a new image was loaded: every view refreshes
    MacroSlots = 1u << 4,
    Fire = 1u << 5,
};

class ChangeSet {
  public:
    constexpr ChangeSet() = default;
    constexpr ChangeSet(Change change) : m_bits(static_cast<unsigned>(change)) {}
    static constexpr ChangeSet everything() {
        ChangeSet all;
        all.m_bits = (1u << 6) - 1;
        return all;
    }

    constexpr bool has(Change change) const {
        return (m_bits & static_cast<unsigned>(change)) != 0;
    }
    constexpr bool empty() const { return m_bits == 0; }
    constexpr ChangeSet operator|(ChangeSet other) const {
        ChangeSet both;
        both.m_bits = m_bits | other.m_bits;
        return both;
    }
    ChangeSet& operator|=(ChangeSet other) {
        m_bits |= other.m_bits;
        return *this;
    }
    constexpr bool operator==(const ChangeSet&) const = default;

  private:
    unsigned m_bits = 0;
};

constexpr ChangeSet operator|(Change a, Change b) { return ChangeSet(a) | ChangeSet(b); }

// The image and its working copies.
struct ImageSession {
    ConfigImage bytes{};
    Sections sections;
    RepairReport lastRepairs;
    // The image came from a read that did not complete: what is missing reads 0xFF or as the
    // repair defaults, so it must not be written back. The next load clears it.
    bool incomplete = false;
};

// Why a function code cannot be given to a button; nullopt when it can. Macro-play codes must
// carry a macro address where macros live (`eepromMode`: the six slots, else a driver block).
std::optional<std::string> functionCodeProblem(const FunctionCode& code, bool eepromMode);

// The left mouse button: every key mode keeps at least one button with it when the function
// menus assign.
inline constexpr std::string_view kLeftKeyCode = "010100";
inline constexpr std::string_view kKeepLeftKeyMessage = "Please keep a Left Key";

// The configuration between a read and a write: the image and its working copies, the settings
// values, both button code lists, and the macro slots and fire data as the image carries them.
// Views change it only through its operations, which check their values, and hear of every
// change through Listener.
class ConfigModel {
  public:
    class Listener {
      public:
        virtual ~Listener() = default;
        virtual void modelChanged(ChangeSet changes) = 0;
    };

    void addListener(Listener& listener);
    void removeListener(Listener& listener);

    // The image and its working copies. The flows read into the image and then load it; editors
    // change the copies only through the operations below.
    ImageSession& image() { return m_image; }
    const ImageSession& image() const { return m_image; }
    const Sections& sections() const { return m_image.sections; }

    // Splits the image into the working copies with the integrity checks and rebuilds the codes and
    // the values from them; the image counts as complete.
    RepairReport loadFromImage(const SplitHooks& hooks = {});
    // Takes `image` as the image, then loads it as above.
    RepairReport loadFromImage(const ConfigImage& image, const SplitHooks& hooks = {});
    // The image came from a read that did not complete; it must not be written back.
    void markIncomplete() { m_image.incomplete = true; }
    // Joins the working copies into the image with the integrity codes recomputed.
    void storeToImage(const JoinHooks& hooks = {});

    // Key mode 1 (Office Mode) or 2 (Game Mode), as the image holds it. While "No Save" is
    // chosen the mouse starts in key mode 1 whatever is stored, so only key mode 1 is accepted.
    int keyMode() const;
    EditResult setKeyMode(int mode);

    const ProfileCodes& codes() const { return m_codes; }
    // The code of button 1..9 of key mode 1..2; empty out of range.
    const std::string& buttonFunction(int mode, int button) const;
    // Gives the button `code` (six hexadecimal digits) in the lists and the profile section.
    EditResult setButtonFunction(int mode, int button, std::string_view code);
    // setButtonFunction as the function menus assign: refused with kKeepLeftKeyMessage, and
    // nothing changed, when no button of the key mode would be left with kLeftKeyCode.
    EditResult assignButtonFunction(int mode, int button, std::string_view code);

    // What the holding controls show; setValues writes them into the parameter and fire
    // sections at once (the fields' own clamps apply).
    const SettingsValues& values() const { return m_values; }
    EditResult setValues(const SettingsValues& values);

    // The DPI value index (0-11) the AIM key switches to: 0 at start, then what the last AIM
    // button of a loaded image holds (key mode 1 first); an image without one keeps it.
    int aimIndex() const { return m_aimIndex; }
    // The AIM combo (0-10): every AIM button of either key mode takes the index. Without an AIM
    // button it is refused with the no-AIM-key message and the AIM value falls back to 0.
    EditResult setAimValue(int index);
    // The AIM slider released at pixel x of its track, with `dpiCount` DPI values usable.
    EditResult releaseAimSlider(int x, int dpiCount);

    // Before a write: every button named as the AIM key gets `aimIndex`, and in driver mode
    // the fire key's type follows `fireContinuous` (see storeAimAndFireKeys).
    void storeAimKey(std::uint8_t aimIndex, bool fireContinuous, const NameContext& names);

    std::array<std::string, kMacroSlotCount> macroSlotNames() const;
    // The six macro slots as the working copies hold them.
    DeviceMacroSlots macroSlots() const;
    // Slot 1..6 takes `content`. A content that fails the slot's check (other than the empty
    // one) is refused. The buttons that play the slot follow its release mode (06 or 0E).
    EditResult setMacroSlot(int slot, const DeviceMacroSlot& content);
    // A raw copy of slots 1-4 (the base macro import) in place of the model's, with the slots
    // that fail their check emptied as after a read.
    void importMacroSlots1To4(
        std::span<const std::uint8_t, section::kMacroSlots1To4.size> slots1To4);

    // The fire macros 1..10 as the fire page edits them: the work copy of their records, their
    // fire code kinds, Y offsets and colours. Offsets and colours are settings values too (the
    // engineer page's edits) and are kept in step. A macro out of range is refused.
    FireMacroValues fireMacro(int macro) const;
    // The macro is shown: its fire code kind follows its flag.
    EditResult showFireMacro(int macro);
    // A new Y also resets the macro's offset to 0. Refused when the macro has no such operand.
    EditResult setFireParameter(int macro, FireParameter parameter, int value);
    EditResult setFireStopOnRelease(int macro, bool on);
    // Stores the offset limited against the macro's Y (see limitYOffset).
    EditResult setFireYOffset(int macro, int offset);
    EditResult setFireColour(int macro, FireColour colour);
    // Fire Confirm: the work copy into the committed region that writes send.
    void commitFire();
    // The work copy back from the committed region, as after a read.
    EditResult revertFire();

    // Where macros live, for the checks of macro-play codes.
    bool eepromMode() const { return m_eepromMode; }
    void setEepromMode(bool on) { m_eepromMode = on; }

  private:
    void notify(ChangeSet changes);
    // Tells the listeners what an AIM edit changed: the buttons' codes, the AIM value or both.
    EditResult tellAimEdit(EditResult result,
                           const std::array<std::uint8_t, section::kProfile.size>& before,
                           int aimBefore);

    ImageSession m_image;
    ProfileCodes m_codes;
    SettingsValues m_values;
    int m_aimIndex = 0;
    bool m_eepromMode = true;
    std::vector<Listener*> m_listeners;
};

}  // namespace vornik
