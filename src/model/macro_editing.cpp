#include "model/macro_editing.h"

#include <algorithm>
#include <utility>

#include "formats/decimal.h"

namespace vornik {

namespace {

constexpr int kLongestDelayEdit = 2040;
constexpr int kMostRepeats = 255;
constexpr int kLargestMove = 127;
constexpr int kSmallestMove = -128;
// Past every limit, and far from overflowing when negated.
constexpr long long kBeyondLimits = 1'000'000;

// The value of an optional "-" and one or more digits; nullopt for any other text.
std::optional<long long> editNumber(std::string_view text) {
    const auto value = decimalValue(text, Sign::Minus);
    if (!value) return std::nullopt;
    return std::clamp(*value, -kBeyondLimits, kBeyondLimits);
}

// The text clamped into low..high; `otherwise` for a text that is no number.
std::string clampText(std::string_view text, long long low, long long high,
                      std::string_view otherwise) {
    const auto value = editNumber(text);
    if (!value) return std::string(otherwise);
    if (*value < low) return std::to_string(low);
    if (*value > high) return std::to_string(high);
    return std::string(text);
}

bool rowExists(const MacroScript& script, std::size_t row) { return row + 1 < script.size(); }

std::optional<MacroLineKind> rowKind(const MacroScript& script, std::size_t row) {
    if (!rowExists(script, row)) return std::nullopt;
    return lineKind(script[row + 1]);
}

ScriptEdit replaceRow(const MacroScript& script, std::size_t row, std::string line) {
    ScriptEdit edit{script, row};
    edit.script[row + 1] = std::move(line);
    return edit;
}

std::size_t rowBefore(std::size_t row, std::size_t back) { return row >= back ? row - back : 0; }

}  // namespace

EncodedMacro commitEdit(MacroScript& script, const ScriptEdit& edit, bool releaseStops,
                        MacroForm form) {
    EncodedMacro encoded = encodeScript(edit.script, releaseStops, form);
    if (encoded.ok()) script = edit.script;
    return encoded;
}

std::optional<ScriptEdit> deleteRow(const MacroScript& script, std::size_t row) {
    if (!rowExists(script, row)) return std::nullopt;
    const std::size_t line = row + 1;
    const auto kind = lineKind(script[line]);
    const bool keyLine = kind == MacroLineKind::Press || kind == MacroLineKind::Release;
    const auto partner = keyLine ? findPairedLine(script, line) : std::nullopt;

    ScriptEdit edit{script, std::nullopt};
    std::size_t back = 1;
    if (partner) {
        // The later line first, so the earlier index still holds.
        edit.script.erase(edit.script.begin() +
                          static_cast<std::ptrdiff_t>(std::max(line, *partner)));
        edit.script.erase(edit.script.begin() +
                          static_cast<std::ptrdiff_t>(std::min(line, *partner)));
        if (*partner < line) back = 2;
    } else {
        edit.script.erase(edit.script.begin() + static_cast<std::ptrdiff_t>(line));
    }
    if ((!keyLine || partner) && edit.script.size() > 1) edit.selectedRow = rowBefore(row, back);
    return edit;
}

InsertSide insertSide(InsertAction action) {
    switch (action) {
        case InsertAction::DelayFront:
        case InsertAction::KeyFront:
        case InsertAction::RepeatStart:
        case InsertAction::XFront:
        case InsertAction::YFront:
            return InsertSide::Front;
        default:
            return InsertSide::Back;
    }
}

bool recordsKeys(InsertAction action) {
    return action == InsertAction::KeyFront || action == InsertAction::KeyBack;
}

std::optional<std::string> insertedLine(InsertAction action, int value) {
    switch (action) {
        case InsertAction::DelayFront:
        case InsertAction::DelayBack:
            return delayLine(std::clamp(value, 0, kLongestDelayEdit));
        case InsertAction::KeyFront:
        case InsertAction::KeyBack:
            return std::nullopt;
        case InsertAction::RepeatStart:
            return repeatStartLine(std::clamp(value, 1, kMostRepeats));
        case InsertAction::RepeatStop:
            return repeatStopLine();
        case InsertAction::XFront:
        case InsertAction::XBack:
            return xMoveLine(value);
        case InsertAction::YFront:
        case InsertAction::YBack:
            return yMoveLine(value);
    }
    return std::nullopt;
}

std::optional<ScriptEdit> insertRow(const MacroScript& script, std::size_t row, InsertAction action,
                                    int value) {
    auto line = insertedLine(action, value);
    if (!line || !rowExists(script, row)) return std::nullopt;
    const std::size_t newRow = insertSide(action) == InsertSide::Front ? row : row + 1;
    ScriptEdit edit{script, newRow};
    edit.script.insert(edit.script.begin() + static_cast<std::ptrdiff_t>(newRow + 1),
                       std::move(*line));
    return edit;
}

RowDialog rowDialog(const MacroScript& script, std::size_t row) {
    const auto kind = rowKind(script, row);
    if (!kind) return RowDialog::None;
    switch (*kind) {
        case MacroLineKind::Delay:
            return RowDialog::Delay;
        case MacroLineKind::Press:
        case MacroLineKind::Release:
            return RowDialog::Key;
        case MacroLineKind::XPlus:
        case MacroLineKind::XMinus:
            return RowDialog::XValue;
        case MacroLineKind::YPlus:
        case MacroLineKind::YMinus:
            return RowDialog::YValue;
        case MacroLineKind::RepeatStart:
            return RowDialog::Repeat;
        case MacroLineKind::RepeatStop:
            break;
    }
    return RowDialog::None;
}

std::optional<ScriptEdit> confirmDelayDialog(const MacroScript& script, std::size_t row,
                                             std::string_view editText) {
    if (editText.empty() || rowDialog(script, row) != RowDialog::Delay) return std::nullopt;
    return replaceRow(script, row,
                      delayLine(std::clamp(editTextValue(editText), 0, kLongestDelayEdit)));
}

std::optional<ScriptEdit> confirmKeyDialog(const MacroScript& script, std::size_t row,
                                           std::optional<std::uint8_t> virtualKey) {
    if (!virtualKey || rowDialog(script, row) != RowDialog::Key) return std::nullopt;
    const bool press = rowKind(script, row) == MacroLineKind::Press;
    return replaceRow(script, row, typedKeyLine(*virtualKey, press));
}

std::optional<ScriptEdit> confirmValueDialog(const MacroScript& script, std::size_t row,
                                             std::string_view editText) {
    if (editText.empty() || editText == "-") return std::nullopt;
    const int value = editTextValue(editText);
    switch (rowDialog(script, row)) {
        case RowDialog::XValue:
            return replaceRow(script, row, xMoveLine(value));
        case RowDialog::YValue:
            return replaceRow(script, row, yMoveLine(value));
        case RowDialog::Repeat:
            return replaceRow(script, row, repeatStartLine(std::clamp(value, 1, kMostRepeats)));
        default:
            return std::nullopt;
    }
}

std::string clampDelayEditText(std::string_view text) {
    return clampText(text, 0, kLongestDelayEdit, "0");
}

std::string clampRepeatEditText(std::string_view text) {
    return clampText(text, 1, kMostRepeats, "1");
}

std::string clampAxisEditText(std::string_view text) {
    if (text == "-") return "-";
    return clampText(text, kSmallestMove, kLargestMove, "0");
}

std::string clampValueDialogText(RowDialog dialog, std::string_view text) {
    if (dialog == RowDialog::XValue || dialog == RowDialog::YValue) return clampAxisEditText(text);
    return clampRepeatEditText(text);
}

int editTextValue(std::string_view text) { return static_cast<int>(editNumber(text).value_or(0)); }

}  // namespace vornik
