#include "device/windows/win_hid_platform.h"

// clang-format off
#include <windows.h>
#include <setupapi.h>
#include <hidsdi.h>
// clang-format on

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <new>
#include <string>

namespace vornik {

namespace {

static_assert(sizeof(DeviceHandle) == sizeof(HANDLE));

// Entry points bound at run time: the program starts without hid.dll or setupapi.dll and the
// operations that need a missing one fail. The signatures come from the SDK declarations.
struct HidApi {
    decltype(&::HidD_GetHidGuid) getHidGuid = nullptr;
    decltype(&::HidD_GetAttributes) getAttributes = nullptr;
    decltype(&::HidD_GetPreparsedData) getPreparsedData = nullptr;
    decltype(&::HidP_GetCaps) getCaps = nullptr;
    decltype(&::HidD_FreePreparsedData) freePreparsedData = nullptr;
    decltype(&::HidD_SetFeature) setFeature = nullptr;
    decltype(&::HidD_GetFeature) getFeature = nullptr;
    decltype(&::SetupDiGetClassDevsA) getClassDevs = nullptr;
    decltype(&::SetupDiEnumDeviceInterfaces) enumDeviceInterfaces = nullptr;
    decltype(&::SetupDiGetDeviceInterfaceDetailA) getDeviceInterfaceDetail = nullptr;
    decltype(&::SetupDiDestroyDeviceInfoList) destroyDeviceInfoList = nullptr;

