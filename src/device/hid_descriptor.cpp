#include "device/hid_descriptor.h"

#include <algorithm>
#include <array>
#include <new>

namespace vornik {
namespace {

// Item types and tags of the short item prefix byte (tag << 4 | type << 2 | size code).
constexpr unsigned kTypeMain = 0;
constexpr unsigned kTypeGlobal = 1;
constexpr unsigned kTypeLocal = 2;

constexpr unsigned kMainInput = 0x8;
constexpr unsigned kMainOutput = 0x9;
constexpr unsigned kMainCollection = 0xA;
constexpr unsigned kMainFeature = 0xB;
constexpr unsigned kMainEndCollection = 0xC;

constexpr unsigned kGlobalUsagePage = 0x0;
constexpr unsigned kGlobalReportSize = 0x7;
constexpr unsigned kGlobalReportId = 0x8;
constexpr unsigned kGlobalReportCount = 0x9;
constexpr unsigned kGlobalPush = 0xA;
constexpr unsigned kGlobalPop = 0xB;

constexpr unsigned kLocalUsage = 0x0;
constexpr unsigned kLocalUsageMinimum = 0x1;

constexpr std::uint8_t kLongItemPrefix = 0xFE;

// The lengths are 16-bit and include the id byte, so a report holds at most 65534 data bytes.
constexpr std::uint64_t kMaxReportBits = std::uint64_t{0xFFFF - 1} * 8;
// Real descriptors push once or twice; the limit keeps a run of Push bytes from eating memory.
constexpr std::size_t kMaxPushDepth = 64;

enum ReportKind : std::size_t { kInput, kOutput, kFeature, kKindCount };

struct GlobalState {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint32_t reportId = 0;  // 0: the descriptor has not named one (yet)
};

// A usage as written: one or two data bytes take the usage page current at the main item,
// four bytes carry their own page in the high half.
struct PendingUsage {
    bool present = false;
    bool extended = false;
    std::uint32_t value = 0;
};

struct LocalState {
    PendingUsage usage;  // the first Usage; a collection takes that one
    PendingUsage usageMinimum;
};

// Bits per report id and kind. A slot counts only for the top-level collection numbered
// `owner`, so starting the next collection costs nothing however many there are.
struct ReportSlot {
    std::size_t owner = 0;
    std::array<std::uint64_t, kKindCount> bits{};
};

std::uint16_t byteLength(std::uint64_t bits) {
    if (bits == 0) return 0;
    return static_cast<std::uint16_t>((bits + 7) / 8 + 1);
}

class Parser {
  public:
    explicit Parser(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    void run(HidDescriptorParse& out) {
        m_out = &out;
        std::size_t pos = 0;
        while (pos < m_bytes.size() && m_out->ok()) {
            m_itemStart = pos;
            const std::uint8_t prefix = m_bytes[pos];
            const std::size_t left = m_bytes.size() - pos - 1;
            if (prefix == kLongItemPrefix) {
                // Long items carry no meaning for report layout; skip their payload.
                if (left < 2) return fail("truncated long item");
                const std::size_t dataSize = m_bytes[pos + 1];
                if (left - 2 < dataSize) return fail("long item runs past the end");
                pos += 3 + dataSize;
                continue;
            }
            const unsigned sizeCode = prefix & 0x3u;
            const std::size_t dataSize = sizeCode == 3 ? 4 : sizeCode;
            if (left < dataSize) return fail("truncated item");
            std::uint32_t value = 0;
            for (std::size_t i = 0; i < dataSize; ++i) {
                value |= std::uint32_t{m_bytes[pos + 1 + i]} << (8 * i);
            }
            item((prefix >> 2) & 0x3u, prefix >> 4, dataSize, value);
            pos += 1 + dataSize;
        }
        if (!m_out->ok()) return;
        m_itemStart = m_bytes.size();
        if (m_depth != 0) return fail("collection not closed");
        if (m_out->collections.empty()) fail("no top-level collection");
    }

  private:
    void fail(std::string_view message) {
        m_out->error = message;
        m_out->errorOffset = m_itemStart;
    }

    void item(unsigned type, unsigned tag, std::size_t dataSize, std::uint32_t value) {
        switch (type) {
            case kTypeMain:
                mainItem(tag);
                m_local = LocalState{};
                break;
            case kTypeGlobal:
                globalItem(tag, value);
                break;
            case kTypeLocal:
                localItem(tag, dataSize, value);
                break;
            default:  // reserved item type: nothing to learn from it
                break;
        }
    }

    void mainItem(unsigned tag) {
        switch (tag) {
            case kMainInput:
                return addReport(kInput);
            case kMainOutput:
                return addReport(kOutput);
            case kMainFeature:
                return addReport(kFeature);
            case kMainCollection:
                if (m_depth == 0) beginTopLevel();
                ++m_depth;
                return;
            case kMainEndCollection:
                if (m_depth == 0) return fail("end collection without collection");
                if (--m_depth == 0) endTopLevel();
                return;
            default:
                return;
        }
    }

    void globalItem(unsigned tag, std::uint32_t value) {
        switch (tag) {
            case kGlobalUsagePage:
                m_global.usagePage = value & 0xFFFFu;
                return;
            case kGlobalReportSize:
                m_global.reportSize = value;
                return;
            case kGlobalReportCount:
                m_global.reportCount = value;
                return;
            case kGlobalReportId:
                if (value == 0 || value > 0xFF) return fail("report id out of range");
                m_global.reportId = value;
                return;
            case kGlobalPush:
                if (m_stackDepth == m_stack.size()) return fail("push nested too deep");
                m_stack[m_stackDepth++] = m_global;
                return;
            case kGlobalPop:
                if (m_stackDepth == 0) return fail("pop without push");
                m_global = m_stack[--m_stackDepth];
                return;
            default:
                return;
        }
    }

    void localItem(unsigned tag, std::size_t dataSize, std::uint32_t value) {
        PendingUsage* target = nullptr;
        if (tag == kLocalUsage) target = &m_local.usage;
        if (tag == kLocalUsageMinimum) target = &m_local.usageMinimum;
        if (target == nullptr || target->present) return;
        *target = PendingUsage{true, dataSize == 4, value};
    }

    void beginTopLevel() {
        const PendingUsage& named = m_local.usage.present ? m_local.usage : m_local.usageMinimum;
        m_info = HidCollectionInfo{};
        m_info.usagePage =
            static_cast<std::uint16_t>(named.extended ? named.value >> 16 : m_global.usagePage);
        m_info.usage = static_cast<std::uint16_t>(named.value & 0xFFFFu);
        m_largest = {};
        ++m_topLevelNumber;
    }

    void endTopLevel() {
        m_info.inputReportByteLength = byteLength(m_largest[kInput]);
        m_info.outputReportByteLength = byteLength(m_largest[kOutput]);
        m_info.featureReportByteLength = byteLength(m_largest[kFeature]);
        m_out->collections.push_back(m_info);
    }

    void addReport(ReportKind kind) {
        if (m_depth == 0) return fail("main item outside a collection");
        ReportSlot& slot = m_slots[m_global.reportId];
        if (slot.owner != m_topLevelNumber) slot = ReportSlot{m_topLevelNumber, {}};
        // Both factors are 32-bit, so the product fits; the sum is kept below the limit.
        const std::uint64_t itemBits = std::uint64_t{m_global.reportSize} * m_global.reportCount;
        std::uint64_t& total = slot.bits[kind];
        if (itemBits > kMaxReportBits - total) return fail("report longer than 65535 bytes");
        total += itemBits;
        m_largest[kind] = std::max(m_largest[kind], total);
    }

    std::span<const std::uint8_t> m_bytes;
    HidDescriptorParse* m_out = nullptr;
    std::size_t m_itemStart = 0;
    GlobalState m_global;
    LocalState m_local;
    std::array<GlobalState, kMaxPushDepth> m_stack{};
    std::size_t m_stackDepth = 0;
    std::size_t m_depth = 0;
    // The top-level collection being read; numbered from 1 so that no slot starts owned.
    HidCollectionInfo m_info;
    std::size_t m_topLevelNumber = 0;
    std::array<ReportSlot, 256> m_slots{};
    std::array<std::uint64_t, kKindCount> m_largest{};
};

}  // namespace

HidDescriptorParse parseHidDescriptor(std::span<const std::uint8_t> descriptor) noexcept {
    HidDescriptorParse result;
    try {
        Parser parser(descriptor);
        parser.run(result);
    } catch (const std::bad_alloc&) {
        // Only growing the collection list allocates; keep what was stored.
        result.error = "out of memory";
    }
    return result;
}

}  // namespace vornik
