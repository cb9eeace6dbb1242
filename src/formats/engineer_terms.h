#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vornik {

// One caption of the engineer page in its three columns; the middle column is always empty.
struct EngineerTerm {
    std::uint8_t number;
    std::string_view english;
    std::string_view spare;
    std::string_view chinese;
};

// The 139 records in their table order (not number order: terms 35 and 36 follow term 56).
std::span<const EngineerTerm> engineerTerms();

enum class TermColumn { English, Chinese };

// The column the engineer page uses on a system whose thread locale is `localeId`: Chinese for
// 2052 (Chinese, PRC), English for every other locale.
TermColumn termColumnForLocale(std::uint32_t localeId);

// The text of the first record with `term` in `column`; empty when no record has the number.
std::string_view termText(int term, TermColumn column);

}  // namespace vornik
