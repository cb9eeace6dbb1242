#include "model/config_model.h"

#include <fmt/format.h>

#include <algorithm>

#include "model/dpi_editor.h"
#include "model/light_editor.h"
#include "model/parameters.h"

namespace vornik {

namespace {

bool isMacroAddress(std::uint16_t address, bool eepromMode) {
    if (eepromMode)
        return std::find(kMacroSlotAddresses.begin(), kMacroSlotAddresses.end(), address) !=
               kMacroSlotAddresses.end();
    return address >= driverBlockAddress(0) && (address - driverBlockAddress(0)) % 0x800 == 0;
}

constexpr std::uint16_t kFireKeyAddress = 0x00F0;
constexpr std::uint8_t kMouseButtonMask = 0x1F;
constexpr std::uint8_t kModifierMask = 0x0F;

}  // namespace

std::optional<std::string> functionCodeProblem(const FunctionCode& code, bool eepromMode) {
    const bool noParameters = code.high == 0 && code.low == 0;
    switch (code.type) {
        case 0x00:
        case 0x05:
        case 0x07:
        case 0x08:
        case 0x09:
        case 0x0D:
        case 0x0F:
        case 0x10:
            if (noParameters) return std::nullopt;
            return fmt::format("function type {:02X} takes no parameters (use {:02X}0000)",
                               code.type, code.type);
        case 0x01:
            if (code.high != 0 && (code.high & ~kMouseButtonMask) == 0 && code.low == 0)
                return std::nullopt;
            return "a mouse-button code (01) takes a mask of 01 to 1F and then 00";
        case 0x02:
            // 020000 sends nothing: what an empty assembly key gives.
            if ((code.high & ~kModifierMask) == 0) return std::nullopt;
            return "a keyboard code (02) takes modifiers 00 to 0F and a key";
        case 0x03:
            if (!noParameters) return std::nullopt;
            return "a consumer-control code (03) needs a usage";
        case 0x06:
        case 0x0E:
            if (code.parameter() == kFireKeyAddress && (code.type == 0x06 || !eepromMode))
                return std::nullopt;
            if (isMacroAddress(code.parameter(), eepromMode)) return std::nullopt;
            return fmt::format("{:04X} is not the address of a macro slot", code.parameter());
        case 0x0A:
            if (code.high < kDpiValues.size() && code.low == 0) return std::nullopt;
            return fmt::format("an AIM key code (0A) takes a DPI index of 00 to {:02X}, then 00",
                               kDpiValues.size() - 1);
        case 0x0C:
            if (code.high >= 1 && code.high <= code.low && code.low <= 10) return std::nullopt;
            return "a gun key code (0C) takes the first and last fire macro, 01 to 0A";
        default:
            return fmt::format("{:02X} is not a function type", code.type);
    }
}

void ConfigModel::addListener(Listener& listener) { m_listeners.push_back(&listener); }

void ConfigModel::removeListener(Listener& listener) { std::erase(m_listeners, &listener); }

void ConfigModel::notify(ChangeSet changes) {
    if (changes.empty()) return;
    // A listener may remove itself while it is told.
    const auto listeners = m_listeners;
    for (Listener* listener : listeners)
        if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end())
            listener->modelChanged(changes);
}

RepairReport ConfigModel::loadFromImage(const SplitHooks& hooks) {
    m_image.incomplete = false;
    SplitHooks withSlotCheck = hooks;
    // Slots 1-4 whose content fails its check are emptied, so no broken macro is played or
    // written back; in driver mode the slots are not the mouse's macros.
    if (!withSlotCheck.decodeMacroSlots && m_eepromMode)
        withSlotCheck.decodeMacroSlots = [](Sections& s) {
            DeviceMacroSlots slots = splitMacroSlots(s.macroSlots1To4, s.macroSlots5To6);
            emptyInvalidSlots(slots);
            joinMacroSlots(slots, s.macroSlots1To4, s.macroSlots5To6);
        };
    m_image.lastRepairs = splitImage(m_image.bytes, m_image.sections, withSlotCheck);
    m_codes.rebuild(m_image.sections.profile);
    m_values = valuesFromSections(m_image.sections, m_values);
    if (const auto aim = aimIndexOf(m_codes)) m_aimIndex = *aim;
    notify(ChangeSet::everything());
    return m_image.lastRepairs;
}

