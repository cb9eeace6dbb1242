#include "device/linux/hidraw_platform.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "device/hid_descriptor.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kBusUsb = 0x0003;
// The kernel caps report descriptors at 4 KiB; anything far larger is not one.
constexpr std::size_t kMaxDescriptorSize = 64 * 1024;
constexpr std::size_t kMaxTextSize = 4096;
constexpr std::string_view kNodePrefix = "hidraw";

// The seam promises no exceptions; allocation and filesystem failures end as the fallback.
template <typename R, typename F>
R guarded(R fallback, F&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

// "hidraw12" -> 12; nullopt for anything else in the class directory.
std::optional<unsigned> nodeNumber(std::string_view name) {
    if (!name.starts_with(kNodePrefix) || name.size() == kNodePrefix.size()) return std::nullopt;
    const std::string_view digits = name.substr(kNodePrefix.size());
    unsigned number = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (ec != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return number;
}

std::optional<std::string> readFile(const fs::path& file, std::size_t limit) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string content(limit, '\0');
    in.read(content.data(), static_cast<std::streamsize>(limit));
    if (in.bad()) return std::nullopt;
    content.resize(static_cast<std::size_t>(in.gcount()));
    return content;
}

std::optional<std::uint32_t> parseHex(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

struct HidId {
    std::uint32_t bus = 0;
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
};

// The hid device's uevent holds e.g. "HID_ID=0003:00002C4E:00000B17" (bus:vendor:product).
std::optional<HidId> parseHidId(std::string_view uevent) {
    constexpr std::string_view kKey = "HID_ID=";
    while (!uevent.empty()) {
        const std::size_t eol = std::min(uevent.find('\n'), uevent.size());
        std::string_view line = uevent.substr(0, eol);
        uevent.remove_prefix(std::min(eol + 1, uevent.size()));
        if (!line.starts_with(kKey)) continue;
        line.remove_prefix(kKey.size());
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first == line.npos ? first : first + 1);
        if (second == line.npos) return std::nullopt;
        const auto bus = parseHex(line.substr(0, first));
        const auto vendor = parseHex(line.substr(first + 1, second - first - 1));
        const auto product = parseHex(line.substr(second + 1));
        if (!bus || !vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) {
            return std::nullopt;
        }
        return HidId{*bus, static_cast<std::uint16_t>(*vendor),
                     static_cast<std::uint16_t>(*product)};
    }
    return std::nullopt;
}

bool isWithin(const fs::path& p, const fs::path& root) {
    const auto [rootEnd, pEnd] = std::mismatch(root.begin(), root.end(), p.begin(), p.end());
    return rootEnd == root.end();
}

// The USB device above the hid device carries the release number. Only a USB hid device is
// asked: a Bluetooth one sits below its USB dongle, whose number is not the mouse's.
std::uint16_t usbReleaseNumber(const fs::path& hidDevice, const fs::path& sysRootGiven) {
    std::error_code ec;
    fs::path sysRoot = fs::canonical(sysRootGiven, ec);
    if (ec) return 0;
    for (fs::path dir = hidDevice.parent_path();
         isWithin(dir, sysRoot) && dir != sysRoot && dir != dir.parent_path();
         dir = dir.parent_path()) {
        if (!fs::exists(dir / "bcdDevice", ec)) continue;
        const auto text = readFile(dir / "bcdDevice", kMaxTextSize);
        const auto value = text ? parseHex(*text) : std::nullopt;
        return value && *value <= 0xFFFF ? static_cast<std::uint16_t>(*value) : 0;
    }
    return 0;
}

// What sysfs tells about one hidraw node.
struct NodeInfo {
    fs::path hidDevice;  // canonical directory of the hid device behind the node
    HidDescriptorParse descriptor;
    std::optional<HidId> id;
};

std::optional<NodeInfo> readNode(const fs::path& sysRoot, const std::string& name) {
    std::error_code ec;
    NodeInfo node;
    node.hidDevice = fs::canonical(sysRoot / "class" / "hidraw" / name / "device", ec);
    if (ec) return std::nullopt;
    if (const auto bytes = readFile(node.hidDevice / "report_descriptor", kMaxDescriptorSize)) {
        node.descriptor = parseHidDescriptor(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
    } else {
        node.descriptor.error = "report descriptor unreadable";
    }
    if (const auto uevent = readFile(node.hidDevice / "uevent", kMaxTextSize)) {
        node.id = parseHidId(*uevent);
    }
    return node;
}

// A node whose descriptor yields nothing still counts as one interface without feature report.
std::size_t interfaceCount(const NodeInfo& node) {
    return std::max<std::size_t>(1, node.descriptor.collections.size());
}

}  // namespace

HidrawPlatform::HidrawPlatform(fs::path sysRoot, fs::path devRoot, std::unique_ptr<HidrawIo> io)
    : m_sysRoot(std::move(sysRoot)), m_devRoot(std::move(devRoot)), m_io(std::move(io)) {}

HidrawPlatform::~HidrawPlatform() {
    for (const auto& [handle, iface] : m_open) m_io->close(iface.fd);
}

std::optional<ClassGuid> HidrawPlatform::hidClassGuid() { return kHidClassFallback; }

std::optional<std::vector<InterfacePath>> HidrawPlatform::listInterfaces(const ClassGuid& cls) {
    using Result = std::optional<std::vector<InterfacePath>>;
    if (cls == kDriverClass) return std::vector<InterfacePath>{};  // no companion driver here
    if (cls != kHidClassFallback) return std::nullopt;
    return guarded(Result{}, [&]() -> Result {
        const fs::path classDir = m_sysRoot / "class" / "hidraw";
        std::error_code ec;
        std::vector<std::pair<unsigned, std::string>> nodes;
        if (!fs::exists(classDir, ec)) {
            // Without the hidraw class there are no nodes; without sysfs there is no list.
            return fs::exists(m_sysRoot, ec) ? Result{std::vector<InterfacePath>{}} : Result{};
        }
        for (fs::directory_iterator it(classDir, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (const auto number = nodeNumber(name)) nodes.emplace_back(*number, name);
        }
        if (ec) return std::nullopt;
        std::sort(nodes.begin(), nodes.end());

        std::vector<InterfacePath> list;
        for (const auto& [number, name] : nodes) {
            const auto node = readNode(m_sysRoot, name);
            if (!node) continue;  // unplugged while we listed
            const std::string devicePath = (m_devRoot / name).string();
            for (std::size_t i = 0; i < interfaceCount(*node); ++i) {
                list.push_back(InterfacePath{devicePath, static_cast<std::uint32_t>(i)});
            }
        }
        return list;
    });
}

DeviceHandle HidrawPlatform::open(const InterfacePath& path) {
    return guarded(kNoHandle, [&]() -> DeviceHandle {
        const fs::path node(path.path);
        const std::string name = node.filename().string();
        // Only nodes as listed: the sysfs entry read below must describe the node opened.
        if (!nodeNumber(name) || node != m_devRoot / name) return kNoHandle;
        const auto info = readNode(m_sysRoot, name);
        if (!info || path.collection >= interfaceCount(*info)) return kNoHandle;

        OpenInterface iface;
        if (path.collection < info->descriptor.collections.size()) {
            iface.featureLength =
                info->descriptor.collections[path.collection].featureReportByteLength;
        }
        if (info->id) {
            const std::uint16_t version =
                info->id->bus == kBusUsb ? usbReleaseNumber(info->hidDevice, m_sysRoot) : 0;
            iface.attributes = HidAttributes{info->id->vendor, info->id->product, version};
        }
        iface.fd = m_io->open(path.path);
        if (iface.fd < 0) return kNoHandle;
        const DeviceHandle handle = m_nextHandle++;
        try {
            m_open.emplace(handle, iface);
        } catch (...) {
            m_io->close(iface.fd);
            return kNoHandle;
        }
        return handle;
    });
}

void HidrawPlatform::close(DeviceHandle handle) {
    const auto it = m_open.find(handle);
    if (it == m_open.end()) return;
    m_io->close(it->second.fd);
    m_open.erase(it);
}

HidrawPlatform::OpenInterface* HidrawPlatform::find(DeviceHandle handle) {
    const auto it = m_open.find(handle);
    return it == m_open.end() ? nullptr : &it->second;
}

std::optional<HidAttributes> HidrawPlatform::attributes(DeviceHandle handle) {
    const OpenInterface* iface = find(handle);
    return iface ? iface->attributes : std::nullopt;
}

std::optional<std::uint16_t> HidrawPlatform::featureReportLength(DeviceHandle handle) {
    const OpenInterface* iface = find(handle);
    if (!iface) return std::nullopt;
    return iface->featureLength;
}

bool HidrawPlatform::setFeature(DeviceHandle handle, std::span<const std::uint8_t> report) {
    const OpenInterface* iface = find(handle);
    if (!iface || report.empty()) return false;
    return m_io->setFeature(iface->fd, report) >= 0;
}

bool HidrawPlatform::getFeature(DeviceHandle handle, std::span<std::uint8_t> report) {
    return guarded(false, [&] {
        const OpenInterface* iface = find(handle);
        if (!iface || report.empty()) return false;
        // The ioctl takes the report id from byte 0; the caller's buffer takes only what a
        // successful call returned, never what a failed one left behind.
        std::vector<std::uint8_t> scratch(report.begin(), report.end());
        if (m_io->getFeature(iface->fd, scratch) < 0) return false;
        std::copy(scratch.begin(), scratch.end(), report.begin());
        return true;
    });
}

bool HidrawPlatform::tryLockExclusive(DeviceHandle handle) {
    const OpenInterface* iface = find(handle);
    return iface && m_io->tryLock(iface->fd);
}

void HidrawPlatform::unlockExclusive(DeviceHandle handle) {
    if (const OpenInterface* iface = find(handle)) m_io->unlock(iface->fd);
}

bool HidrawPlatform::ioControl(DeviceHandle, std::uint32_t, std::span<const std::uint8_t>,
                               std::span<std::uint8_t>, std::uint32_t& returned) {
    returned = 0;
    return false;
}

}  // namespace vornik
