// A test-only stand-in for the five device installation functions that the
// monitor scan calls. Wine's own setupapi ignores DIGCF_PRESENT, so without it
// no end-to-end test could show a monitor that is installed but absent. It is
// loaded through a DLL override in the test prefix and is never shipped.
#include "tests/e2e/fake_setupapi/device_set.h"

#include <setupapi.h>

#include <new>

namespace {

// Tells our own handles from anything else a caller might pass.
constexpr DWORD kSetMagic = 0x53455445; // "ETES"

struct DeviceSet {
    DWORD magic = kSetMagic;
    std::vector<Device> devices;
};

DeviceSet* FromHandle(HDEVINFO handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    auto* set = static_cast<DeviceSet*>(handle);
    return set->magic == kSetMagic ? set : nullptr;
}

// Like the real functions, every call leaves its own outcome as the last
// error, so an end-of-set code never survives into the next call.
BOOL Fail(DWORD code) {
    SetLastError(code);
    return FALSE;
}

// The device that SetupDiEnumDeviceInfo filled `data` in for; null, with
// the last error set, when `data` is not one of ours.
const Device* DeviceOf(HDEVINFO handle, const SP_DEVINFO_DATA* data) {
    DeviceSet* set = FromHandle(handle);
    if (set == nullptr) {
        Fail(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (data == nullptr || data->cbSize != sizeof(SP_DEVINFO_DATA) ||
        data->Reserved >= set->devices.size() || data->DevInst != data->Reserved + 1) {
        Fail(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return &set->devices[data->Reserved];
}

} // namespace

extern "C" {

HDEVINFO WINAPI SetupDiGetClassDevsExW(const GUID* classGuid, PCWSTR enumerator, HWND, DWORD flags,
                                       HDEVINFO existing, PCWSTR machine, PVOID) {
    if (existing != nullptr || (machine != nullptr && machine[0] != L'\0') ||
        (classGuid == nullptr && (flags & DIGCF_ALLCLASSES) == 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    auto* set = new (std::nothrow) DeviceSet;
    if (set == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return INVALID_HANDLE_VALUE;
    }
    set->devices = CollectDevices(classGuid, enumerator, flags);
    SetLastError(ERROR_SUCCESS);
    return set;
}

BOOL WINAPI SetupDiEnumDeviceInfo(HDEVINFO handle, DWORD index, PSP_DEVINFO_DATA data) {
    DeviceSet* set = FromHandle(handle);
    if (set == nullptr) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    if (data == nullptr || data->cbSize != sizeof(SP_DEVINFO_DATA)) {
        return Fail(ERROR_INVALID_USER_BUFFER);
    }
    if (index >= set->devices.size()) {
        return Fail(ERROR_NO_MORE_ITEMS);
    }
    data->ClassGuid = set->devices[index].classGuid;
    data->DevInst = index + 1;
    data->Reserved = index; // found again by SetupDiOpenDevRegKey
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

HKEY WINAPI SetupDiOpenDevRegKey(HDEVINFO handle, PSP_DEVINFO_DATA data, DWORD scope, DWORD,
                                 DWORD keyType, REGSAM access) {
    const Device* device = DeviceOf(handle, data);
    if (device == nullptr) {
        return static_cast<HKEY>(INVALID_HANDLE_VALUE);
    }
    if (scope != DICS_FLAG_GLOBAL || keyType != DIREG_DEV) {
        // The scan only ever asks for the global hardware key.
        Fail(ERROR_INVALID_FLAGS);
        return static_cast<HKEY>(INVALID_HANDLE_VALUE);
    }
    HKEY key = nullptr;
    LONG status =
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, HardwareKeyPath(*device).c_str(), 0, access, &key);
    if (status != ERROR_SUCCESS) {
        Fail(static_cast<DWORD>(status));
        return static_cast<HKEY>(INVALID_HANDLE_VALUE);
    }
    SetLastError(ERROR_SUCCESS);
    return key;
}

// The instance path below Enum, as Windows gives it: `required` (when not
// null) receives the size in characters, terminator included, whether or not
// the buffer holds it; a buffer too small fails with ERROR_INSUFFICIENT_BUFFER.
BOOL WINAPI SetupDiGetDeviceInstanceIdW(HDEVINFO handle, PSP_DEVINFO_DATA data, PWSTR id,
                                        DWORD capacity, PDWORD required) {
    const Device* device = DeviceOf(handle, data);
    if (device == nullptr) {
        return FALSE;
    }
    if (id == nullptr && capacity != 0) {
        return Fail(ERROR_INVALID_USER_BUFFER);
    }
    const DWORD size = static_cast<DWORD>(device->instancePath.size() + 1);
    if (required != nullptr) {
        *required = size;
    }
    if (capacity < size) {
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    device->instancePath.copy(id, size - 1);
    id[size - 1] = L'\0';
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL WINAPI SetupDiDestroyDeviceInfoList(HDEVINFO handle) {
    DeviceSet* set = FromHandle(handle);
    if (set == nullptr) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    set->magic = 0;
    delete set;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

} // extern "C"
