// The model's fire operations over the work copy of the fire macros and the small fire sections.
#include <fmt/format.h>

#include "model/config_model.h"

namespace vornik {

namespace {

bool isFireMacro(int macro) { return macro >= 1 && macro <= static_cast<int>(kFireMacroCount); }

EditResult noSuchMacro(int macro) {
    return EditResult::refused(fmt::format("fire macro {} is not 1 to 10", macro));
}

const char* parameterName(FireParameter parameter) {
    switch (parameter) {
        case FireParameter::Count:
            return "shot count";
        case FireParameter::X:
            return "X movement";
        case FireParameter::Y:
            return "Y movement";
        case FireParameter::Time:
            return "shot time";
    }
    return "";
}

std::size_t slot(int macro) { return static_cast<std::size_t>(macro - 1); }

}  // namespace

FireMacroValues ConfigModel::fireMacro(int macro) const {
    if (!isFireMacro(macro)) return {};
    return decodeFireMacro(m_image.sections.fireMacroRecords[slot(macro)]);
}

EditResult ConfigModel::showFireMacro(int macro) {
    if (!isFireMacro(macro)) return noSuchMacro(macro);
    const auto before = m_image.sections.fireCode;
    matchFireCodeKind(m_image.sections, macro);
    const bool changed = before != m_image.sections.fireCode;
    if (changed) notify(Change::Fire);
    return {changed, {}};
}

EditResult ConfigModel::setFireParameter(int macro, FireParameter parameter, int value) {
    if (!isFireMacro(macro)) return noSuchMacro(macro);
    Sections& s = m_image.sections;
    const Sections before = s;
    if (!vornik::setFireParameter(s, macro, parameter, value))
        return EditResult::refused(
            fmt::format("fire macro {} has no {} to change", macro, parameterName(parameter)));
    ChangeSet changes;
    if (s.fireMacroRecords != before.fireMacroRecords) changes |= Change::Fire;
    const int offset = fireYOffset(s, macro);
    if (m_values.edt_YOffset[slot(macro)] != offset || s.fireOffset != before.fireOffset) {
        m_values.edt_YOffset[slot(macro)] = offset;
        changes |= Change::Fire | Change::Values;
    }
    notify(changes);
    return {!changes.empty(), {}};
}

EditResult ConfigModel::setFireStopOnRelease(int macro, bool on) {
    if (!isFireMacro(macro)) return noSuchMacro(macro);
    Sections& s = m_image.sections;
    const auto records = s.fireMacroRecords;
    const auto code = s.fireCode;
    vornik::setFireStopOnRelease(s, macro, on);
    const bool changed = records != s.fireMacroRecords || code != s.fireCode;
    if (changed) notify(Change::Fire);
    return {changed, {}};
}

EditResult ConfigModel::setFireYOffset(int macro, int offset) {
    if (!isFireMacro(macro)) return noSuchMacro(macro);
    Sections& s = m_image.sections;
    const auto before = s.fireOffset;
    const int stored = vornik::setFireYOffset(s, macro, offset);
    const bool changed = before != s.fireOffset || m_values.edt_YOffset[slot(macro)] != stored;
    m_values.edt_YOffset[slot(macro)] = stored;
    if (changed) notify(Change::Fire | Change::Values);
    return {changed, {}};
}

EditResult ConfigModel::setFireColour(int macro, FireColour colour) {
    if (!isFireMacro(macro)) return noSuchMacro(macro);
    const std::array<int, 3> rgb{colour.red, colour.green, colour.blue};
    Sections& s = m_image.sections;
    const bool changed =
        fireColour(s, macro) != colour || m_values.edt_FireMacroColor[slot(macro)] != rgb;
    vornik::setFireColour(s, macro, colour);
    m_values.edt_FireMacroColor[slot(macro)] = rgb;
    if (changed) notify(Change::Fire | Change::Values);
    return {changed, {}};
}

void ConfigModel::commitFire() { commitFireWorkCopy(m_image.sections); }

EditResult ConfigModel::revertFire() {
    const auto before = m_image.sections.fireMacroRecords;
    refreshFireWorkCopy(m_image.sections);
    const bool changed = before != m_image.sections.fireMacroRecords;
    if (changed) notify(Change::Fire);
    return {changed, {}};
}

}  // namespace vornik
