#include "inventory/scan_monitors.h"

#include "inventory/registry_scan.h"

#include <windows.h>

#include <devguid.h>
#include <setupapi.h>

#include <cwchar>
#include <string>

namespace moniquet {

static_assert(kScanPresent == DIGCF_PRESENT);
static_assert(kScanAllClasses == DIGCF_ALLCLASSES);
static_assert(kErrorSuccess == ERROR_SUCCESS);
static_assert(kErrorMoreData == ERROR_MORE_DATA);
static_assert(kErrorNoMoreItems == ERROR_NO_MORE_ITEMS);
static_assert(sizeof(HDEVINFO) == sizeof(DeviceSetHandle));
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

// Windows keeps instance IDs under 200 characters; a larger size asked for
// is no ID worth allocating for.
constexpr DWORD kInstanceIdCapacity = 4096;

HKEY AsKey(RegistryKeyHandle key) {
    return static_cast<HKEY>(key);
}

// The device's instance ID, empty when it cannot be read: the first call
// asks for the size, terminator included.
std::u16string InstanceId(HDEVINFO set, SP_DEVINFO_DATA& device) {
    DWORD required = 0;
    if (SetupDiGetDeviceInstanceIdW(set, &device, nullptr, 0, &required) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || required == 0 ||
        required > kInstanceIdCapacity) {
        return {};
    }
    std::wstring id(required, L'\0');
    if (!SetupDiGetDeviceInstanceIdW(set, &device, id.data(), required, nullptr)) {
        return {};
    }
    id.resize(wcsnlen(id.c_str(), id.size()));
    return std::u16string(id.begin(), id.end());
}

OpenedDevice OpenDevice(DeviceSetHandle set, uint32_t index) {
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(SP_DEVINFO_DATA);
    if (!SetupDiEnumDeviceInfo(set, index, &device)) {
        // Only this failure's own error says where the set ends: a successful
        // call does not always clear the thread's last error (under Wine
        // get-class-devs and a successful enumeration leave it as it was),
        // so it is read here and nowhere else.
        return WithoutKey(GetLastError() == ERROR_NO_MORE_ITEMS ? DeviceOpening::NoMoreDevices
                                                                : DeviceOpening::Failed);
    }
    OpenedDevice opened;
    opened.key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (!IsOpenHandle(opened.key)) {
        return WithoutKey(DeviceOpening::NoKey);
    }
    opened.outcome = DeviceOpening::KeyOpened;
    opened.instanceId = InstanceId(set, device);
    return opened;
}

} // namespace

int32_t ScanMonitors(MonitorList& list, uint32_t flags) {
    const DeviceRegistry registry{
        .getClassDevs = [](uint32_t setFlags) -> DeviceSetHandle {
            return SetupDiGetClassDevsExW(&GUID_DEVCLASS_MONITOR, nullptr, nullptr, setFlags,
                                          nullptr, nullptr, nullptr);
        },
        .openDevice = OpenDevice,
        .enumValue = [](RegistryKeyHandle key, uint32_t index, char* name, uint32_t& nameCapacity,
                        uint8_t* data, uint32_t& dataSize) -> uint32_t {
            DWORD nameLength = nameCapacity;
            DWORD size = dataSize;
            DWORD type = 0;
            const LSTATUS result =
                RegEnumValueA(AsKey(key), index, name, &nameLength, nullptr, &type, data, &size);
            nameCapacity = nameLength;
            dataSize = size;
            return static_cast<uint32_t>(result);
        },
        .closeKey = [](RegistryKeyHandle key) { RegCloseKey(AsKey(key)); },
        .destroyDeviceInfoList = [](DeviceSetHandle set) { SetupDiDestroyDeviceInfoList(set); },
    };
    return ScanDeviceRegistry(registry, list, flags);
}

} // namespace moniquet
