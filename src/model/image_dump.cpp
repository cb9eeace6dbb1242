#include "model/image_dump.h"

#include <fmt/format.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "image/function_code.h"
#include "model/macro_slots.h"
#include "model/parameters.h"
#include "model/slot_names.h"

namespace vornik {

namespace {

// A name quoted and escaped as JSON does it, so that odd characters show.
std::string quoted(const std::string& s) { return nlohmann::json(s).dump(); }

std::string colourText(const std::array<std::uint8_t, 3>& c) {
    return fmt::format("#{:02X}{:02X}{:02X}", c[0], c[1], c[2]);
}

const char* kModeNames[] = {"Office Mode", "Game Mode"};

// `"Jump"  12 of 221 bytes`, `(empty)`, `"Jump"  fails its check`.
std::string slotText(const std::string& name, const std::optional<std::size_t>& bytes,
                     std::size_t capacity) {
    if (name.empty() && bytes == std::size_t{0}) return "(empty)";
    const std::string shownName = name.empty() ? std::string("(no name)") : quoted(name);
    if (!bytes) return shownName + "  fails its check";
    if (*bytes == 0) return shownName + "  no events";
    return fmt::format("{}  {} of {} bytes", shownName, *bytes, capacity);
}

}  // namespace

std::vector<std::string> repairedSectionNames(const RepairReport& r) {
    std::vector<std::string> names;
    if (r.parameterA) names.push_back("ParameterASection");
    for (std::size_t pair = 0; pair < r.parameterBPairs.size(); ++pair)
        if (r.parameterBPairs[pair]) {
            names.push_back("ParameterBSection pair (" + std::to_string(2 * pair) + "," +
                            std::to_string(2 * pair + 1) + ")");
        }
    if (r.profile) names.push_back("ProfileSection");
    if (r.fireKey) names.push_back("FireKeySection");
    return names;
}

ImageSummary summarize(const Sections& s, const RepairReport& repairs, const TextLookup& texts) {
    ImageSummary out;
    out.failedSections = repairedSectionNames(repairs);
    out.dpiLevelCount = dpiLevelCount(s.parameterA);
    const int shown = std::min(std::max(out.dpiLevelCount, 0), kMaxDpiLevels);
    for (int level = 1; level <= shown; ++level) {
        ImageSummary::DpiLevel l;
        l.valueIndex = dpiValueIndex(s.parameterA, level);
        if (l.valueIndex && *l.valueIndex < static_cast<int>(kDpiValues.size()))
            l.dpi = kDpiValues[static_cast<std::size_t>(*l.valueIndex)];
        l.colour = dpiColour(s.parameterA, level);
        out.dpiLevels.push_back(l);
    }
    out.currentDpiLevel = currentDpiLevel(s.parameterB) + 1;
    out.keyMode = currentKeyMode(s.parameterB);
    out.ledType = ledTypeText(ledTypeOf(s.parameterA));
    out.macroSlots = slotNamesIn(s);
    const DeviceMacroSlots slots = splitMacroSlots(s.macroSlots1To4, s.macroSlots5To6);
    out.macroEventCapacity = eventCapacity(MacroForm::Device);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const MacroContent& content = slots[i].content;
        const bool empty =
            std::all_of(content.begin(), content.end(), [](std::uint8_t b) { return b == 0; });
        if (empty)
            out.macroSlotBytes[i] = 0;
        else if (deviceMacroValid(content))
            out.macroSlotBytes[i] = storedLength(content, MacroForm::Device) - 1;
    }

    ProfileCodes codes;
    codes.rebuild(s.profile);
    const NameContext context{texts, true, out.macroSlots, 0, {}};
    for (int p = 1; p <= 2; ++p)
        for (int k = 1; k <= 9; ++k) {
            auto& button =
                out.profiles[static_cast<std::size_t>(p - 1)][static_cast<std::size_t>(k - 1)];
            button.code = codes.code(p, k);
            button.name = nameForCode(button.code, context);
        }
    out.fireCountIndex = s.fireKey[2];
    out.fireInterval = s.fireKey[8];
    return out;
}

