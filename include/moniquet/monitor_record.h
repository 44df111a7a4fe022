// The record kept for each monitor: its raw EDID block and what the decoder
// read from it. Plain values throughout; copying a record copies everything.
#pragma once

#include "moniquet/edid_bytes.h"

#include <array>
#include <cstdint>
#include <string>

namespace moniquet {

// Manufacturer and product identification, bytes 8 to 11 of the base block.
struct VendorId {
    // Three code units, each from U+0040 to U+005F, after decoding; empty in
    // the reset state. Letter codes outside 1..26 are kept, not replaced.
    std::u16string manufacturer;
    // Little-endian 16-bit product code, 0 to 65535.
    uint32_t productCode = 0;
};

// One 18-byte detailed timing descriptor. When `valid` is false every
// number is 0.
struct DetailedTiming {
    // The pixel clock is non-zero.
    bool valid = false;
    // Pixel clock in kHz, 0 to 655350 (the block stores units of 10 kHz).
    uint32_t pixelClockKHz = 0;
    // Horizontal addressable video, pixels, 0 to 4095.
    uint32_t hAddressable = 0;
    // Horizontal blanking, pixels, 0 to 4095.
    uint32_t hBlanking = 0;
    // Vertical addressable video, lines, 0 to 4095.
    uint32_t vAddressable = 0;
    // Vertical blanking, lines, 0 to 4095.
    uint32_t vBlanking = 0;
    // Horizontal front porch, pixels, 0 to 1023.
    uint32_t hFrontPorch = 0;
    // Horizontal sync pulse width, pixels, 0 to 1023.
    uint32_t hSyncWidth = 0;
    // Vertical front porch, lines, 0 to 63.
    uint32_t vFrontPorch = 0;
    // Vertical sync pulse width, lines, 0 to 63.
    uint32_t vSyncWidth = 0;
    // Horizontal addressable video image size, mm, 0 to 4095.
    uint32_t hImageSizeMm = 0;
    // Vertical addressable video image size, mm, 0 to 4095.
    uint32_t vImageSizeMm = 0;
    // Horizontal border, pixels, 0 to 255.
    uint32_t hBorder = 0;
    // Vertical border, lines, 0 to 255.
    uint32_t vBorder = 0;
};

// What a display descriptor (bytes 0 to 2 zero) holds. No kind has value 1.
enum class DescriptorKind : uint32_t {
    // Any tag but 0xFC and 0xFE, or an entry not filled.
    None = 0,
    // Tag 0xFC, display product name.
    ProductName = 2,
    // Tag 0xFE, alphanumeric data string.
    DataString = 3,
};

// One display descriptor.
struct DescriptorText {
    DescriptorKind kind = DescriptorKind::None;
    // At most 13 code units, one per byte of the text field, up to the first
    // 0x0A; empty unless `kind` is ProductName or DataString.
    std::u16string text;
};

inline constexpr std::size_t kTimingSlots = 4;
inline constexpr std::size_t kDescriptorSlots = 3;

// The decoded view of one block.
struct EdidSummary {
    // Found among the devices present at scan time. The decoder leaves it
    // false; the scan sets it.
    bool active = false;
    VendorId vendor;
    // Filled entries of `timings`: 1 to 4 after decoding, 0 when reset.
    uint32_t timingCount = 0;
    // Filled from index 0 upward, in block order.
    std::array<DetailedTiming, kTimingSlots> timings{};
    // Filled entries of `descriptors`, 0 to 3. After decoding,
    // timingCount + descriptorCount == 4.
    uint32_t descriptorCount = 0;
    // Filled from index 0 upward, in block order.
    std::array<DescriptorText, kDescriptorSlots> descriptors{};
};

// One monitor.
struct MonitorRecord {
    // The EDID as read; where the source held fewer than 256 bytes the rest
    // is zero. The dialog decodes and reports it.
    EdidBlock rawBlock{};
    // Decoded from `rawBlock`.
    EdidSummary summary;
    // The whole EDID as its source held it, every block (at most
    // kMaximumEdidSize bytes); `rawBlock` is BlockFromEdid of it. Both
    // programs save this one.
    EdidBytes edid;
    // Where the monitor was found: the device instance ID on Windows, the
    // connector's name on Linux.
    std::u16string source;
};

} // namespace moniquet
