// The timings that the VESA formulas derive from a size and a rate: GTF 1.1
// (its default curve) and CVT 2.0 (normal blanking and reduced blanking
// versions 1 to 3). EDIDs name such timings by size and rate only:
// standard timings outside DMT, CVT 3-byte codes, DisplayID formula
// timings.
#pragma once

#include "edid/dmt_table.h"

#include <cstdint>

namespace moniquet {

// GTF's progressive timing of `width` x `height` at `refreshHz` frames per
// second, without margins. Its clock is rounded to the kHz.
TableMode GtfMode(uint32_t width, uint32_t height, uint32_t refreshHz);

enum class CvtBlanking : uint32_t {
    Normal,
    Reduced1,
    Reduced2,
    Reduced3,
};

// What CVT reduced blanking versions 2 and 3 let a timing ask for.
struct CvtOptions {
    // Version 2: the rate times 1000/1001 (video-optimized). Version 3: a
    // horizontal blanking of 160 pixels rather than 80.
    bool alternative = false;
    // Version 3: the horizontal blanking, pixels, 80 to 200 in steps of 8;
    // 0 for the default.
    uint32_t hBlank = 0;
    // Version 3: the least vertical blanking, µs (460 by default, 300 at
    // least).
    uint32_t vBlankUs = 460;
    // Version 3: the vertical sync as early in the blanking as it can be.
    bool earlyVsync = false;
};

// CVT's progressive timing of `width` x `height` at `refreshHz` frames per
// second, without margins.
TableMode CvtMode(uint32_t width, uint32_t height, uint32_t refreshHz, CvtBlanking blanking,
                  CvtOptions options = {});

} // namespace moniquet