RepairReport ConfigModel::loadFromImage(const ConfigImage& image, const SplitHooks& hooks) {
    m_image.bytes = image;
    return loadFromImage(hooks);
}

void ConfigModel::storeToImage(const JoinHooks& hooks) {
    joinImage(m_image.sections, m_image.bytes, hooks);
}

int ConfigModel::keyMode() const { return currentKeyMode(m_image.sections.parameterB); }

EditResult ConfigModel::setKeyMode(int mode) {
    if (mode != 1 && mode != 2)
        return EditResult::refused(fmt::format("key mode {} is not 1 or 2", mode));
    // A mouse that does not save its key mode always starts in key mode 1.
    if (mode != 1 && !keyModeChoosable(m_values))
        return EditResult::refused("the key mode is not saved, so it stays key mode 1");
    auto& b = m_image.sections.parameterB;
    const std::uint8_t byte = mode == 2 ? 0x80 : 0x00;
    const bool changed =
        b[4] != byte || b[5] != static_cast<std::uint8_t>(~byte) || m_values.cb_KeyMode != mode - 1;
    b[4] = byte;
    b[5] = static_cast<std::uint8_t>(~byte);
    m_values.cb_KeyMode = mode - 1;
    if (changed) notify(Change::KeyMode | Change::Values);
    return {changed, {}};
}

const std::string& ConfigModel::buttonFunction(int mode, int button) const {
    return m_codes.code(mode, button);
}

EditResult ConfigModel::setButtonFunction(int mode, int button, std::string_view code) {
    if (mode < 1 || mode > ProfileCodes::kProfiles)
        return EditResult::refused(fmt::format("key mode {} is not 1 or 2", mode));
    if (button < 1 || button > ProfileCodes::kButtons)
        return EditResult::refused(fmt::format("button {} is not 1 to 9", button));
    const auto parsed = FunctionCode::fromText(code);
    if (!parsed)
        return EditResult::refused(
            fmt::format("\"{}\" is not a function code of six hexadecimal digits", code));
    if (auto problem = functionCodeProblem(*parsed, m_eepromMode))
        return EditResult::refused(*problem);
    const std::string before = m_codes.code(mode, button);
    const auto& profile = m_image.sections.profile;
    const auto at = ProfileCodes::offset(mode, button);
    const auto bytes = parsed->bytes();
    const bool bytesDiffer = !std::equal(bytes.begin(), bytes.end(), profile.begin() + at);
    m_codes.store(mode, button, parsed->text(), m_image.sections.profile);
    const bool changed = bytesDiffer || before != m_codes.code(mode, button);
    if (changed) notify(Change::Buttons);
    return {changed, {}};
}

EditResult ConfigModel::assignButtonFunction(int mode, int button, std::string_view code) {
    const auto parsed = FunctionCode::fromText(code);
    // A code that is no function at all is refused for that reason first.
    if (parsed && !functionCodeProblem(*parsed, m_eepromMode) && mode >= 1 &&
        mode <= ProfileCodes::kProfiles) {
        bool keepsLeftKey = false;
        for (int k = 1; k <= ProfileCodes::kButtons; ++k) {
            const std::string& held = k == button ? parsed->text() : m_codes.code(mode, k);
            keepsLeftKey = keepsLeftKey || held == kLeftKeyCode;
        }
        if (!keepsLeftKey) return EditResult::refused(std::string(kKeepLeftKeyMessage));
    }
    return setButtonFunction(mode, button, code);
}

EditResult ConfigModel::setValues(const SettingsValues& values) {
    const Sections before = m_image.sections;
    const int keyModeBefore = keyMode();
    valuesToSections(values, m_image.sections);
    const bool valuesDiffer = !(values == m_values);
    m_values = values;
    const auto& s = m_image.sections;
    const bool bytesDiffer = s.parameterA != before.parameterA ||
                             s.parameterB != before.parameterB ||
                             s.fireOffset != before.fireOffset || s.fireColor != before.fireColor ||
                             s.fireKey != before.fireKey;
    ChangeSet changes;
    if (valuesDiffer || bytesDiffer) changes |= Change::Values;
    if (keyMode() != keyModeBefore) changes |= Change::KeyMode;
    notify(changes);
    return {!changes.empty(), {}};
}

