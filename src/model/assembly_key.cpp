#include "model/assembly_key.h"

#include <array>
#include <string_view>

#include "image/function_code.h"
#include "model/virtual_keys.h"

namespace vornik {

namespace {

constexpr std::array<std::string_view, 4> kModifierNames{"Ctrl", "Shift", "Alt", "Win"};
constexpr std::uint8_t kLeftWindows = 0x5B;
constexpr std::uint8_t kRightWindows = 0x5C;

void eraseFirst(std::string& text, std::string_view part) {
    const auto at = text.find(part);
    if (at != std::string::npos) text.erase(at, part.size());
}

}  // namespace

std::string AssemblyKey::modifierText() const {
    std::string text;
    for (std::size_t bit = 0; bit < kModifierNames.size(); ++bit) {
        if (!((m_modifiers >> bit) & 1u)) continue;
        if (!text.empty()) text += '+';
        text += kModifierNames[bit];
    }
    return text;
}

void AssemblyKey::keyDown(std::uint8_t virtualKey, bool modifierHeld) {
    if (m_count > 0) {
        m_keyName.clear();
        m_usage = 0;
        m_text = modifierText();
        m_count = 0;
    }
    if (virtualKey == kLeftWindows || virtualKey == kRightWindows || modifierHeld) return;
    const KeyInfo key = virtualKeyInfo(virtualKey);
    m_keyName = key.name;
    m_usage = key.usage;
    m_text = m_text.empty() ? key.name : m_text + "+" + key.name;
    m_count = 1;
}

void AssemblyKey::setModifier(Modifier modifier, bool on) {
    const auto bit = static_cast<std::uint8_t>(1u << modifier);
    if (on == ((m_modifiers & bit) != 0)) return;
    const std::string_view name = kModifierNames[static_cast<std::size_t>(modifier)];
    if (on) {
        m_modifiers = static_cast<std::uint8_t>(m_modifiers | bit);
        m_text = modifierText();
        if (m_count > 0) m_text += "+" + m_keyName;
        return;
    }
    m_modifiers = static_cast<std::uint8_t>(m_modifiers & ~bit);
    const std::string withPlus = std::string(name) + "+";
    if (m_text.starts_with(withPlus) && m_text.size() > withPlus.size())
        m_text.erase(0, withPlus.size());
    else if (m_text == name)
        m_text.clear();
    else
        eraseFirst(m_text, "+" + std::string(name));
}

void AssemblyKey::clear() { *this = AssemblyKey(); }

std::string AssemblyKey::code() const { return FunctionCode{0x02, m_modifiers, m_usage}.text(); }

}  // namespace vornik
