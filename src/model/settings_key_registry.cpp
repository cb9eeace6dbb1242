// The DPI and lighting keys in the tools' key registry.
#include <utility>

#include "model/config_keys.h"
#include "model/settings_keys.h"

namespace vornik {

namespace {

SettingsKeyTarget targetOf(const ConfigModel& model) {
    SettingsKeyTarget target;
    target.values = model.values();
    target.codes = model.codes();
    target.profile = model.sections().profile;
    return target;
}

// The key works on a copy; the model takes the result through its own operations.
EditResult applyTarget(ConfigModel& model, const SettingsKeyTarget& target) {
    EditResult result = model.setValues(target.values);
    if (!result.ok()) return result;
    for (int mode = 1; mode <= ProfileCodes::kProfiles; ++mode)
        for (int button = 1; button <= ProfileCodes::kButtons; ++button) {
            const std::string& code = target.codes.code(mode, button);
            if (code == model.codes().code(mode, button)) continue;
            const EditResult stored = model.setButtonFunction(mode, button, code);
            if (!stored.ok()) return stored;
            result.changed = result.changed || stored.changed;
        }
    return result;
}

ConfigKey configKeyOf(SettingsKey key) {
    return ConfigKey{
        std::move(key.name),
        std::move(key.values),
        key.numeric,
        [get = std::move(key.get)](const ConfigModel& model) { return get(targetOf(model)); },
        [set = std::move(key.set)](ConfigModel& model, std::string_view value) {
            SettingsKeyTarget target = targetOf(model);
            const EditResult edit = set(target, value);
            if (!edit.ok()) return edit;
            return applyTarget(model, target);
        },
        std::move(key.addresses),
    };
}

}  // namespace

void registerDpiKeys(ConfigKeyRegistry& registry) {
    for (SettingsKey& key : dpiSettingsKeys()) registry.add(configKeyOf(std::move(key)));
}

void registerLightKeys(ConfigKeyRegistry& registry) {
    for (SettingsKey& key : lightSettingsKeys()) registry.add(configKeyOf(std::move(key)));
}

}  // namespace vornik
