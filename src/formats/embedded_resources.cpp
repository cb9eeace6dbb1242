#include "formats/embedded_resources.h"

#include "formats/lang1_resource.h"
#include "formats/lang2_resource.h"
#include "formats/lang3_resource.h"
#include "formats/org1_resource.h"
#include "formats/org2_resource.h"
#include "formats/org3_resource.h"
#include "formats/org_resource.h"

namespace vornik {

namespace {

struct Resource {
    std::string_view name;
    std::span<const std::uint8_t> bytes;
};

// One resource a line.
// clang-format off
constexpr Resource kResources[] = {
    {"ORG", kOrgResource},
    {"ORG1", kOrg1Resource},
    {"ORG2", kOrg2Resource},
    {"ORG3", kOrg3Resource},
    {"LANG1", kLang1Resource},
    {"LANG2", kLang2Resource},
    {"LANG3", kLang3Resource},
};
// clang-format on

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char c = (a[i] >= 'a' && a[i] <= 'z') ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
        if (c != b[i]) return false;
    }
    return true;
}

}  // namespace

std::span<const std::uint8_t> embeddedResource(std::string_view name) {
    for (const Resource& r : kResources)
        if (sameName(name, r.name)) return r.bytes;
    return {};
}

}  // namespace vornik
