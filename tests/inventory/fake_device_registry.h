// An in-memory device registry with the behaviour of SETUPAPI and ADVAPI32
// that the monitor scan relies on, so that every branch of the scan can be
// driven from a test.
#pragma once

#include "inventory/device_registry.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

inline constexpr uint32_t kErrorKeyDeleted = 1018;

struct FakeValue {
    std::string name;
    std::vector<uint8_t> data;
    // Non-zero: every read of this value fails with this code.
    uint32_t readError = 0;
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

    // What the scan did.
    std::deque<FakeSet> sets;
    std::deque<FakeKey> keys;
    uint32_t openDeviceCalls = 0;
    uint32_t valueReads = 0;
};

DeviceRegistry BindFakeRegistry(FakeDeviceRegistry& fake);

// Sets and keys that the scan left open.
int OpenSets(const FakeDeviceRegistry& fake);
int OpenKeys(const FakeDeviceRegistry& fake);