std::string summaryText(const ImageSummary& s) {
    std::string out;
    out += "integrity: ";
    if (s.failedSections.empty()) {
        out += "all sections valid\n";
    } else {
        out += "repaired from defaults:";
        for (const auto& name : s.failedSections) out += " " + name + ";";
        out.back() = '\n';
    }
    out += "DPI levels: " + std::to_string(s.dpiLevelCount) + ", current level " +
           std::to_string(s.currentDpiLevel) + "\n";
    for (std::size_t i = 0; i < s.dpiLevels.size(); ++i) {
        const auto& l = s.dpiLevels[i];
        out += "  level " + std::to_string(i + 1) + ": ";
        out += l.dpi ? std::to_string(*l.dpi) + " DPI"
                     : (l.valueIndex ? "index " + std::to_string(*l.valueIndex) : "no value");
        out += ", colour " + colourText(l.colour) + "\n";
    }
    out += "key mode: " + std::to_string(s.keyMode) + " (" + kModeNames[s.keyMode - 1] + ")\n";
    out += "LED type: " + s.ledType + "\n";
    for (std::size_t p = 0; p < 2; ++p) {
        out += std::string("key mode ") + std::to_string(p + 1) + " (" + kModeNames[p] +
               ") buttons:\n";
        for (std::size_t k = 0; k < 9; ++k) {
            const auto& b = s.profiles[p][k];
            out += "  " + std::to_string(k + 1) + "  " + b.code + "  " + b.name + "\n";
        }
    }
    out += "fire key: ";
    out += s.fireCountIndex == 255 ? std::string("continuous fire")
                                   : "count index " + std::to_string(s.fireCountIndex);
    out += ", interval " + std::to_string(s.fireInterval) + "\n";
    out += "macro slots:\n";
    for (std::size_t i = 0; i < s.macroSlots.size(); ++i)
        out += "  " + std::to_string(i + 1) + "  " +
               slotText(s.macroSlots[i], s.macroSlotBytes[i], s.macroEventCapacity) + "\n";
    return out;
}

std::string summaryJson(const ImageSummary& s) {
    using Json = nlohmann::ordered_json;
    auto optional = [](const std::optional<int>& value) {
        return value ? Json(*value) : Json(nullptr);
    };
    Json levels = Json::array();
    for (const auto& l : s.dpiLevels)
        levels.push_back({{"valueIndex", optional(l.valueIndex)},
                          {"dpi", optional(l.dpi)},
                          {"colour", colourText(l.colour)}});
    Json profiles = Json::array();
    for (const auto& profile : s.profiles) {
        Json buttons = Json::array();
        for (const auto& b : profile) buttons.push_back({{"code", b.code}, {"name", b.name}});
        profiles.push_back(std::move(buttons));
    }
    Json slotBytes = Json::array();
    for (const auto& bytes : s.macroSlotBytes)
        slotBytes.push_back(bytes ? Json(*bytes) : Json(nullptr));
    const Json summary = {
        {"failedSections", s.failedSections},
        {"dpiLevelCount", s.dpiLevelCount},
        {"currentDpiLevel", s.currentDpiLevel},
        {"dpiLevels", std::move(levels)},
        {"keyMode", s.keyMode},
        {"ledType", s.ledType},
        {"profiles", std::move(profiles)},
        {"fireKey",
         {{"continuous", s.fireCountIndex == 255},
          {"countIndex", s.fireCountIndex},
          {"interval", s.fireInterval}}},
        {"macroSlots", s.macroSlots},
        {"macroSlotBytes", std::move(slotBytes)},
        {"macroEventCapacity", s.macroEventCapacity},
    };
    // Invalid UTF-8 in a name is replaced rather than refused.
    return summary.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace vornik
