#include "inventory/registry_scan.h"

#include "moniquet/decode.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace moniquet {

namespace {

// Names of up to 127 characters and their terminator; a longer name cannot
// be "EDID".
constexpr uint32_t kNameCapacity = 128;
constexpr std::string_view kEdidValueName = "EDID";

using NameBuffer = std::array<char, kNameCapacity>;

// `length` is what the read reported, terminator excluded.
bool IsEdidName(const NameBuffer& name, uint32_t length) {
    return std::string_view(name.data(), std::min(length, kNameCapacity - 1)) == kEdidValueName;
}

enum class ValueRead { Edid, OtherName, Failed, End };

// Reads value `index` into `buffer`, which holds the largest EDID, and sets
// `size` to the value's size. RegEnumValueA reads a value whole or not at
// all, and says ERROR_MORE_DATA for a name of 128 characters or more as for
// data larger than the buffer; either way the value is none the scan can
// take, so nothing larger is ever allocated for it, whatever size the
// registry claims.
ValueRead ReadValue(const DeviceRegistry& registry, RegistryKeyHandle key, uint32_t index,
                    EdidBytes& buffer, uint32_t& size) {
    NameBuffer name{};
    uint32_t nameLength = kNameCapacity;
    size = static_cast<uint32_t>(buffer.size());
    const uint32_t result =
        registry.enumValue(key, index, name.data(), nameLength, buffer.data(), size);
    if (result == kErrorSuccess && size <= buffer.size()) {
        return IsEdidName(name, nameLength) ? ValueRead::Edid : ValueRead::OtherName;
    }
    if (result == kErrorMoreData) {
        return ValueRead::OtherName;
    }
    return result == kErrorNoMoreItems ? ValueRead::End : ValueRead::Failed;
}

// Reads the key's values in index order until "EDID"; its bytes, read into
// `buffer`, when found.
std::optional<std::span<const uint8_t>> FindEdidValue(const DeviceRegistry& registry,
                                                      RegistryKeyHandle key, EdidBytes& buffer) {
    uint32_t failedInARow = 0;
    for (uint32_t index = 0; index < kMaxValueIndices; ++index) {
        uint32_t size = 0;
        switch (ReadValue(registry, key, index, buffer, size)) {
        case ValueRead::Edid:
            return std::span<const uint8_t>(buffer.data(), size);
        case ValueRead::End:
            return std::nullopt;
        case ValueRead::OtherName:
            failedInARow = 0;
            break;
        case ValueRead::Failed:
            if (++failedInARow == kMaxFailedValueReads) {
                return std::nullopt;
            }
            break;
        }
    }
    return std::nullopt;
}

} // namespace

int32_t ScanDeviceRegistry(const DeviceRegistry& registry, MonitorList& list, uint32_t flags) {
    list.clear();
    const DeviceSetHandle set = registry.getClassDevs(flags);
    if (!IsOpenHandle(set)) {
        return 0;
    }

    EdidBytes buffer(kMaximumEdidSize);
    int32_t count = 0;
    uint32_t failedInARow = 0;
    for (uint32_t index = 0; index < kMaxDeviceIndices; ++index) {
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

        const std::optional<std::span<const uint8_t>> edid =
            FindEdidValue(registry, device.key, buffer);
        registry.closeKey(device.key);
        if (edid) {
            MonitorRecord record = DecodeMonitorRecord(*edid);
            record.summary.active = flags == kScanPresent;
            record.source = std::move(device.instanceId);
            list.push_back(std::move(record));
            ++count;
        }
    }
    registry.destroyDeviceInfoList(set);
    return count;
}

} // namespace moniquet
