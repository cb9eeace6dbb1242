#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vornik {

// The text grammar of the option, layout and (after tokenizing) language files: "[name]" opens a
// section, "key = value" belongs to the section above, lines starting with ";" or "//" are
// comments, blank lines and lines of any other shape are skipped. Blanks around a line and
// around the first "=" are dropped. Section and key names are matched without regard to ASCII
// case. Any byte sequence parses: garbage simply yields fewer entries.
class IniFile {
  public:
    // CR LF, LF and lone CR all end a line. A key repeated within a section keeps its first
    // value; a section opened again continues the first one. Entries before any section header
    // belong to no section and are dropped.
    static IniFile parse(std::string_view text);

    bool hasSection(std::string_view section) const;
    // Section names as first spelt, in file order.
    std::vector<std::string> sections() const;
    // Key names of a section as first spelt, in file order; empty for a missing section.
    std::vector<std::string> keys(std::string_view section) const;

    // The value as written (trimmed); nullopt when the key is missing.
    std::optional<std::string> text(std::string_view section, std::string_view key) const;
    // A decimal integer with an optional sign that fits an int; nullopt when the key is
    // missing or its value is anything else (empty, "12px", "0x10", out of range).
    std::optional<int> number(std::string_view section, std::string_view key) const;
    // As number(), but a missing or non-numeric value reads as `fallback`.
    int integer(std::string_view section, std::string_view key, int fallback) const;

  private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::unordered_map<std::string, std::size_t> byKey;  // folded key -> entries index
    };

    const Section* find(std::string_view section) const;

    std::vector<Section> m_sections;
    std::unordered_map<std::string, std::size_t> m_byName;  // folded name -> m_sections index
};

// A decimal integer with an optional leading "+" or "-" that fits an int; nothing else.
std::optional<int> parseDecimal(std::string_view text);

}  // namespace vornik
