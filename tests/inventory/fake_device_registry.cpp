#include "fake_device_registry.h"

#include "inventory/monitor_list.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace moniquet {

namespace {

// A misuse of a handle is a fault of the scan: end the test loudly.
void Require(bool condition, const char* what) {
    if (!condition) {
        throw std::logic_error(what);
    }
}

DeviceSetHandle GetClassDevs(FakeDeviceRegistry& fake, uint32_t flags) {
    if (fake.getClassDevsFails) {
        return fake.getClassDevsReturnsNull ? nullptr : InvalidHandleValue();
    }
    FakeSet& set = fake.sets.emplace_back();
    for (const FakeDevice& device : fake.devices) {
        if (flags != kScanPresent || device.present) {
            set.devices.push_back(&device);
        }
    }
    return &set;
}

FakeSet& LiveSet(DeviceSetHandle handle) {
    auto* set = static_cast<FakeSet*>(handle);
    Require(IsOpenHandle(set) && !set->destroyed, "bad device set");
    return *set;
}

OpenedDevice OpenDevice(FakeDeviceRegistry& fake, DeviceSetHandle handle, uint32_t index) {
    const FakeSet& set = LiveSet(handle);
    Require(++fake.openDeviceCalls < kFakeEndlessBound, "the device loop does not end");
    if (fake.everyEnumFails) {
        return WithoutKey(DeviceOpening::Failed);
    }
    if (index >= set.devices.size()) {
        return WithoutKey(fake.endlessSet ? DeviceOpening::NoKey : DeviceOpening::NoMoreDevices);
    }
    const FakeDevice& device = *set.devices[index];
    if (device.enumFails) {
        return WithoutKey(DeviceOpening::Failed);
    }
    if (!device.hasKey) {
        return WithoutKey(DeviceOpening::NoKey);
    }
    FakeKey& key = fake.keys.emplace_back();
    key.device = &device;
    return {DeviceOpening::KeyOpened, &key, device.instanceId};
}

FakeKey& LiveKey(RegistryKeyHandle handle) {
    auto* key = static_cast<FakeKey*>(handle);
    Require(IsOpenHandle(key) && !key->closed, "bad key");
    return *key;
}

// RegEnumValueA: a name that does not fit with its terminator, or data that
// do not fit, give ERROR_MORE_DATA; only the needed data size is reported
// then, and the name buffer is left as it was. Null data ask for the size.
uint32_t EnumValue(FakeDeviceRegistry& fake, RegistryKeyHandle handle, uint32_t index, char* name,
                   uint32_t& nameCapacity, uint8_t* data, uint32_t& dataSize) {
    const FakeKey& key = LiveKey(handle);
    Require(++fake.valueReads < kFakeEndlessBound, "the value loop does not end");
    if (data != nullptr) {
        fake.largestDataBuffer = std::max(fake.largestDataBuffer, dataSize);
    }
    const std::vector<FakeValue>& values = key.device->values;
    if (key.device->keyReadError != 0) {
        return key.device->keyReadError;
    }
    static const FakeValue kOther{"Other", {1}};
    if (index >= values.size() && !key.device->endlessValues) {
        return kErrorNoMoreItems;
    }
    const FakeValue& value = index < values.size() ? values[index] : kOther;
    if (value.readError != 0) {
        return value.readError;
    }
    const auto size =
        value.reportedSize != 0 ? value.reportedSize : static_cast<uint32_t>(value.data.size());
    if (value.name.size() >= nameCapacity) {
        return kErrorMoreData;
    }
    if (data != nullptr && size > dataSize) {
        dataSize = size;
        return kErrorMoreData;
    }
    std::memcpy(name, value.name.c_str(), value.name.size() + 1);
    nameCapacity = static_cast<uint32_t>(value.name.size());
    Require(size == value.data.size() || data == nullptr, "a claimed size was read");
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
        .openDevice = [&fake](DeviceSetHandle set,
                              uint32_t index) { return OpenDevice(fake, set, index); },
        .enumValue =
            [&fake](RegistryKeyHandle key, uint32_t index, char* name, uint32_t& nameCapacity,
                    uint8_t* data, uint32_t& dataSize) {
                return EnumValue(fake, key, index, name, nameCapacity, data, dataSize);
            },
        .closeKey = [](RegistryKeyHandle key) { LiveKey(key).closed = true; },
        .destroyDeviceInfoList = [](DeviceSetHandle set) { LiveSet(set).destroyed = true; },
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

} // namespace moniquet
