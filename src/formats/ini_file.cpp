#include "formats/ini_file.h"

#include <limits>

#include "formats/decimal.h"

namespace vornik {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Names are looked up by their ASCII-lowercased spelling; other bytes are kept as they are.
std::string fold(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = lower(c);
    return out;
}

}  // namespace

std::optional<int> parseDecimal(std::string_view text) {
    const auto value = decimalValue(text, Sign::PlusOrMinus);
    if (!value || *value < std::numeric_limits<int>::min() ||
        *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*value);
}

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    Section* current = nullptr;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = trim(text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;

        if (line.empty() || line.front() == ';' || line.starts_with("//")) continue;
        if (line.front() == '[') {
            if (line.size() < 2 || line.back() != ']') continue;
            const std::string_view name = trim(line.substr(1, line.size() - 2));
            const auto [it, added] = ini.m_byName.try_emplace(fold(name), ini.m_sections.size());
            if (added) ini.m_sections.push_back(Section{std::string(name), {}, {}});
            current = &ini.m_sections[it->second];
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || current == nullptr) continue;
        const std::string_view key = trim(line.substr(0, eq));
        if (key.empty()) continue;
        if (current->byKey.try_emplace(fold(key), current->entries.size()).second)
            current->entries.push_back(
                Entry{std::string(key), std::string(trim(line.substr(eq + 1)))});
    }
    return ini;
}

const IniFile::Section* IniFile::find(std::string_view section) const {
    const auto it = m_byName.find(fold(section));
    return it == m_byName.end() ? nullptr : &m_sections[it->second];
}

bool IniFile::hasSection(std::string_view section) const { return find(section) != nullptr; }

std::vector<std::string> IniFile::sections() const {
    std::vector<std::string> names;
    names.reserve(m_sections.size());
    for (const Section& s : m_sections) names.push_back(s.name);
    return names;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> names;
    if (const Section* s = find(section)) {
        names.reserve(s->entries.size());
        for (const Entry& e : s->entries) names.push_back(e.key);
    }
    return names;
}

std::optional<std::string> IniFile::text(std::string_view section, std::string_view key) const {
    const Section* s = find(section);
    if (s == nullptr) return std::nullopt;
    const auto it = s->byKey.find(fold(key));
    if (it == s->byKey.end()) return std::nullopt;
    return s->entries[it->second].value;
}

std::optional<int> IniFile::number(std::string_view section, std::string_view key) const {
    const std::optional<std::string> value = text(section, key);
    if (!value) return std::nullopt;
    return parseDecimal(*value);
}

int IniFile::integer(std::string_view section, std::string_view key, int fallback) const {
    return number(section, key).value_or(fallback);
}

}  // namespace vornik