    bool canList() const {
        return getClassDevs && enumDeviceInterfaces && getDeviceInterfaceDetail &&
               destroyDeviceInfoList;
    }
    bool canReadCaps() const { return getPreparsedData && getCaps && freePreparsedData; }
};

// By full path from the system directory, so that a hid.dll planted in the working directory
// is never picked up.
HMODULE loadSystemLibrary(const char* name) {
    char dir[MAX_PATH];
    const UINT length = GetSystemDirectoryA(dir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    std::string path(dir, length);
    path += '\\';
    path += name;
    return LoadLibraryA(path.c_str());
}

template <typename Fn>
void bindEntry(HMODULE library, const char* name, Fn& entry) {
    const FARPROC proc = library ? GetProcAddress(library, name) : nullptr;
    // Through void(*)(), which GCC accepts as compatible with every function type.
    entry = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

HidApi loadHidApi() {
    HidApi api;
    // The libraries stay loaded for the life of the process; the table points into them.
    const HMODULE hid = loadSystemLibrary("hid.dll");
    bindEntry(hid, "HidD_GetHidGuid", api.getHidGuid);
    bindEntry(hid, "HidD_GetAttributes", api.getAttributes);
    bindEntry(hid, "HidD_GetPreparsedData", api.getPreparsedData);
    bindEntry(hid, "HidP_GetCaps", api.getCaps);
    bindEntry(hid, "HidD_FreePreparsedData", api.freePreparsedData);
    bindEntry(hid, "HidD_SetFeature", api.setFeature);
    bindEntry(hid, "HidD_GetFeature", api.getFeature);
    const HMODULE setup = loadSystemLibrary("setupapi.dll");
    bindEntry(setup, "SetupDiGetClassDevsA", api.getClassDevs);
    bindEntry(setup, "SetupDiEnumDeviceInterfaces", api.enumDeviceInterfaces);
    bindEntry(setup, "SetupDiGetDeviceInterfaceDetailA", api.getDeviceInterfaceDetail);
    bindEntry(setup, "SetupDiDestroyDeviceInfoList", api.destroyDeviceInfoList);
    return api;
}

const HidApi& hidApi() {
    static const HidApi api = loadHidApi();
    return api;
}

HANDLE toHandle(DeviceHandle handle) { return reinterpret_cast<HANDLE>(handle); }

DeviceHandle toDeviceHandle(HANDLE handle) { return reinterpret_cast<DeviceHandle>(handle); }

// kNoHandle is also the current-process pseudo handle; never let it reach a call.
bool isUsable(DeviceHandle handle) { return handle != kNoHandle && handle != 0; }

GUID toGuid(const ClassGuid& cls) {
    GUID guid{};
    guid.Data1 = cls.data1;
    guid.Data2 = cls.data2;
    guid.Data3 = cls.data3;
    std::copy(cls.data4.begin(), cls.data4.end(), guid.Data4);
    return guid;
}

ClassGuid toClassGuid(const GUID& guid) {
    ClassGuid cls;
    cls.data1 = static_cast<std::uint32_t>(guid.Data1);
    cls.data2 = guid.Data2;
    cls.data3 = guid.Data3;
    std::copy(std::begin(guid.Data4), std::end(guid.Data4), cls.data4.begin());
    return cls;
}

bool fitsUlong(std::size_t size) { return size <= ULONG_MAX; }

class DeviceInfoList {
  public:
    DeviceInfoList(const HidApi& api, HDEVINFO set) : m_api(api), m_set(set) {}
    ~DeviceInfoList() { m_api.destroyDeviceInfoList(m_set); }
    DeviceInfoList(const DeviceInfoList&) = delete;
    DeviceInfoList& operator=(const DeviceInfoList&) = delete;

    HDEVINFO get() const { return m_set; }

  private:
    const HidApi& m_api;
    HDEVINFO m_set;
};

}  // namespace

std::optional<ClassGuid> WinHidPlatform::hidClassGuid() {
    const HidApi& api = hidApi();
    if (!api.getHidGuid) {
        return std::nullopt;
    }
    GUID guid{};
    api.getHidGuid(&guid);
    return toClassGuid(guid);
}

std::optional<std::vector<InterfacePath>> WinHidPlatform::listInterfaces(const ClassGuid& cls) {
    const HidApi& api = hidApi();
    if (!api.canList()) {
        return std::nullopt;
    }
    GUID guid = toGuid(cls);
    const HDEVINFO set =
        api.getClassDevs(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const DeviceInfoList list(api, set);

    try {
        std::vector<InterfacePath> result;
        constexpr std::size_t kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
        for (DWORD index = 0;; ++index) {
            SP_DEVICE_INTERFACE_DATA data{};
            data.cbSize = sizeof(data);
            if (!api.enumDeviceInterfaces(list.get(), nullptr, &guid, index, &data)) {
                break;
            }
            DWORD required = 0;
            const BOOL sized =
                api.getDeviceInterfaceDetail(list.get(), &data, nullptr, 0, &required, nullptr);
            const DWORD error = GetLastError();
            if (sized || required == 0 || error != ERROR_INSUFFICIENT_BUFFER) {
                continue;
            }
            // DWORD elements keep the struct aligned; never smaller than the struct itself.
            const std::size_t bytes =
                std::max<std::size_t>(required, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A));
            std::vector<DWORD> storage((bytes + sizeof(DWORD) - 1) / sizeof(DWORD));
            auto* detail =
                static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(static_cast<void*>(storage.data()));
            detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
            if (!api.getDeviceInterfaceDetail(list.get(), &data, detail, static_cast<DWORD>(bytes),
                                              nullptr, nullptr)) {
                continue;
            }
            // Bounded by the buffer in case the path arrives unterminated.
            const std::size_t room = storage.size() * sizeof(DWORD) - kPathOffset;
            const char* path = detail->DevicePath;
            result.push_back(InterfacePath{std::string(path, strnlen(path, room)), 0});
        }
        return result;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

DeviceHandle WinHidPlatform::open(const InterfacePath& path) {
    const HANDLE handle = CreateFileA(path.path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) {
        return kNoHandle;
    }
    try {
        m_paths[toDeviceHandle(handle)] = path.path;
    } catch (const std::bad_alloc&) {
        CloseHandle(handle);
        return kNoHandle;
    }
    return toDeviceHandle(handle);
}

void WinHidPlatform::close(DeviceHandle handle) {
    m_locks.erase(handle);
    m_paths.erase(handle);
    if (isUsable(handle)) {
        CloseHandle(toHandle(handle));
    }
}

bool WinHidPlatform::tryLockExclusive(DeviceHandle handle) {
    const auto path = m_paths.find(handle);
    if (path == m_paths.end()) {
        return false;
    }
    try {
        auto lock = std::make_unique<ExclusiveFileLock>();
        std::string error;
        if (lock->tryLock(path->second, error) != ExclusiveFileLock::Result::Taken) {
            return false;
        }
        m_locks[handle] = std::move(lock);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void WinHidPlatform::unlockExclusive(DeviceHandle handle) { m_locks.erase(handle); }

std::optional<HidAttributes> WinHidPlatform::attributes(DeviceHandle handle) {
    const HidApi& api = hidApi();
    if (!api.getAttributes || !isUsable(handle)) {
        return std::nullopt;
    }
    HIDD_ATTRIBUTES raw{};
    raw.Size = sizeof(raw);
    if (!api.getAttributes(toHandle(handle), &raw)) {
        return std::nullopt;
    }
    return HidAttributes{raw.VendorID, raw.ProductID, raw.VersionNumber};
}

std::optional<std::uint16_t> WinHidPlatform::featureReportLength(DeviceHandle handle) {
    const HidApi& api = hidApi();
    // Without the free entry point the preparsed data would leak, so all three or none.
    if (!api.canReadCaps() || !isUsable(handle)) {
        return std::nullopt;
    }
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (!api.getPreparsedData(toHandle(handle), &preparsed) || preparsed == nullptr) {
        return std::nullopt;
    }
    HIDP_CAPS caps{};
    const NTSTATUS status = api.getCaps(preparsed, &caps);
    api.freePreparsedData(preparsed);
    if (status != HIDP_STATUS_SUCCESS) {
        return std::nullopt;
    }
    return caps.FeatureReportByteLength;
}

bool WinHidPlatform::setFeature(DeviceHandle handle, std::span<const std::uint8_t> report) {
    const HidApi& api = hidApi();
    if (!api.setFeature || !isUsable(handle) || report.empty() || !fitsUlong(report.size())) {
        return false;
    }
    // The buffer is input only; the declaration merely lacks the const.
    void* buffer = const_cast<std::uint8_t*>(report.data());
    return api.setFeature(toHandle(handle), buffer, static_cast<ULONG>(report.size()));
}

bool WinHidPlatform::getFeature(DeviceHandle handle, std::span<std::uint8_t> report) {
    const HidApi& api = hidApi();
    if (!api.getFeature || !isUsable(handle) || report.empty() || !fitsUlong(report.size())) {
        return false;
    }
    try {
        // Starts as a copy: byte 0 carries the requested report id. A failed call may have
        // written part of it, which the caller must not see.
        std::vector<std::uint8_t> scratch(report.begin(), report.end());
        if (!api.getFeature(toHandle(handle), scratch.data(), static_cast<ULONG>(scratch.size()))) {
            return false;
        }
        std::copy(scratch.begin(), scratch.end(), report.begin());
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool WinHidPlatform::ioControl(DeviceHandle handle, std::uint32_t code,
                               std::span<const std::uint8_t> in, std::span<std::uint8_t> out,
                               std::uint32_t& returned) {
    returned = 0;
    if (!isUsable(handle) || !fitsUlong(in.size()) || !fitsUlong(out.size())) {
        return false;
    }
    // Input only, as above.
    void* inBuffer = in.empty() ? nullptr : const_cast<std::uint8_t*>(in.data());
    void* outBuffer = out.empty() ? nullptr : out.data();
    DWORD written = 0;
    if (!DeviceIoControl(toHandle(handle), code, inBuffer, static_cast<DWORD>(in.size()), outBuffer,
                         static_cast<DWORD>(out.size()), &written, nullptr)) {
        return false;
    }
    returned = written;
    return true;
}

}  // namespace vornik