EditResult ConfigModel::setAimValue(int index) {
    const auto before = m_image.sections.profile;
    const int aimBefore = m_aimIndex;
    return tellAimEdit(vornik::setAimValue(m_aimIndex, m_codes, m_image.sections.profile, index),
                       before, aimBefore);
}

EditResult ConfigModel::releaseAimSlider(int x, int dpiCount) {
    const auto before = m_image.sections.profile;
    const int aimBefore = m_aimIndex;
    return tellAimEdit(
        vornik::releaseAimSlider(m_aimIndex, m_codes, m_image.sections.profile, x, dpiCount),
        before, aimBefore);
}

EditResult ConfigModel::tellAimEdit(EditResult result,
                                    const std::array<std::uint8_t, section::kProfile.size>& before,
                                    int aimBefore) {
    ChangeSet changes;
    if (m_image.sections.profile != before) changes |= Change::Buttons;
    if (m_aimIndex != aimBefore) changes |= Change::Values;
    notify(changes);
    return result;
}

void ConfigModel::storeAimKey(std::uint8_t aimIndex, bool fireContinuous,
                              const NameContext& names) {
    const auto before = m_image.sections.profile;
    storeAimAndFireKeys(m_codes, m_image.sections.profile, aimIndex, fireContinuous, names);
    if (m_image.sections.profile != before) notify(Change::Buttons);
}

std::array<std::string, kMacroSlotCount> ConfigModel::macroSlotNames() const {
    return slotNamesIn(m_image.sections);
}

void ConfigModel::importMacroSlots1To4(
    std::span<const std::uint8_t, section::kMacroSlots1To4.size> slots1To4) {
    auto& s = m_image.sections;
    std::copy(slots1To4.begin(), slots1To4.end(), s.macroSlots1To4.begin());
    DeviceMacroSlots slots = splitMacroSlots(s.macroSlots1To4, s.macroSlots5To6);
    emptyInvalidSlots(slots);
    joinMacroSlots(slots, s.macroSlots1To4, s.macroSlots5To6);
    notify(Change::MacroSlots);
}

DeviceMacroSlots ConfigModel::macroSlots() const {
    return splitMacroSlots(m_image.sections.macroSlots1To4, m_image.sections.macroSlots5To6);
}

EditResult ConfigModel::setMacroSlot(int slot, const DeviceMacroSlot& content) {
    if (slot < 1 || slot > static_cast<int>(kMacroSlotCount))
        return EditResult::refused(fmt::format("macro slot {} is not 1 to 6", slot));
    const bool empty = std::all_of(content.content.begin(), content.content.end(),
                                   [](std::uint8_t b) { return b == 0; });
    if (!empty && !deviceMacroValid(content.content))
        return EditResult::refused(fmt::format("the macro for slot {} fails its check", slot));

    DeviceMacroSlots slots = macroSlots();
    auto& target = slots[static_cast<std::size_t>(slot - 1)];
    ChangeSet changes;
    if (!(target == content)) {
        target = content;
        joinMacroSlots(slots, m_image.sections.macroSlots1To4, m_image.sections.macroSlots5To6);
        changes |= Change::MacroSlots;
    }
    // A button names its macro's release mode in its type byte; keep the two in step.
    const bool stops = !empty && content.content[0] == kReleaseStops;
    const std::string address =
        fmt::format("{:04X}", kMacroSlotAddresses[static_cast<std::size_t>(slot - 1)]);
    for (int mode = 1; mode <= ProfileCodes::kProfiles; ++mode)
        for (int button = 1; button <= ProfileCodes::kButtons; ++button) {
            const std::string& code = m_codes.code(mode, button);
            if (code.size() != 6 || code.substr(2) != address ||
                (code.substr(0, 2) != "06" && code.substr(0, 2) != "0E"))
                continue;
            const std::string wanted = macroSlotCode(slot, stops);
            if (code == wanted) continue;
            m_codes.store(mode, button, wanted, m_image.sections.profile);
            changes |= Change::Buttons;
        }
    if (!changes.empty()) notify(changes);
    return {!changes.empty(), {}};
}

}  // namespace vornik
