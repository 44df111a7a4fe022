#include "fake_device_registry.h"

#include "inventory/monitor_list.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

// A misuse of a handle is a fault of the scan: end the test loudly.
void Require(bool condition, const char* what) {
    if (!condition) {
        throw std::logic_error(what);
    }
}

DeviceSetHandle GetClassDevs(FakeDeviceRegistry& fake, uint32_t flags) {
    if (fake.getClassDevsFails) {
        fake.lastError = kErrorInvalidParameter;
        return fake.getClassDevsReturnsNull ? nullptr : InvalidHandleValue();
    }
    FakeSet& set = fake.sets.emplace_back();
    for (const FakeDevice& device : fake.devices) {
        if (flags != kScanPresent || device.present) {
            set.devices.push_back(&device);
        }
    }
    if (!fake.keepsLastErrorOnSuccess) {
        fake.lastError = kErrorSuccess;
    }
    return &set;
}

FakeSet& LiveSet(DeviceSetHandle handle) {
    auto* set = static_cast<FakeSet*>(handle);
    Require(set != nullptr && set != InvalidHandleValue() && !set->destroyed, "bad device set");
    return *set;
}

// Success leaves the last error alone: the scan must not count on a
// successful call to clear it.
bool EnumDeviceInfo(FakeDeviceRegistry& fake, DeviceSetHandle handle, uint32_t index) {
    FakeSet& set = LiveSet(handle);
    ++fake.enumCalls;
    set.current = nullptr;
    if (fake.everyEnumFailsWith != 0) {
        fake.lastError = fake.everyEnumFailsWith;
        return false;
    }
    if (index >= set.devices.size()) {
        fake.lastError = kErrorNoMoreItems;
        return false;
    }
    if (set.devices[index]->enumError != 0) {
        fake.lastError = set.devices[index]->enumError;
        return false;
    }
    set.current = set.devices[index];
    return true;
}

RegistryKeyHandle OpenDevRegKey(FakeDeviceRegistry& fake, DeviceSetHandle handle) {
    const FakeSet& set = LiveSet(handle);
    Require(set.current != nullptr, "key of a device that was not enumerated");
    switch (set.current->key) {
    case FakeKeyState::NullHandle:
        fake.lastError = kErrorInvalidParameter;
        return nullptr;
    case FakeKeyState::InvalidHandle:
        fake.lastError = kErrorInvalidParameter;
        return InvalidHandleValue();
    case FakeKeyState::Readable:
        break;
    }
    FakeKey& key = fake.keys.emplace_back();
    key.device = set.current;
    return &key;
}

FakeKey& LiveKey(RegistryKeyHandle handle) {
    auto* key = static_cast<FakeKey*>(handle);
    Require(key != nullptr && key != InvalidHandleValue() && !key->closed, "bad key");
    return *key;
}

// RegEnumValueA: a name that does not fit with its terminator, or data that
// do not fit, give ERROR_MORE_DATA; only the needed data size is reported
// then, and the name buffer is left as it was. Null data ask for the size.
uint32_t EnumValue(FakeDeviceRegistry& fake, RegistryKeyHandle handle, uint32_t index, char* name,
                   uint32_t& nameCapacity, uint8_t* data, uint32_t& dataSize) {
    const FakeKey& key = LiveKey(handle);
    ++fake.valueReads;
    const std::vector<FakeValue>& values = key.device->values;
    if (key.device->keyReadError != 0) {
        return key.device->keyReadError;
    }
    if (index >= values.size()) {
        if (fake.valueEndSetsLastError) {
            fake.lastError = kErrorNoMoreItems;
        }
        return kErrorNoMoreItems;
    }
    const FakeValue& value = values[index];
    if (value.readError != 0) {
        return value.readError;
    }
    const auto size = static_cast<uint32_t>(value.data.size());
    if (value.name.size() >= nameCapacity) {
        return kErrorMoreData;
    }
    if (data != nullptr && size > dataSize) {
        dataSize = size;
        return kErrorMoreData;
    }
    std::memcpy(name, value.name.c_str(), value.name.size() + 1);
    nameCapacity = static_cast<uint32_t>(value.name.size());
    if (data != nullptr) {
        std::copy(value.data.begin(), value.data.end(), data);
    }
    dataSize = size;
    return kErrorSuccess;
}

} // namespace

DeviceRegistry BindFakeRegistry(FakeDeviceRegistry& fake) {
    return DeviceRegistry{
        .getClassDevs = [&fake](uint32_t flags) { return GetClassDevs(fake, flags); },
        .enumDeviceInfo = [&fake](DeviceSetHandle set,
                                  uint32_t index) { return EnumDeviceInfo(fake, set, index); },
        .openDevRegKey = [&fake](DeviceSetHandle set) { return OpenDevRegKey(fake, set); },
        .enumValue =
            [&fake](RegistryKeyHandle key, uint32_t index, char* name, uint32_t& nameCapacity,
                    uint8_t* data, uint32_t& dataSize) {
                return EnumValue(fake, key, index, name, nameCapacity, data, dataSize);
            },
        .closeKey = [](RegistryKeyHandle key) { LiveKey(key).closed = true; },
        .destroyDeviceInfoList = [](DeviceSetHandle set) { LiveSet(set).destroyed = true; },
        .getLastError = [&fake]() { return fake.lastError; },
    };
}

int OpenSets(const FakeDeviceRegistry& fake) {
    return static_cast<int>(std::count_if(fake.sets.begin(), fake.sets.end(),
                                          [](const FakeSet& set) { return !set.destroyed; }));
}

int OpenKeys(const FakeDeviceRegistry& fake) {
    return static_cast<int>(std::count_if(fake.keys.begin(), fake.keys.end(),
                                          [](const FakeKey& key) { return !key.closed; }));
}
