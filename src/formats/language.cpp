#include "formats/language.h"

#include "formats/embedded_resources.h"

namespace vornik {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Every byte of a multi-byte UTF-8 sequence is 0x80 or above, so this never splits one.
bool isSeparator(char c) { return static_cast<unsigned char>(c) <= 0x20; }

}  // namespace

std::string_view languageStatusText(LanguageStatus status) {
    switch (status) {
        case LanguageStatus::Ok:
            return "ok";
        case LanguageStatus::Empty:
            return "the language file is empty";
        case LanguageStatus::TooLarge:
            return "the language file is too large";
        case LanguageStatus::OddLength:
            return "the language file has an odd number of bytes";
        case LanguageStatus::LoneSurrogate:
            return "the language file holds an unpaired UTF-16 surrogate";
        case LanguageStatus::UnterminatedQuote:
            return "the language file has an unterminated quote";
        case LanguageStatus::MissingSection:
            return "the language file lacks its section";
    }
    return "unknown";
}

DecodedText decodeLanguageBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return {{}, LanguageStatus::Empty};
    if (bytes.size() > LanguageTable::kMaxFileBytes) return {{}, LanguageStatus::TooLarge};
    if (bytes.size() % 2 != 0) return {{}, LanguageStatus::OddLength};
    DecodedText out;
    out.utf8.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    auto unit = [&](std::size_t i) -> char32_t { return bytes[2 * i] | (bytes[2 * i + 1] << 8); };
    for (std::size_t i = 1; i < units; ++i) {
        const char32_t u = unit(i);
        if (u >= 0xDC00 && u <= 0xDFFF) return {{}, LanguageStatus::LoneSurrogate};
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 >= units) return {{}, LanguageStatus::LoneSurrogate};
            const char32_t low = unit(i + 1);
            if (low < 0xDC00 || low > 0xDFFF) return {{}, LanguageStatus::LoneSurrogate};
            appendUtf8(out.utf8, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
            ++i;
            continue;
        }
        appendUtf8(out.utf8, u);
    }
    return out;
}

LanguageTokens tokenizeLanguageText(std::string_view utf8) {
    LanguageTokens out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (isSeparator(utf8[i])) {
            ++i;
            continue;
        }
        std::string token;
        if (utf8[i] == '"') {
            ++i;
            bool closed = false;
            while (i < utf8.size()) {
                if (utf8[i] == '"') {
                    if (i + 1 < utf8.size() && utf8[i + 1] == '"') {
                        token.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                token.push_back(utf8[i++]);
            }
            out.unterminated = !closed;
        } else {
            while (i < utf8.size() && !isSeparator(utf8[i])) token.push_back(utf8[i++]);
        }
        out.tokens.push_back(std::move(token));
    }
    return out;
}

LanguageTable LanguageTable::load(std::span<const std::uint8_t> bytes, std::string_view section) {
    LanguageTable table;
    DecodedText decoded = decodeLanguageBytes(bytes);
    if (decoded.status != LanguageStatus::Ok) {
        table.m_status = decoded.status;
        return table;
    }
    const LanguageTokens tokens = tokenizeLanguageText(decoded.utf8);
    if (tokens.unterminated) {
        table.m_status = LanguageStatus::UnterminatedQuote;
        return table;
    }
    std::string ini;
    ini.reserve(decoded.utf8.size() + tokens.tokens.size());
    for (const std::string& t : tokens.tokens) {
        ini += t;
        ini += '\n';
    }
    IniFile parsed = IniFile::parse(ini);
    if (!parsed.hasSection(section)) {
        table.m_status = LanguageStatus::MissingSection;
        return table;
    }
    table.m_ini = std::move(parsed);
    table.m_section = std::string(section);
    table.m_status = LanguageStatus::Ok;
    return table;
}

LanguageTable LanguageTable::embedded(int n) {
    const std::string number = std::to_string(n);
    return load(embeddedResource("LANG" + number), "lang" + number);
}

std::string LanguageTable::text(std::string_view key) const {
    return m_ini.text(m_section, key).value_or(std::string());
}

bool LanguageTable::contains(std::string_view key) const {
    return m_ini.text(m_section, key).has_value();
}

std::vector<std::string> LanguageTable::keys() const { return m_ini.keys(m_section); }

}  // namespace vornik
