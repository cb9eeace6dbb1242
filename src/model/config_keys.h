#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "image/memory_map.h"
#include "model/config_model.h"

namespace vornik {

// One named setting as scripts see it ("keymode", "mode2.button4"): its value as text, set
// through the model's own checks, and the image addresses a change may touch (integrity codes
// included).
struct ConfigKey {
    std::string name;
    std::string values;    // what the key takes, for help texts and error messages
    bool numeric = false;  // a number in JSON
    std::function<std::string(const ConfigModel&)> get;
    std::function<EditResult(ConfigModel&, std::string_view)> set;
    std::vector<std::uint16_t> addresses;
};

// Every key the tools know; each editor adds its own.
class ConfigKeyRegistry {
  public:
    // A key whose name is taken already replaces nothing and gives false.
    bool add(ConfigKey key);
    const ConfigKey* find(std::string_view name) const;
    const std::vector<ConfigKey>& keys() const { return m_keys; }

  private:
    std::vector<ConfigKey> m_keys;
};

// keymode (1 or 2) and mode1.button1 … mode2.button9. A button takes six hexadecimal digits or
// the English name of the function as a dump shows it; it reads back as that name when the name
// stands for this code alone, else as the code.
void registerButtonKeys(ConfigKeyRegistry& registry);

// fire.key.count, fire.key.interval, fire.key.continuous, and for fire macros N = 1..10
// fire.N.count, fire.N.x, fire.N.y, fire.N.time, fire.N.offset, fire.N.color, fire.N.release
// (fire_keys.cpp). A fire macro edit is committed at once: the tools have no Fire Confirm.
void registerFireKeys(ConfigKeyRegistry& registry);

// All keys, as vornikctl offers them.
ConfigKeyRegistry allConfigKeys();

// The code whose English name is `name` for the model's image (macro slot names included);
// an error naming the candidates when there is none or several.
struct CodeLookup {
    std::string code;
    std::string error;
};
CodeLookup codeForEnglishName(std::string_view name, const ConfigModel& model);
// The English name of `code` as a dump shows it; empty when it has none.
std::string englishNameOf(std::string_view code, const ConfigModel& model);

// A byte of the image that differs between two images.
struct ByteChange {
    std::uint16_t address;
    std::uint8_t before;
    std::uint8_t after;
};
std::vector<ByteChange> imageChanges(const ConfigImage& before, const ConfigImage& after);

}  // namespace vornik
