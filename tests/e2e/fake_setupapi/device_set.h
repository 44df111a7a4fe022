// The devices that the test setupapi.dll hands out: instance keys found under
// HKLM\System\CurrentControlSet\Enum, filtered like the real device sets.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A DWORD value under an instance key; non-zero means "installed but not
// present". Wine's own setupapi treats every installed device as present, so
// tests mark absent monitors with this value instead.
inline constexpr wchar_t kNotPresentValue[] = L"E2E_NotPresent";

struct Device {
    std::wstring instancePath; // "<enumerator>\<device>\<instance>", below Enum
    GUID classGuid;            // GUID_NULL when the key has no readable ClassGUID
};

// Every instance key, in registry order (Wine keeps subkeys sorted by name).
// With DIGCF_ALLCLASSES the class is ignored; otherwise only devices of
// `classGuid` are kept. With DIGCF_PRESENT devices marked not present are left
// out. `enumerator`, when not null, keeps only that enumerator's devices.
std::vector<Device> CollectDevices(const GUID* classGuid, const wchar_t* enumerator, DWORD flags);

// The key path of a device's hardware key, relative to HKEY_LOCAL_MACHINE.
std::wstring HardwareKeyPath(const Device& device);
