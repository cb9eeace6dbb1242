// The vornikctl commands over named settings: get and set.
#include <fmt/format.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <set>

#include "cli/vornikctl_session.h"
#include "model/config_keys.h"

namespace vornik::ctl {

namespace {

struct Assignment {
    const ConfigKey* key;
    std::string value;
};

// The keys named on the command line, all of them for none; nullopt (reason printed) when one
// is not a key.
std::optional<std::vector<const ConfigKey*>> requestedKeys(const ConfigKeyRegistry& registry,
                                                           const std::vector<std::string>& names,
                                                           Session& session) {
    std::vector<const ConfigKey*> keys;
    if (names.empty()) {
        for (const ConfigKey& key : registry.keys()) keys.push_back(&key);
        return keys;
    }
    for (const std::string& name : names) {
        const ConfigKey* key = registry.find(name);
        if (!key) {
            session.err() << fmt::format("vornikctl: unknown key \"{}\"\n", name);
            return std::nullopt;
        }
        keys.push_back(key);
    }
    return keys;
}

std::optional<std::vector<Assignment>> parseAssignments(const ConfigKeyRegistry& registry,
                                                        const std::vector<std::string>& operands,
                                                        Session& session) {
    std::vector<Assignment> assignments;
    for (const std::string& operand : operands) {
        const auto equals = operand.find('=');
        if (equals == std::string::npos) {
            session.err() << fmt::format("vornikctl: \"{}\" is not KEY=VALUE\n", operand);
            return std::nullopt;
        }
        const std::string name = operand.substr(0, equals);
        const ConfigKey* key = registry.find(name);
        if (!key) {
            session.err() << fmt::format("vornikctl: unknown key \"{}\"\n", name);
            return std::nullopt;
        }
        assignments.push_back({key, operand.substr(equals + 1)});
    }
    return assignments;
}

std::string regionText(std::uint16_t address) {
    const NamedRegion* region = regionAt(address);
    if (!region) return "unused bytes";
    return fmt::format("{} byte {}", region->name, address - region->address);
}

// One line per byte: every address the keys touch, and whatever else would differ.
void printBytes(const std::vector<const ConfigKey*>& keys, const ConfigImage& before,
                const ConfigImage& after, std::ostream& out) {
    std::set<std::uint16_t> addresses;
    for (const ConfigKey* key : keys)
        addresses.insert(key->addresses.begin(), key->addresses.end());
    for (const ByteChange& change : imageChanges(before, after)) addresses.insert(change.address);
    for (std::uint16_t address : addresses) {
        const bool changes = before[address] != after[address];
        out << fmt::format("  0x{:03X}  {:<22} {:02X} -> {:02X}{}\n", address, regionText(address),
                           before[address], after[address], changes ? "" : "  (unchanged)");
    }
}

}  // namespace

int runGet(Session& session, const Options& options, CtlEnvironment& env) {
    const ConfigKeyRegistry registry = allConfigKeys();
    const auto keys = requestedKeys(registry, options.operands, session);
    if (!keys) return kExitUsage;
    if (options.from) {
        if (!loadProfileIntoModel(session, *options.from)) return kExitFailure;
    } else if (auto failed = readMouse(session)) {
        return *failed;
    }
    const ConfigModel& model = session.model();
    if (options.json) {
        nlohmann::ordered_json values = nlohmann::ordered_json::object();
        for (const ConfigKey* key : *keys) {
            const std::string text = key->get(model);
            if (key->numeric)
                values[key->name] = std::stoll(text);
            else
                values[key->name] = text;
        }
        env.out << values.dump(2) << "\n";
        return kExitOk;
    }
    if (options.operands.size() == 1) {
        env.out << keys->front()->get(model) << "\n";
        return kExitOk;
    }
    for (const ConfigKey* key : *keys)
        env.out << fmt::format("{}={}\n", key->name, key->get(model));
    return kExitOk;
}

int runSet(Session& session, const Options& options, CtlEnvironment& env) {
    const ConfigKeyRegistry registry = allConfigKeys();
    const auto assignments = parseAssignments(registry, options.operands, session);
    if (!assignments) return kExitUsage;
    if (auto failed = readMouse(session)) return *failed;
    printRepairs(session.image().lastRepairs, env.out);

    ConfigModel& model = session.model();
    const ConfigImage before = model.image().bytes;
    std::vector<const ConfigKey*> keys;
    std::vector<std::string> lines;
    for (const Assignment& a : *assignments) {
        const std::string old = a.key->get(model);
        const EditResult result = a.key->set(model, a.value);
        if (!result.ok()) {
            session.err() << fmt::format("vornikctl: {}: {}; nothing written\n", a.key->name,
                                         result.error);
            return kExitUsage;
        }
        keys.push_back(a.key);
        lines.push_back(fmt::format("{}: {} -> {}", a.key->name, old, a.key->get(model)));
    }
    model.storeToImage();
    const ConfigImage& after = model.image().bytes;
    for (const std::string& line : lines) env.out << line << "\n";
    const auto changes = imageChanges(before, after);
    if (options.dryRun) {
        env.out << fmt::format("would change {} {}:\n", changes.size(),
                               changes.size() == 1 ? "byte" : "bytes");
        printBytes(keys, before, after, env.out);
        env.out << "dry run: nothing written\n";
        return kExitOk;
    }
    if (changes.empty()) {
        env.out << "the mouse holds these values already; nothing written\n";
        return kExitOk;
    }
    env.out << fmt::format("changing {} {}:\n", changes.size(),
                           changes.size() == 1 ? "byte" : "bytes");
    printBytes(keys, before, after, env.out);
    return reportWrite(session.flows().writeImage(false), session, env);
}

}  // namespace vornik::ctl
