// An in-memory device registry with the behaviour of SETUPAPI and ADVAPI32
// that the monitor scan relies on, including the thread's last error, so
// that every branch of the scan can be driven from a test.
#pragma once

#include "inventory/device_registry.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

inline constexpr uint32_t kErrorInvalidParameter = 87;
inline constexpr uint32_t kErrorKeyDeleted = 1018;
inline constexpr uint32_t kErrorInvalidHandle = 6;

struct FakeValue {
    std::string name;
    std::vector<uint8_t> data;
    // Non-zero: every read of this value fails with this code.
    uint32_t readError = 0;
};

// How the opening of a device's hardware key ends.
enum class FakeKeyState { Readable, NullHandle, InvalidHandle };

struct FakeDevice {
    bool present = true;
    FakeKeyState key = FakeKeyState::Readable;
    std::vector<FakeValue> values;
    // Non-zero: the enumeration fails at this device's index with this code.
    uint32_t enumError = 0;
    // Non-zero: every value read of its key fails with this code, as for a
    // key removed while it is read.
    uint32_t keyReadError = 0;
};

struct FakeSet {
    std::vector<const FakeDevice*> devices;
    const FakeDevice* current = nullptr;
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
    // A successful get-class-devs leaves the last error as it was, as Wine
    // does (Windows sets one other than ERROR_NO_MORE_ITEMS).
    bool keepsLastErrorOnSuccess = false;
    // Reading past a key's last value also sets the thread's last error.
    bool valueEndSetsLastError = false;
    // Non-zero: the enumeration fails at every index with this code.
    uint32_t everyEnumFailsWith = 0;

    // The thread's last error.
    uint32_t lastError = 0;

    // What the scan did.
    std::deque<FakeSet> sets;
    std::deque<FakeKey> keys;
    uint32_t enumCalls = 0;
    uint32_t valueReads = 0;
};

DeviceRegistry BindFakeRegistry(FakeDeviceRegistry& fake);

// Sets and keys that the scan left open.
int OpenSets(const FakeDeviceRegistry& fake);
int OpenKeys(const FakeDeviceRegistry& fake);
