#include "device/device_link.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace vornik {

namespace {

bool isMouseInterface(const HidAttributes& attributes, std::uint16_t featureLen,
                      std::uint32_t vendorId, std::uint32_t productId, std::uint32_t version) {
    return featureLen == kMouseFeatureLen && attributes.vendorId == vendorId &&
           attributes.productId == productId && attributes.versionNumber == version;
}

}  // namespace

long driverNumberOfPath(const std::string& path) {
    constexpr std::size_t kFirst = 54;  // position 55, counted from 1
    constexpr std::size_t kDigits = 4;
    if (path.size() < kFirst + kDigits) return -1;
    const char* begin = path.data() + kFirst;
    const char* end = begin + kDigits;
    if (!std::all_of(begin, end,
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
        return -1;
    unsigned value = 0;
    auto [ptr, ec] = std::from_chars(begin, end, value, 16);
    if (ec != std::errc() || ptr != end) return -1;
    return static_cast<long>(value);
}

DeviceLink::DeviceLink(HidPlatform& platform) : m_platform(platform) {}

DeviceLink::~DeviceLink() {
    closeMouse();
    closeDriver();
}

ClassGuid DeviceLink::hidClass() { return m_platform.hidClassGuid().value_or(kHidClassFallback); }

int DeviceLink::deviceCount() {
    auto paths = m_platform.listInterfaces(hidClass());
    if (!paths) return 0;
    int count = 0;
    for (const auto& path : *paths) {
        DeviceHandle handle = m_platform.open(path);
        if (handle == kNoHandle) continue;
        ++count;
        m_platform.close(handle);
    }
    return count;
}

bool DeviceLink::openMouse(std::uint32_t vendorId, std::uint32_t productId,
                           std::uint32_t& version) {
    auto paths = m_platform.listInterfaces(hidClass());
    if (!paths) return false;
    bool found = false;
    const std::uint32_t wanted = version;
    for (const auto& path : *paths) {
        DeviceHandle handle = m_platform.open(path);
        if (handle == kNoHandle) continue;
        auto attributes = m_platform.attributes(handle);
        auto featureLen = m_platform.featureReportLength(handle);
        if (attributes && featureLen &&
            isMouseInterface(*attributes, *featureLen, vendorId, productId, wanted)) {
            // The last match wins; whatever was open before must not leak.
            if (mouseHandle != kNoHandle) {
                releaseMouseLock();
                m_platform.close(mouseHandle);
            }
            mouseHandle = handle;
            mousePath = path;
            currentVendorId = attributes->vendorId;
            currentProductId = attributes->productId;
            featureLength = kMouseFeatureLen;
            version = attributes->versionNumber;
            found = true;
        } else {
            m_platform.close(handle);
        }
    }
    return found;
}

bool DeviceLink::openDriver(std::uint32_t number) {
    auto paths = m_platform.listInterfaces(kDriverClass);
    if (!paths) return false;
    bool found = false;
    for (const auto& path : *paths) {
        if (driverNumberOfPath(path.path) != static_cast<long>(number)) continue;
        DeviceHandle handle = m_platform.open(path);
        if (handle == kNoHandle) continue;
        if (driverHandle != kNoHandle) m_platform.close(driverHandle);
        driverHandle = handle;
        found = true;
    }
    return found;
}

bool DeviceLink::setFeatureReport(DeviceHandle handle, std::span<std::uint8_t, 8> buffer) {
    if (handle == kNoHandle) return false;
    return m_platform.setFeature(handle, std::span<const std::uint8_t>(buffer).first(
                                             std::min<std::size_t>(featureLength, buffer.size())));
}

bool DeviceLink::getFeatureReport(DeviceHandle handle, std::span<std::uint8_t, 8> buffer) {
    if (handle == kNoHandle) return false;
    return m_platform.getFeature(handle, std::span<std::uint8_t>(buffer).first(
                                             std::min<std::size_t>(featureLength, buffer.size())));
}

bool DeviceLink::driverIoControl(std::uint32_t code, std::span<const std::uint8_t> in,
                                 std::span<std::uint8_t> out, std::uint32_t& returned) {
    returned = 0;
    if (driverHandle == kNoHandle) return false;
    return m_platform.ioControl(driverHandle, code, in, out, returned);
}

void DeviceLink::releaseMouseLock() {
    if (m_mouseLocked && mouseHandle != kNoHandle) m_platform.unlockExclusive(mouseHandle);
    m_mouseLocked = false;
}

bool DeviceLink::lockMouse() {
    if (mouseHandle == kNoHandle) return false;
    if (!m_mouseLocked) m_mouseLocked = m_platform.tryLockExclusive(mouseHandle);
    return m_mouseLocked;
}

void DeviceLink::unlockMouse() { releaseMouseLock(); }

void DeviceLink::closeMouse() {
    releaseMouseLock();
    if (mouseHandle != kNoHandle) m_platform.close(mouseHandle);
    mouseHandle = kNoHandle;
    mousePath = {};
    currentVendorId = 0;
    currentProductId = 0;
}

bool DeviceLink::mousePresent() {
    if (mouseHandle == kNoHandle) return false;
    auto paths = m_platform.listInterfaces(hidClass());
    return paths && std::find(paths->begin(), paths->end(), mousePath) != paths->end();
}

void DeviceLink::closeDriver() {
    if (driverHandle != kNoHandle) m_platform.close(driverHandle);
    driverHandle = kNoHandle;
}

std::vector<InterfaceReport> DeviceLink::listInterfaces(std::uint32_t vendorId,
                                                        std::uint32_t productId,
                                                        std::uint32_t version) {
    std::vector<InterfaceReport> reports;
    auto paths = m_platform.listInterfaces(hidClass());
    if (!paths) return reports;
    int lastMatch = -1;
    for (const auto& path : *paths) {
        InterfaceReport report;
        report.path = path;
        // The open mouse stays open; asking it again through a second handle is harmless.
        DeviceHandle handle = m_platform.open(path);
        if (handle != kNoHandle) {
            report.opened = true;
            if (auto attributes = m_platform.attributes(handle)) {
                report.hasAttributes = true;
                report.attributes = *attributes;
            }
            if (auto featureLen = m_platform.featureReportLength(handle)) {
                report.hasFeatureLen = true;
                report.featureLen = *featureLen;
            }
            m_platform.close(handle);
            if (report.hasAttributes && report.hasFeatureLen &&
                isMouseInterface(report.attributes, report.featureLen, vendorId, productId,
                                 version))
                lastMatch = static_cast<int>(reports.size());
        }
        reports.push_back(report);
    }
    if (lastMatch >= 0) reports[static_cast<std::size_t>(lastMatch)].isMouse = true;
    return reports;
}

}  // namespace vornik
