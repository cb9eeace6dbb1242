#include "model/config_keys.h"

#include <fmt/format.h>

#include <algorithm>
#include <set>

#include "formats/decimal.h"
#include "formats/text_lookup.h"
#include "model/settings_keys.h"

namespace vornik {

namespace {

constexpr std::uint16_t kKeyModeAddress = section::kParameterB.address + 4;
// The AIM key is offered with DPI index 0; another index is given as a code.
constexpr std::uint8_t kOfferedAimIndex = 0;
// Menu tags of the function menus, as the button editor offers them.
constexpr int kMenuTags[] = {900,  901,  902,  903,  904,  1000, 1001, 1002, 1003, 1004, 1005,
                             1006, 1100, 1101, 1102, 1103, 1300, 1301, 1302, 1303, 1304, 1305,
                             1306, 1400, 1401, 1402, 1403, 1404, 1405, 1406, 2000, 2001, 2002};
constexpr std::string_view kGunCodes[] = {"0C0101", "0C0202", "0C0303", "0C0404", "0C0505",
                                          "0C0606", "0C0607", "0C0808", "0C0809", "0C080A"};

// Every code a name can stand for: the menus, the gun presets, the named macro slots and every
// keyboard combination.
std::vector<std::string> nameableCodes(const std::array<std::string, kMacroSlotCount>& slots) {
    std::vector<std::string> codes;
    for (int tag : kMenuTags) codes.push_back(codeForTag(tag, kOfferedAimIndex));
    codes.insert(codes.end(), std::begin(kGunCodes), std::end(kGunCodes));
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].empty()) continue;
        for (const std::uint8_t type : {std::uint8_t{0x06}, std::uint8_t{0x0E}})
            codes.push_back(FunctionCode{type,
                                         static_cast<std::uint8_t>(kMacroSlotAddresses[i] >> 8),
                                         static_cast<std::uint8_t>(kMacroSlotAddresses[i] & 0xFF)}
                                .text());
    }
    for (unsigned modifiers = 0; modifiers < 16; ++modifiers)
        for (unsigned usage = 0; usage < 256; ++usage)
            if (modifiers != 0 || usage != 0)
                codes.push_back(FunctionCode{0x02, static_cast<std::uint8_t>(modifiers),
                                             static_cast<std::uint8_t>(usage)}
                                    .text());
    return codes;
}

std::string buttonKeyName(int mode, int button) {
    return fmt::format("mode{}.button{}", mode, button);
}

std::string buttonText(const ConfigModel& model, int mode, int button) {
    const std::string& code = model.buttonFunction(mode, button);
    const std::string name = englishNameOf(code, model);
    // The name only where it leads back to this code, so that what get prints, set takes.
    if (!name.empty() && codeForEnglishName(name, model).code == code) return name;
    return code;
}

// Under the menus' rule: a key mode keeps a left button.
EditResult setButton(ConfigModel& model, int mode, int button, std::string_view value) {
    if (value.size() == 6 && FunctionCode::fromText(value))
        return model.assignButtonFunction(mode, button, value);
    const CodeLookup found = codeForEnglishName(value, model);
    if (!found.error.empty()) return EditResult::refused(found.error);
    return model.assignButtonFunction(mode, button, found.code);
}

}  // namespace

bool ConfigKeyRegistry::add(ConfigKey key) {
    if (find(key.name)) return false;
    m_keys.push_back(std::move(key));
    return true;
}

const ConfigKey* ConfigKeyRegistry::find(std::string_view name) const {
    for (const ConfigKey& key : m_keys)
        if (key.name == name) return &key;
    return nullptr;
}

std::string englishNameOf(std::string_view code, const ConfigModel& model) {
    static const EnglishTexts kTexts;
    const auto slots = model.macroSlotNames();
    return nameForCode(code, NameContext{kTexts, model.eepromMode(), slots, 0, {}});
}

CodeLookup codeForEnglishName(std::string_view name, const ConfigModel& model) {
    static const EnglishTexts kTexts;
    const auto slots = model.macroSlotNames();
    const NameContext context{kTexts, model.eepromMode(), slots, 0, {}};
    std::set<std::string> matches;
    for (const std::string& code : nameableCodes(slots))
        if (nameForCode(code, context) == name) matches.insert(code);
    // A slot's macro is played by 06 or 0E after its release mode: its name means that one.
    if (matches.size() > 1) {
        const DeviceMacroSlots stored = model.macroSlots();
        for (std::size_t i = 0; i < stored.size(); ++i) {
            const int slot = static_cast<int>(i + 1);
            const bool stops = stored[i].content[0] == kReleaseStops;
            matches.erase(macroSlotCode(slot, !stops));
        }
    }
    if (matches.size() == 1) return {*matches.begin(), {}};
    if (matches.empty())
        return {{},
                fmt::format("\"{}\" is neither six hexadecimal digits nor a function name", name)};
    return {{},
            fmt::format("\"{}\" names {} functions; give the code: {}", name, matches.size(),
                        fmt::join(matches, ", "))};
}

void registerButtonKeys(ConfigKeyRegistry& registry) {
    registry.add(ConfigKey{
        "keymode",
        "1 (Office Mode) or 2 (Game Mode)",
        true,
        [](const ConfigModel& model) { return std::to_string(model.keyMode()); },
        [](ConfigModel& model, std::string_view value) {
            const auto mode = decimalValue(value, Sign::None);
            if (!mode || *mode < 1 || *mode > 2)
                return EditResult::refused(fmt::format("key mode \"{}\" is not 1 or 2", value));
            return model.setKeyMode(static_cast<int>(*mode));
        },
        {kKeyModeAddress, static_cast<std::uint16_t>(kKeyModeAddress + 1)},
    });
    const auto codeAddress =
        static_cast<std::uint16_t>(section::kProfile.address + section::kProfile.size - 1);
    for (int mode = 1; mode <= ProfileCodes::kProfiles; ++mode)
        for (int button = 1; button <= ProfileCodes::kButtons; ++button) {
            const auto first = static_cast<std::uint16_t>(section::kProfile.address +
                                                          ProfileCodes::offset(mode, button));
            registry.add(ConfigKey{
                buttonKeyName(mode, button),
                "a function code of six hexadecimal digits, or a function name",
                false,
                [mode, button](const ConfigModel& model) {
                    return buttonText(model, mode, button);
                },
                [mode, button](ConfigModel& model, std::string_view value) {
                    return setButton(model, mode, button, value);
                },
                {first, static_cast<std::uint16_t>(first + 1),
                 static_cast<std::uint16_t>(first + 2), codeAddress},
            });
        }
}

ConfigKeyRegistry allConfigKeys() {
    ConfigKeyRegistry registry;
    registerButtonKeys(registry);
    registerDpiKeys(registry);
    registerLightKeys(registry);
    return registry;
}

std::vector<ByteChange> imageChanges(const ConfigImage& before, const ConfigImage& after) {
    std::vector<ByteChange> changes;
    for (std::size_t i = 0; i < kImageSize; ++i)
        if (before[i] != after[i])
            changes.push_back({static_cast<std::uint16_t>(i), before[i], after[i]});
    return changes;
}

}  // namespace vornik
