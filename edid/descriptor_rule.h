// How a reader of the base block's four 18-byte descriptors tells a detailed
// timing from a display descriptor. E-EDID gives a display descriptor a
// pixel clock of 0 (bytes 0 and 1); the dialog's summary, whose reports and
// saved labels people rely on, has always read more narrowly. Both readers
// walk the descriptors with this one function and say which rule they
// follow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace moniquet {

enum class DescriptorRule : uint32_t {
    // E-EDID: any descriptor, the first included, is a display descriptor
    // when bytes 0 and 1 are 0. What `info` and the checks read.
    PixelClock,
    // The summary's: the first descriptor is always a timing; a later one
    // is a display descriptor only when bytes 0, 1 and 2 are all 0, so a
    // descriptor with a stray byte 2 takes a timing slot (all zero, as its
    // clock is 0).
    SummarySlots,
};

// Whether descriptor `index` (0 to 3) of the base block, or any descriptor
// of an extension block under PixelClock, is a display descriptor.
constexpr bool IsDisplayDescriptorUnder(DescriptorRule rule, std::span<const uint8_t, 18> d,
                                        std::size_t index) {
    if (rule == DescriptorRule::SummarySlots) {
        return index != 0 && d[0] == 0 && d[1] == 0 && d[2] == 0;
    }
    return d[0] == 0 && d[1] == 0;
}

} // namespace moniquet
