// What the checks of the base block and of 18-byte descriptors carry from
// one descriptor to the next, and on to the checks of the whole EDID. Walk
// scratch (edid/walk.h): nothing here is decoded content.
#pragma once

#include <cstdint>
#include <optional>

namespace moniquet {

struct BaseCheckState {
    // The year a year of manufacture is weighed against; empty: the
    // clock's (DecodeOptions::referenceYear).
    std::optional<uint32_t> referenceYear;
    // The base block's four descriptors are those of a laptop panel that
    // puts its own data in descriptors 3 and 4 (tag 0xFE both): they are
    // not read as data strings.
    bool spwgPanel = false;
    // The block whose descriptors are being read, and whether a display
    // descriptor came before in it: detailed timings come first.
    std::optional<uint32_t> descriptorBlock;
    bool displayDescriptorSeen = false;
    // Serial number descriptors (0xFF) in every block read so far.
    uint32_t serialDescriptors = 0;
};

} // namespace moniquet
