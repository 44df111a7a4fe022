#include "tests/e2e/fake_setupapi/device_set.h"

#include <setupapi.h>

namespace {

constexpr wchar_t kEnumRoot[] = L"System\\CurrentControlSet\\Enum";

std::vector<std::wstring> SubkeyNames(HKEY key) {
    std::vector<std::wstring> names;
    DWORD longest = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return names;
    }
    std::wstring buffer(longest + 1, L'\0');
    DWORD index = 0;
    for (;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        LONG status =
            RegEnumKeyExW(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (status == ERROR_MORE_DATA) {
            // A key added since RegQueryInfoKeyW: retry the same index.
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status == ERROR_SUCCESS) {
            names.emplace_back(buffer.data(), length);
        }
        ++index;
    }
    return names;
}

GUID ReadClassGuid(HKEY instance) {
    GUID guid{};
    DWORD bytes = 0;
    if (RegQueryValueExW(instance, L"ClassGUID", nullptr, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        bytes == 0) {
        return guid;
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD type = 0;
    if (RegQueryValueExW(instance, L"ClassGUID", nullptr, &type,
                         reinterpret_cast<BYTE*>(text.data()), &bytes) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return guid;
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    // "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", either case.
    unsigned long d1 = 0;
    unsigned d2 = 0, d3 = 0, b[8] = {};
    if (swscanf(text.c_str(), L"{%8lx-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}", &d1, &d2, &d3, &b[0],
                &b[1], &b[2], &b[3], &b[4], &b[5], &b[6], &b[7]) != 11) {
        return guid;
    }
    guid.Data1 = d1;
    guid.Data2 = static_cast<unsigned short>(d2);
    guid.Data3 = static_cast<unsigned short>(d3);
    for (int i = 0; i < 8; ++i) {
        guid.Data4[i] = static_cast<unsigned char>(b[i]);
    }
    return guid;
}

bool MarkedNotPresent(HKEY instance) {
    DWORD value = 0;
    DWORD bytes = sizeof(value);
    DWORD type = 0;
    return RegQueryValueExW(instance, kNotPresentValue, nullptr, &type,
                            reinterpret_cast<BYTE*>(&value), &bytes) == ERROR_SUCCESS &&
           type == REG_DWORD && value != 0;
}

HKEY OpenChild(HKEY parent, const std::wstring& name) {
    HKEY child = nullptr;
    if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ, &child) != ERROR_SUCCESS) {
        return nullptr;
    }
    return child;
}

} // namespace

std::vector<Device> CollectDevices(const GUID* classGuid, const wchar_t* enumerator, DWORD flags) {
    std::vector<Device> devices;
    HKEY root = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEnumRoot, 0, KEY_READ, &root) != ERROR_SUCCESS) {
        return devices;
    }
    for (const std::wstring& enumName : SubkeyNames(root)) {
        if (enumerator != nullptr && _wcsicmp(enumerator, enumName.c_str()) != 0) {
            continue;
        }
        HKEY enumKey = OpenChild(root, enumName);
        if (enumKey == nullptr) {
            continue;
        }
        for (const std::wstring& deviceName : SubkeyNames(enumKey)) {
            HKEY deviceKey = OpenChild(enumKey, deviceName);
            if (deviceKey == nullptr) {
                continue;
            }
            for (const std::wstring& instanceName : SubkeyNames(deviceKey)) {
                HKEY instance = OpenChild(deviceKey, instanceName);
                if (instance == nullptr) {
                    continue;
                }
                Device device{enumName + L"\\" + deviceName + L"\\" + instanceName,
                              ReadClassGuid(instance)};
                bool classMatches =
                    (flags & DIGCF_ALLCLASSES) != 0 ||
                    (classGuid != nullptr && IsEqualGUID(*classGuid, device.classGuid));
                bool presenceMatches = (flags & DIGCF_PRESENT) == 0 || !MarkedNotPresent(instance);
                if (classMatches && presenceMatches) {
                    devices.push_back(std::move(device));
                }
                RegCloseKey(instance);
            }
            RegCloseKey(deviceKey);
        }
        RegCloseKey(enumKey);
    }
    RegCloseKey(root);
    return devices;
}

std::wstring HardwareKeyPath(const Device& device) {
    return std::wstring(kEnumRoot) + L"\\" + device.instancePath + L"\\Device Parameters";
}
