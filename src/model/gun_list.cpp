#include "model/gun_list.h"

#include <algorithm>

#include "image/atomic_file.h"
#include "image/function_code.h"

namespace vornik {

namespace {

constexpr std::uint8_t kGunCode = 0x0C;

bool isMacroNumber(int n) { return n >= 1 && n <= 10; }

}  // namespace

GunList GunList::fromFile(std::span<const std::uint8_t> file) {
    GunList list;
    list.m_inUse = true;
    std::copy_n(file.begin(), std::min(file.size(), kFileSize), list.m_bytes.begin());
    return list;
}

bool GunList::slotEmpty(std::size_t index) const {
    return m_bytes[3 * index] == 0 && m_bytes[3 * index + 1] == 0 && m_bytes[3 * index + 2] == 0;
}

std::vector<GunList::Entry> GunList::entries() const {
    std::vector<Entry> list;
    for (std::size_t i = 0; i < kSlots; ++i) {
        if (slotEmpty(i)) continue;
        const int slot = static_cast<int>(i) + 1;
        const FunctionCode code{m_bytes[3 * i], m_bytes[3 * i + 1], m_bytes[3 * i + 2]};
        list.push_back(
            {slot, "Fire Macro" + std::to_string(slot), code.text(), code.high, code.low});
    }
    return list;
}

std::array<std::string, GunList::kSlots> GunList::codes() const {
    std::array<std::string, kSlots> texts;
    for (std::size_t i = 0; i < kSlots; ++i)
        texts[i] = FunctionCode{m_bytes[3 * i], m_bytes[3 * i + 1], m_bytes[3 * i + 2]}.text();
    return texts;
}

bool GunList::add(int firstMacro, int lastMacro) {
    if (!isMacroNumber(firstMacro) || !isMacroNumber(lastMacro)) return false;
    std::size_t listed = 0;
    for (std::size_t i = 0; i < kSlots; ++i) listed += slotEmpty(i) ? 0 : 1;
    if (listed >= kSlots) return false;
    for (std::size_t i = 0; i < kSlots; ++i) {
        if (!slotEmpty(i)) continue;
        m_bytes[3 * i] = kGunCode;
        m_bytes[3 * i + 1] = static_cast<std::uint8_t>(firstMacro);
        m_bytes[3 * i + 2] = static_cast<std::uint8_t>(lastMacro);
        return true;
    }
    return false;
}

bool GunList::remove(int slot) {
    if (slot < 1 || slot > static_cast<int>(kSlots)) return false;
    const auto i = static_cast<std::size_t>(slot - 1);
    if (slotEmpty(i)) return false;
    std::copy(m_bytes.begin() + 3 * (i + 1), m_bytes.end(), m_bytes.begin() + 3 * i);
    std::fill(m_bytes.end() - 3, m_bytes.end(), 0);
    return true;
}

GunList loadGunListFile(const std::filesystem::path& file, std::string& error) {
    std::error_code missing;
    if (!std::filesystem::exists(file, missing)) return {};
    const auto bytes = readFilePrefix(file, GunList::kFileSize, error);
    if (!bytes) return {};
    return GunList::fromFile(*bytes);
}

bool saveGunListFile(const std::filesystem::path& file, const GunList& list, std::string& error) {
    return writeFileAtomically(file, list.bytes(), error);
}

}  // namespace vornik
