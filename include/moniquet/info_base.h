// What the base block says beyond identity: its video input, features,
// colour, and the timings it names in other ways than detailed timings.
// Part of EdidInfo (moniquet/edid_info.h).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace moniquet {

// Byte 20.
struct VideoInput {
    // Bit 7.
    bool digital = false;
    // Bits per primary colour, 6 to 16 (bits 6 to 4); EDID 1.4 digital
    // inputs only, empty when undefined or reserved.
    std::optional<uint32_t> bitDepth;
    // Bits 3 to 0, 1 to 5 (DVI, HDMI-a, HDMI-b, MDDI, DisplayPort); EDID 1.4
    // digital inputs only, empty when undefined or reserved.
    std::optional<uint32_t> interface;
    // Analog inputs only: the sync kinds supported (bits 3, 2 and 1).
    bool separateSync = false;
    bool compositeSync = false;
    bool syncOnGreen = false;
};

// A stored display gamma, as both the base block and DisplayID store it:
// (byte + 100) / 100, 1.00 to 3.54; empty for 0xFF, which says the gamma is
// given elsewhere.
inline std::optional<double> GammaOf(uint8_t stored) {
    return stored == 0xFF ? std::nullopt : std::optional((stored + 100) / 100.0);
}

// Byte 24 and the display gamma of byte 23.
struct Features {
    // (byte 23 + 100) / 100, 1.00 to 3.54; empty for 0xFF (given elsewhere).
    std::optional<double> gamma;
    // DPMS modes supported, bits 7, 6 and 5.
    bool standby = false;
    bool suspend = false;
    bool activeOff = false;
    // Bits 4 and 3 of an analog input or of any input before EDID 1.4: 0
    // monochrome, 1 RGB, 2 non-RGB, 3 undefined.
    std::optional<uint32_t> colorType;
    // Bits 4 and 3 of a digital input from EDID 1.4 on: 0 RGB 4:4:4, 1 also
    // YCbCr 4:4:4, 2 also YCbCr 4:2:2, 3 all three.
    std::optional<uint32_t> colorFormats;
    // Bit 2: sRGB is the default colour space.
    bool srgbDefault = false;
    // Bit 1: the first detailed timing is the preferred one (from EDID 1.4
    // on it also holds the native pixel format and rate).
    bool firstTimingPreferred = false;
    // Bit 0 from EDID 1.4 on: continuous frequency.
    std::optional<bool> continuousFrequency;
    // Bit 0 before EDID 1.4: GTF timings are supported.
    std::optional<bool> gtfSupported;
};

// A point of the CIE 1931 xy chromaticity diagram: 10-bit values / 1024.
struct ChromaticityPoint {
    double x = 0;
    double y = 0;
};

// Bytes 25 to 34.
struct Chromaticity {
    ChromaticityPoint red;
    ChromaticityPoint green;
    ChromaticityPoint blue;
    ChromaticityPoint white;
};

// A mode with its exact rate, as a table of the standards defines it.
struct ModeTiming {
    uint32_t width = 0;
    uint32_t height = 0;
    bool interlaced = false;
    // Frames per second, or fields per second when `interlaced`.
    double refreshHz = 0;
};

// One 2-byte standard timing, of bytes 38 to 53 or of a descriptor 0xFA.
struct StandardTiming {
    uint32_t width = 0;
    uint32_t height = 0;
    // Aspect ratio bits: 0 16:10 (1:1 before EDID 1.3), 1 4:3, 2 5:4, 3 16:9.
    uint32_t aspect = 0;
    // Before EDID 1.3 aspect 0 is 1:1.
    bool squareAspect = false;
    // The stored rate + 60, 60 to 123.
    uint32_t refreshHzNominal = 0;
    // The DMT mode of this size and nominal rate, where one exists.
    std::optional<ModeTiming> dmt;
};

// What one of the base block's four 18-byte descriptors is.
// A display descriptor is valued by its tag (byte 3); what no single tag
// marks lies above them.
enum class DescriptorContent : uint32_t {
    Dummy = 0x10,
    EstablishedIii = 0xF7,
    Cvt = 0xF8, // CVT 3-byte codes
    Dcm = 0xF9, // colour management
    StandardTimings = 0xFA,
    ColorPoint = 0xFB,
    ProductName = 0xFC,
    RangeLimits = 0xFD,
    DataString = 0xFE,
    Serial = 0xFF,
    Timing = 0x100,       // a detailed timing (a pixel clock that is not 0)
    Manufacturer = 0x101, // tags 0x00 to 0x0F
    Unused = 0x102,       // any other tag
};

// Byte 10 of the range limits descriptor, valued by it; Reserved stands for
// any other value.
enum class RangeSubtype : uint32_t {
    Gtf = 0x00, // default GTF
    RangeOnly = 0x01,
    SecondaryGtf = 0x02,
    Cvt = 0x04,
    Reserved = 0x100,
};

} // namespace moniquet
