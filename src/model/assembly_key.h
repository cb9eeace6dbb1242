#pragma once

#include <cstdint>
#include <string>

namespace vornik {

// The assembly-key dialog's state: one captured key and the ticked modifier boxes, and the
// edit's text as the dialog's rules build it. Keys arrive as Windows virtual-key codes.
class AssemblyKey {
  public:
    // The modifier boxes, in the order of their bits in the code: Ctrl, Shift, Alt, Win.
    enum Modifier { kCtrl, kShift, kAlt, kWin };

    // A key pressed in the edit. A key captured before is dropped first. The Windows keys and
    // a key pressed while Shift, Ctrl or Alt is held (a modifier key itself among them) are
    // swallowed; any other key is captured with its name from the virtual-key table.
    void keyDown(std::uint8_t virtualKey, bool modifierHeld);
    // A modifier box ticked or unticked: ticking rebuilds the text from the boxes and the key,
    // unticking takes the modifier's part out of the text.
    void setModifier(Modifier modifier, bool on);
    // Clear: nothing captured, no box ticked, an empty text.
    void clear();

    const std::string& text() const { return m_text; }
    bool ticked(Modifier modifier) const { return (m_modifiers >> modifier) & 1u; }
    std::uint8_t modifierByte() const { return m_modifiers; }
    std::uint8_t usage() const { return m_usage; }
    // "02", the modifier byte and the usage, as the button's function code.
    std::string code() const;

  private:
    // The ticked modifiers' names joined by "+".
    std::string modifierText() const;

    std::string m_text;
    std::string m_keyName;
    std::uint8_t m_usage = 0;
    std::uint8_t m_modifiers = 0;
    int m_count = 0;
};

}  // namespace vornik
