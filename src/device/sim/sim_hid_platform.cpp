#include "device/sim/sim_hid_platform.h"

#include <algorithm>
#include <cstdio>

#include "device/device_link.h"

namespace vornik {

bool SimHidPlatform::present(const Entry& entry) const {
    return !entry.interface.firmware || !entry.interface.firmware->vanished();
}

void SimHidPlatform::plug(SimInterface interface) {
    m_entries.push_back({m_nextId++, false, std::move(interface), {}});
}

void SimHidPlatform::unplug(const std::string& path) {
    std::erase_if(m_entries, [&](const Entry& e) { return e.interface.path.path == path; });
}

void SimHidPlatform::unplugAll() { m_entries.clear(); }

void SimHidPlatform::plugDriver(std::string path, SimIoControl ioControl) {
    SimInterface interface;
    interface.path.path = std::move(path);
    m_entries.push_back({m_nextId++, true, std::move(interface), std::move(ioControl)});
}

int SimHidPlatform::presentInterfaces() const {
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
        return !e.isDriver && present(e);
    }));
}

std::optional<ClassGuid> SimHidPlatform::hidClassGuid() {
    if (!hidGuidAvailable) return std::nullopt;
    return kHidClassFallback;
}

std::optional<std::vector<InterfacePath>> SimHidPlatform::listInterfaces(const ClassGuid& cls) {
    if (listFails) return std::nullopt;
    const bool wantDriver = cls == kDriverClass;
    if (!wantDriver && cls != kHidClassFallback) return std::vector<InterfacePath>{};
    std::vector<InterfacePath> paths;
    for (const auto& entry : m_entries)
        if (entry.isDriver == wantDriver && present(entry)) paths.push_back(entry.interface.path);
    return paths;
}

DeviceHandle SimHidPlatform::open(const InterfacePath& path) {
    for (const auto& entry : m_entries) {
        if (entry.interface.path != path || !present(entry)) continue;
        if (!entry.interface.openable) return kNoHandle;
        const DeviceHandle handle = m_nextHandle++;
        m_handles[handle] = entry.id;
        return handle;
    }
    return kNoHandle;
}

void SimHidPlatform::close(DeviceHandle handle) {
    unlockExclusive(handle);
    m_handles.erase(handle);
}

bool SimHidPlatform::tryLockExclusive(DeviceHandle handle) {
    const Entry* entry = entryOf(handle);
    // A device that went away is held by nobody; what is done with it fails on its own.
    if (!entry) return true;
    if (heldElsewhere && heldElsewhere()) return false;
    const SimMouse* device = entry->interface.firmware.get();
    if (!device) return true;
    const auto [it, inserted] = m_locks.emplace(device, handle);
    return inserted || it->second == handle;
}

void SimHidPlatform::unlockExclusive(DeviceHandle handle) {
    std::erase_if(m_locks, [&](const auto& lock) { return lock.second == handle; });
}

const SimHidPlatform::Entry* SimHidPlatform::entryOf(DeviceHandle handle) const {
    auto it = m_handles.find(handle);
    if (it == m_handles.end()) return nullptr;
    for (const auto& entry : m_entries)
        if (entry.id == it->second) return present(entry) ? &entry : nullptr;
    return nullptr;  // unplugged while open
}

std::optional<HidAttributes> SimHidPlatform::attributes(DeviceHandle handle) {
    const Entry* entry = entryOf(handle);
    if (!entry || entry->isDriver) return std::nullopt;
    return entry->interface.attributes;
}

std::optional<std::uint16_t> SimHidPlatform::featureReportLength(DeviceHandle handle) {
    const Entry* entry = entryOf(handle);
    if (!entry || entry->isDriver) return std::nullopt;
    return entry->interface.featureLen;
}

bool SimHidPlatform::setFeature(DeviceHandle handle, std::span<const std::uint8_t> report) {
    const Entry* entry = entryOf(handle);
    if (!entry || !entry->interface.firmware || report.size() != entry->interface.featureLen)
        return false;
    return entry->interface.firmware->setFeature(report);
}

bool SimHidPlatform::getFeature(DeviceHandle handle, std::span<std::uint8_t> report) {
    const Entry* entry = entryOf(handle);
    if (!entry || !entry->interface.firmware || report.size() != entry->interface.featureLen)
        return false;
    return entry->interface.firmware->getFeature(report);
}

bool SimHidPlatform::ioControl(DeviceHandle handle, std::uint32_t code,
                               std::span<const std::uint8_t> in, std::span<std::uint8_t> out,
                               std::uint32_t& returned) {
    const Entry* entry = entryOf(handle);
    if (!entry || !entry->ioControl) return false;
    return entry->ioControl(code, in, out, returned);
}

std::string simHidPath(std::uint16_t vendorId, std::uint16_t productId, int interfaceNo,
                       int collection) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer,
                  "\\\\?\\hid#vid_%04x&pid_%04x&mi_%02d&col%02d#8&2d5c1a3b&0&%04d"
                  "#{4d1e55b2-f16f-11cf-88cb-001111000030}",
                  vendorId, productId, interfaceNo, collection, interfaceNo * 10 + collection);
    return buffer;
}

std::string simDriverPath(std::uint16_t number) {
    std::string path = "\\\\?\\root#vornikflt#0000#mouse&filter&";
    path.resize(54, '0');
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X", number);
    return path + digits + "#{902e3649-bb28-43e0-83e2-858cecfbee7b}";
}

std::shared_ptr<SimMouse> plugDefaultMouse(SimHidPlatform& platform) {
    auto firmware = std::make_shared<SimMouse>();
    const HidAttributes ids{static_cast<std::uint16_t>(kMouseVendorId),
                            static_cast<std::uint16_t>(kMouseProductId),
                            static_cast<std::uint16_t>(kMouseVersion)};
    const auto vid = ids.vendorId;
    const auto pid = ids.productId;
    // All interfaces belong to the one device and vanish with it; only the configuration
    // collection answers feature reports of 8 bytes.
    platform.plug({{simHidPath(vid, pid, 0, 1), 0}, ids, 0, firmware, true});  // pointer
    platform.plug({{simHidPath(vid, pid, 1, 1), 0}, ids, 0, firmware, true});  // keyboard keys
    platform.plug({{simHidPath(vid, pid, 1, 2), 0}, ids, 3, firmware, true});  // consumer
    platform.plug({{simHidPath(vid, pid, 1, 3), 0}, ids, 8, firmware, true});  // configuration
    return firmware;
}

void plugOtherDevices(SimHidPlatform& platform) {
    const HidAttributes keyboard{0x046D, 0xC31C, 0x6400};
    platform.plug({{simHidPath(0x046D, 0xC31C, 0, 1), 0}, keyboard, 0, nullptr, false});
    platform.plug({{simHidPath(0x046D, 0xC31C, 1, 1), 0}, keyboard, 2, nullptr, true});
    // Same length as the mouse's report, other identifiers: must never be taken for it.
    const HidAttributes headset{0x1B1C, 0x0A51, 0x0104};
    platform.plug({{simHidPath(0x1B1C, 0x0A51, 3, 1), 0}, headset, 8, nullptr, true});
}

}  // namespace vornik
