// An in-memory device registry with the behaviour of SETUPAPI and ADVAPI32
// that the monitor scan relies on, so that every branch of the scan can be
// driven from a test.
#pragma once

#include "inventory/device_registry.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace moniquet {

inline constexpr uint32_t kErrorKeyDeleted = 1018;

// Past this many device opens, or value reads, the fake ends the test: the
// scan would go on until the index wraps.
inline constexpr uint32_t kFakeEndlessBound = 1u << 20;

struct FakeValue {
    std::string name;
    std::vector<uint8_t> data;
    // Non-zero: every read of this value fails with this code.
    uint32_t readError = 0;
    // Non-zero: the size the registry claims, larger than `data` can hold;
    // only a read too small for it is served.
    uint32_t reportedSize = 0;
};

struct FakeDevice {
    bool present = true;
    std::u16string instanceId;
    // False: the device has no hardware key that can be opened.
    bool hasKey = true;
    std::vector<FakeValue> values;
    // The enumeration fails at this device's index, as if not at the set's end.
    bool enumFails = false;
    // Non-zero: every value read of its key fails with this code, as for a
    // key removed while it is read.
    uint32_t keyReadError = 0;
    // Past `values`, its key never ends: every index is a value "Other".
    bool endlessValues = false;
};

struct FakeSet {
    std::vector<const FakeDevice*> devices;
    bool destroyed = false;
};

struct FakeKey {
    const FakeDevice* device = nullptr;
    bool closed = false;
};

struct FakeDeviceRegistry {
    // Every installed device in device order; the present ones make the set
    // of a kScanPresent scan.
    std::vector<FakeDevice> devices;

    // Getting the set fails, returning INVALID_HANDLE_VALUE or NULL.
    bool getClassDevsFails = false;
    bool getClassDevsReturnsNull = false;
    // The enumeration fails at every index.
    bool everyEnumFails = false;
    // The set never ends: past `devices`, every index is a device without a
    // hardware key.
    bool endlessSet = false;

    // What the scan did.
    std::deque<FakeSet> sets;
    std::deque<FakeKey> keys;
    uint32_t openDeviceCalls = 0;
    uint32_t valueReads = 0;
    // The largest data buffer a value read was given, in bytes.
    uint32_t largestDataBuffer = 0;
};

DeviceRegistry BindFakeRegistry(FakeDeviceRegistry& fake);

// Sets and keys that the scan left open.
int OpenSets(const FakeDeviceRegistry& fake);
int OpenKeys(const FakeDeviceRegistry& fake);

} // namespace moniquet
