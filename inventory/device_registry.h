// The device-installation and registry operations that the monitor scan
// calls, gathered in one record so that the scan runs unchanged against the
// system (SETUPAPI and ADVAPI32 on Windows) or an in-memory registry.
// Handles are opaque to the scan.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace moniquet {

using DeviceSetHandle = void*;
using RegistryKeyHandle = void*;

// Result codes, with their Win32 values.
inline constexpr uint32_t kErrorSuccess = 0;
inline constexpr uint32_t kErrorMoreData = 234;
inline constexpr uint32_t kErrorNoMoreItems = 259;

// INVALID_HANDLE_VALUE: besides NULL, what a failed get-class-devs or
// open-key returns.
inline void* InvalidHandleValue() {
    return reinterpret_cast<void*>(~uintptr_t{0});
}

// Neither NULL nor INVALID_HANDLE_VALUE.
inline bool IsOpenHandle(void* handle) {
    return handle != nullptr && handle != InvalidHandleValue();
}

// How the opening of the device at one index of a set ended.
enum class DeviceOpening {
    // The device's hardware key is open.
    KeyOpened,
    // The device is there but has no hardware key that can be opened; many
    // devices of other classes have none.
    NoKey,
    // The set could not give the device at this index, for any reason but
    // its end.
    Failed,
    // The index lies past the set's last device.
    NoMoreDevices,
};

// What openDevice gives for one index.
struct OpenedDevice {
    DeviceOpening outcome = DeviceOpening::NoMoreDevices;
    // KeyOpened: the hardware key, for enumValue and then closeKey; null
    // otherwise.
    RegistryKeyHandle key = nullptr;
    // KeyOpened: the device instance ID ("DISPLAY\ABC1234\5&1&0&UID1"),
    // empty when it could not be read.
    std::u16string instanceId;
};

// An outcome that opened no key: NoKey, Failed or NoMoreDevices.
inline OpenedDevice WithoutKey(DeviceOpening outcome) {
    OpenedDevice device;
    device.outcome = outcome;
    return device;
}

struct DeviceRegistry {
    // SetupDiGetClassDevsExW for the monitor class with `flags`.
    std::function<DeviceSetHandle(uint32_t flags)> getClassDevs;
    // The device at `index` of the set (SetupDiEnumDeviceInfo), its instance
    // ID (SetupDiGetDeviceInstanceIdW) and its hardware key
    // (SetupDiOpenDevRegKey: DICS_FLAG_GLOBAL, DIREG_DEV, KEY_READ). Whether
    // a failed enumeration is the set's end comes from the error of that
    // failure alone.
    std::function<OpenedDevice(DeviceSetHandle set, uint32_t index)> openDevice;
    // RegEnumValueA. `nameCapacity` (characters, terminator included) and
    // `dataSize` (bytes) are in-out. Returns a Win32 result code.
    std::function<uint32_t(RegistryKeyHandle key, uint32_t index, char* name,
                           uint32_t& nameCapacity, uint8_t* data, uint32_t& dataSize)>
        enumValue;
    // RegCloseKey.
    std::function<void(RegistryKeyHandle key)> closeKey;
    // SetupDiDestroyDeviceInfoList.
    std::function<void(DeviceSetHandle set)> destroyDeviceInfoList;
};

} // namespace moniquet
