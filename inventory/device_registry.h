// The device-installation and registry operations that the monitor scan
// calls, gathered in one record so that the scan runs unchanged against the
// system (SETUPAPI and ADVAPI32 on Windows) or an in-memory registry.
// Every member mirrors the Win32 function of the same name; handles are
// opaque to the scan.
#pragma once

#include <cstdint>
#include <functional>

using DeviceSetHandle = void*;
using RegistryKeyHandle = void*;

// Result codes and last errors, with their Win32 values.
inline constexpr uint32_t kErrorSuccess = 0;
inline constexpr uint32_t kErrorMoreData = 234;
inline constexpr uint32_t kErrorNoMoreItems = 259;

// INVALID_HANDLE_VALUE: besides NULL, what a failed get-class-devs or
// open-key returns.
inline void* InvalidHandleValue() {
    return reinterpret_cast<void*>(~uintptr_t{0});
}

struct DeviceRegistry {
    // SetupDiGetClassDevsExW for the monitor class with `flags`.
    std::function<DeviceSetHandle(uint32_t flags)> getClassDevs;
    // SetupDiEnumDeviceInfo: true when `index` lies inside the set. The
    // device it fills in is the one that openDevRegKey opens next.
    std::function<bool(DeviceSetHandle set, uint32_t index)> enumDeviceInfo;
    // SetupDiOpenDevRegKey for the device last enumerated: its hardware key
    // (DICS_FLAG_GLOBAL, DIREG_DEV), opened for KEY_READ.
    std::function<RegistryKeyHandle(DeviceSetHandle set)> openDevRegKey;
    // RegEnumValueA. `nameCapacity` (characters, terminator included) and
    // `dataSize` (bytes) are in-out; `data` may be null to learn the size
    // only. Returns a Win32 result code.
    std::function<uint32_t(RegistryKeyHandle key, uint32_t index, char* name,
                           uint32_t& nameCapacity, uint8_t* data, uint32_t& dataSize)>
        enumValue;
    // RegCloseKey.
    std::function<void(RegistryKeyHandle key)> closeKey;
    // SetupDiDestroyDeviceInfoList.
    std::function<void(DeviceSetHandle set)> destroyDeviceInfoList;
    // GetLastError.
    std::function<uint32_t()> getLastError;
};
