// EDID bytes and records for the inventory tests.
#pragma once

#include "moniquet/decode.h"
#include "moniquet/monitor_record.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace moniquet {

// Manufacturer bytes 8 and 9: "ABC" and "ABD".
inline constexpr uint16_t kMakerAbc = 0x0443;
inline constexpr uint16_t kMakerAbd = 0x0444;

// `size` bytes whose vendor is `maker` and `productCode`; every other byte
// follows a pattern that `serial` shifts, so two units of one model differ.
inline std::vector<uint8_t> MakeEdid(uint16_t productCode, std::size_t size = 128,
                                     uint8_t serial = 0, uint16_t maker = kMakerAbc) {
    std::vector<uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 31 + serial + 1);
    }
    const uint8_t vendor[] = {static_cast<uint8_t>(maker >> 8), static_cast<uint8_t>(maker),
                              static_cast<uint8_t>(productCode),
                              static_cast<uint8_t>(productCode >> 8)};
    for (std::size_t i = 0; i < 4 && 8 + i < size; ++i) {
        bytes[8 + i] = vendor[i];
    }
    return bytes;
}

// The record that a scan makes of `bytes`.
inline MonitorRecord RecordOf(const std::vector<uint8_t>& bytes, bool active) {
    MonitorRecord record = DecodeMonitorRecord(bytes);
    record.summary.active = active;
    return record;
}

// Same bytes, whole and as a block, and same active flag; the summary follows
// from the bytes.
inline bool SameRecord(const MonitorRecord& a, const MonitorRecord& b) {
    return a.edid == b.edid && a.rawBlock == b.rawBlock && a.summary.active == b.summary.active &&
           a.summary.vendor.manufacturer == b.summary.vendor.manufacturer &&
           a.summary.vendor.productCode == b.summary.vendor.productCode;
}

} // namespace moniquet
