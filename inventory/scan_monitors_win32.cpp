#include "inventory/scan_monitors.h"

#include "inventory/registry_scan.h"

#include <windows.h>

#include <devguid.h>
#include <setupapi.h>

static_assert(kScanPresent == DIGCF_PRESENT);
static_assert(kScanAllClasses == DIGCF_ALLCLASSES);
static_assert(kErrorSuccess == ERROR_SUCCESS);
static_assert(kErrorMoreData == ERROR_MORE_DATA);
static_assert(kErrorNoMoreItems == ERROR_NO_MORE_ITEMS);
static_assert(sizeof(HDEVINFO) == sizeof(DeviceSetHandle));

namespace {

HKEY AsKey(RegistryKeyHandle key) {
    return static_cast<HKEY>(key);
}

} // namespace

int32_t ScanMonitors(MonitorList& list, uint32_t flags) {
    // The device that the last enumeration filled in, for the key opening
    // that follows it.
    SP_DEVINFO_DATA device{};

    const DeviceRegistry registry{
        .getClassDevs = [](uint32_t setFlags) -> DeviceSetHandle {
            return SetupDiGetClassDevsExW(&GUID_DEVCLASS_MONITOR, nullptr, nullptr, setFlags,
                                          nullptr, nullptr, nullptr);
        },
        .enumDeviceInfo =
            [&device](DeviceSetHandle set, uint32_t index) {
                device = SP_DEVINFO_DATA{};
                device.cbSize = sizeof(SP_DEVINFO_DATA);
                return SetupDiEnumDeviceInfo(set, index, &device) != FALSE;
            },
        .openDevRegKey = [&device](DeviceSetHandle set) -> RegistryKeyHandle {
            return SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        },
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
        .getLastError = []() -> uint32_t { return GetLastError(); },
    };
    return ScanDeviceRegistry(registry, list, flags);
}
