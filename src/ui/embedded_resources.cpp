#include "ui/embedded_resources.h"

#include "ui/lang1_resource.h"
#include "ui/lang2_resource.h"
#include "ui/lang3_resource.h"
#include "ui/org_resource.h"

namespace vornik {

namespace {

struct Resource {
    std::string_view name;
    std::span<const std::uint8_t> bytes;
};

constexpr Resource kResources[] = {
    {"ORG", kOrgResource},
    {"LANG1", kLang1Resource},
    {"LANG2", kLang2Resource},
    {"LANG3", kLang3Resource},
};

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
