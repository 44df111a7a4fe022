#include "inventory/registry_scan.h"

#include "edid/decode.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>
#include <vector>

namespace {

// Names of up to 127 characters and their terminator; a longer name cannot
// be "EDID".
constexpr uint32_t kNameCapacity = 128;
constexpr std::string_view kEdidValueName = "EDID";
constexpr uint32_t kLastIndex = std::numeric_limits<uint32_t>::max();

using NameBuffer = std::array<char, kNameCapacity>;

// `length` is what the read reported, terminator excluded.
bool IsEdidName(const NameBuffer& name, uint32_t length) {
    return std::string_view(name.data(), std::min(length, kNameCapacity - 1)) == kEdidValueName;
}

enum class ValueRead { Edid, OtherName, Failed, End };

ValueRead Classify(uint32_t result) {
    return result == kErrorNoMoreItems ? ValueRead::End : ValueRead::Failed;
}

// The read of value `index` said ERROR_MORE_DATA: either its name has 128
// characters or more, or its data exceed the first read. What a failed read
// leaves in its out-values does not tell which, so ask for the name and the
// size alone, then read an "EDID" value whole. A monitor with two or more
// extension blocks is listed this way.
ValueRead ReadOversizedValue(const DeviceRegistry& registry, RegistryKeyHandle key, uint32_t index,
                             EdidBytes& edid) {
    NameBuffer name{};
    uint32_t nameLength = kNameCapacity;
    uint32_t size = 0;
    uint32_t result = registry.enumValue(key, index, name.data(), nameLength, nullptr, size);
    if (result == kErrorMoreData) {
        return ValueRead::OtherName; // only the name can be too long here
    }
    if (result != kErrorSuccess) {
        return Classify(result);
    }
    if (!IsEdidName(name, nameLength)) {
        return ValueRead::OtherName;
    }

    edid.assign(size, 0);
    nameLength = kNameCapacity;
    uint32_t dataSize = size;
    result = registry.enumValue(key, index, name.data(), nameLength, edid.data(), dataSize);
    // Renamed or grown between the two reads: give up on this value.
    if (result != kErrorSuccess || !IsEdidName(name, nameLength)) {
        return Classify(result);
    }
    edid.resize(dataSize);
    return ValueRead::Edid;
}

// Most EDIDs fit the first read.
ValueRead ReadValue(const DeviceRegistry& registry, RegistryKeyHandle key, uint32_t index,
                    EdidBytes& edid) {
    edid.assign(kEdidBlockSize, 0);
    NameBuffer name{};
    uint32_t nameLength = kNameCapacity;
    uint32_t dataSize = kEdidBlockSize;
    const uint32_t result =
        registry.enumValue(key, index, name.data(), nameLength, edid.data(), dataSize);
    if (result == kErrorSuccess) {
        edid.resize(dataSize);
        return IsEdidName(name, nameLength) ? ValueRead::Edid : ValueRead::OtherName;
    }
    if (result == kErrorMoreData) {
        return ReadOversizedValue(registry, key, index, edid);
    }
    return Classify(result);
}

// Reads the key's values in index order until "EDID"; true when found, with
// the value's bytes in `edid`.
bool FindEdidValue(const DeviceRegistry& registry, RegistryKeyHandle key, EdidBytes& edid) {
    uint32_t failedInARow = 0;
    for (uint32_t index = 0; index != kLastIndex; ++index) {
        switch (ReadValue(registry, key, index, edid)) {
        case ValueRead::Edid:
            return true;
        case ValueRead::End:
            return false;
        case ValueRead::OtherName:
            failedInARow = 0;
            break;
        case ValueRead::Failed:
            if (++failedInARow == kMaxFailedValueReads) {
                return false;
            }
            break;
        }
    }
    return false;
}

} // namespace

int32_t ScanDeviceRegistry(const DeviceRegistry& registry, MonitorList& list, uint32_t flags) {
    list.clear();
    const DeviceSetHandle set = registry.getClassDevs(flags);
    if (!IsOpenHandle(set)) {
        return 0;
    }

    int32_t count = 0;
    uint32_t failedInARow = 0;
    for (uint32_t index = 0; index != kLastIndex; ++index) {
        OpenedDevice device = registry.openDevice(set, index);
        if (device.outcome == DeviceOpening::NoMoreDevices) {
            break;
        }
        if (device.outcome == DeviceOpening::Failed) {
            if (++failedInARow == kMaxFailedDeviceIndices) {
                break;
            }
            continue;
        }
        failedInARow = 0;
        if (device.outcome != DeviceOpening::KeyOpened) {
            continue;
        }

        EdidBytes edid;
        const bool found = FindEdidValue(registry, device.key, edid);
        registry.closeKey(device.key);
        if (found) {
            MonitorRecord record = DecodeMonitorRecord(edid);
            record.summary.active = flags == kScanPresent;
            record.source = std::move(device.instanceId);
            list.push_back(std::move(record));
            ++count;
        }
    }
    registry.destroyDeviceInfoList(set);
    return count;
}
