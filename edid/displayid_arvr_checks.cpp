// The AR/VR data blocks of DisplayID 2.1: the head-mounted display's
// (tag 0x2C: its layers, optics and fields of view) and each layer's
// (tag 0x2D). Offsets name bytes from the data block's tag byte.
#include "edid/bits.h"
#include "edid/displayid_checks.h"

#include <algorithm>
#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;
using std::to_string;

constexpr std::size_t kHeader = 3;
// Optics are stored in units of 1/8192 (cm, or radians).
constexpr double kFixedUnit = 8192.0;
// An angle between the eyes past a radian leaves little usable overlap.
constexpr double kLargestInterocularRad = 1.0;

uint32_t Le32(Bytes p, std::size_t at) {
    return Le16(p, at) | Le16(p, at + 2) << 16;
}

// Reports against the fields of one block, named by their data block byte.
struct Fields {
    const char* block;
    Bytes p;
    const DiagnosticSink& sink;

    void Report(DiagnosticCode code, std::size_t at, const std::string& what) const {
        const std::string message =
            std::string(block) + ": byte " + to_string(kHeader + at) + " " + what;
        if (code == DiagnosticCode::DisplayIdArvrSuspect) {
            Warn(sink, code, kHeader + at, message);
        } else {
            Fail(sink, code, kHeader + at, message);
        }
    }
    // Bits that must be 0.
    void Zero(std::size_t at, unsigned high, unsigned low) const {
        if (const uint32_t value = Bits(p[at], high, low); value != 0) {
            Report(DiagnosticCode::DisplayIdArvrReserved, at,
                   (high == low ? "has reserved bit " + to_string(high) + " set"
                                : "has reserved bits " + to_string(high) + " to " + to_string(low) +
                                      " set (" + to_string(value) + ")"));
        }
    }
    // A field holding a value past the last defined one.
    void Defined(std::size_t at, unsigned high, unsigned low, uint32_t last,
                 const char* what) const {
        if (const uint32_t value = Bits(p[at], high, low); value > last) {
            Report(DiagnosticCode::DisplayIdArvrReserved, at,
                   std::string("gives the reserved ") + what + " " + to_string(value));
        }
    }
    void Contradiction(bool holds, std::size_t at, const char* what) const {
        if (holds) {
            Report(DiagnosticCode::DisplayIdArvrInconsistent, at, what);
        }
    }
    void Suspect(bool holds, std::size_t at, const std::string& what) const {
        if (holds) {
            Report(DiagnosticCode::DisplayIdArvrSuspect, at, what);
        }
    }
};

} // namespace

void CheckArvrHmd(Bytes p, const DiagnosticSink& sink) {
    if (!Checking(sink)) {
        return;
    }
    const Fields f{"AR/VR head-mounted display data block (0x2C)", p, sink};
    // Byte 3: how two layers share one stream.
    f.Zero(0, 3, 2);
    if (Bit(p[0], 1)) {
        f.Defined(0, 6, 5, 2, "extended frame mode");
    }
    f.Zero(0, 7, 7);
    // Byte 4: displays (1 to 4) and streams (1 or 2), stored one less.
    f.Defined(1, 3, 0, 3, "number of displays");
    f.Defined(1, 7, 4, 1, "number of streams");
    // Byte 5: layers (1 or 2, stored one less) and their metadata.
    const uint32_t layers = Bits(p[2], 3, 0);
    f.Defined(2, 3, 0, 1, "number of layers");
    f.Suspect(layers == 0 && Bits(p[2], 5, 4) != 0, 2,
              "gives layer metadata though the display has a single layer");
    f.Contradiction(!Bit(p[2], 4) && Bits(p[2], 7, 6) != 0, 2,
                    "gives a replication factor (bits 7 and 6) without first-line metadata "
                    "(bit 4), which it applies to");
    // Byte 18: each eye's rotation.
    f.Zero(15, 3, 3);
    f.Zero(15, 7, 7);
    // Bytes 23 and 24: the angle between the eyes. (The lens diameters of
    // bytes 19 to 22 cannot exceed 8 cm.)
    const double interocular = Le16(p, 20) / kFixedUnit;
    f.Suspect(interocular > kLargestInterocularRad, 20,
              "gives an interocular angle of " + to_string(interocular) +
                  " rad, past the 1 rad beyond which the views barely overlap");
    // Byte 25 and bytes 28 to 35: lens adjustment and its ranges.
    const bool adjustable = Bit(p[22], 0);
    f.Defined(22, 2, 1, 2, "lens adjustment motion");
    f.Zero(22, 7, 5);
    f.Contradiction(!adjustable && Le16(p, 25) != 0, 25,
                    "gives a lens adjustment range though byte 25 says the lenses are fixed");
    f.Suspect(!adjustable && Le16(p, 31) != 0, 31,
              "gives an IPD measurement range though byte 25 says the lenses are fixed");
    f.Zero(33, 7, 4);
    f.Zero(34, 7, 2);
    // Bytes 38 and 56 to 63: the horizontal field of view, the focal lengths.
    f.Contradiction(Le16(p, 35) == 0, 35, "gives a horizontal field of view of 0");
    f.Contradiction(Le32(p, 53) == 0, 53, "gives a right focal length of 0");
    f.Contradiction(Le32(p, 57) == 0, 57, "gives a left focal length of 0");
    // Bytes 80 and 81: the streams of each layer.
    constexpr std::size_t kStreams = 77;
    if (Bits(p[kStreams], 7, 4) != 0 || p[kStreams + 1] != 0) {
        f.Report(DiagnosticCode::DisplayIdArvrReserved, kStreams,
                 "has reserved bits set in bits 7 to 4 or in byte 81");
    }
    f.Contradiction(Bits(p[kStreams], 1, 0) == 0, kStreams,
                    "gives no stream for layer 0, which every display has");
    f.Contradiction(layers == 0 && Bits(p[kStreams], 3, 2) != 0, kStreams,
                    "gives streams for layer 1 though the display has a single layer");
}

void CheckArvrLayer(Bytes p, const DiagnosticSink& sink) {
    if (!Checking(sink)) {
        return;
    }
    const Fields f{"AR/VR layer data block (0x2D)", p, sink};
    // Bytes 3 to 7: the head-mounted display's OUI and product code.
    f.Contradiction(std::all_of(p.begin(), p.begin() + 3, [](uint8_t b) { return b == 0; }), 0,
                    "starts an IEEE OUI of 00-00-00, which names no maker");
    f.Contradiction(Le16(p, 3) == 0, 3, "starts a product code of 0");
    // Byte 12: the layer, 0 or 1.
    f.Defined(9, 3, 0, 1, "layer number");
    f.Zero(9, 7, 6);
    if (p[10] != 0) {
        f.Report(DiagnosticCode::DisplayIdArvrReserved, 10, "is reserved but not 0");
    }
    // Byte 14: lens distortion and chromatic aberration correction, what is
    // supported (bits 1 and 0) and what is configurable (bits 3 and 2).
    const uint32_t correction = Bits(p[11], 1, 0);
    const uint32_t configurable = Bits(p[11], 3, 2);
    f.Defined(11, 1, 0, 2, "lens distortion support");
    f.Defined(11, 3, 2, 2, "lens distortion configuration");
    f.Contradiction(correction == 0 && configurable != 0, 11,
                    "makes lens correction configurable though none is supported");
    f.Contradiction(correction == 1 && configurable == 2, 11,
                    "makes lens distortion configurable though only chromatic aberration is "
                    "corrected");
    f.Zero(11, 7, 4);
    // Byte 15: pairs of (supported, configurable) bits.
    for (unsigned bit = 0; bit < 8; bit += 2) {
        f.Contradiction(!Bit(p[12], bit) && Bit(p[12], bit + 1), 12,
                        "makes a feature configurable (gamma, degamma, mura compensation or "
                        "VBI) that it does not support");
    }
    // Byte 16: asynchronous reprojection, 3DoF (1) or 3DoF and 6DoF (2).
    const uint32_t reprojection = Bits(p[13], 1, 0);
    const uint32_t reconfigurable = Bits(p[13], 3, 2);
    f.Defined(13, 1, 0, 2, "asynchronous reprojection support");
    f.Contradiction(reprojection == 0 && reconfigurable != 0, 13,
                    "makes reprojection configurable though none is supported");
    f.Contradiction(reprojection == 1 && reconfigurable >= 2, 13,
                    "makes 6DoF reprojection configurable though only 3DoF is supported");
    f.Zero(13, 7, 4);
    // Byte 17 bit 6: scaling factors other than the listed ones, which
    // bytes 18 to 21 give.
    const bool other = Bit(p[14], 6);
    const bool factors = std::any_of(p.begin() + 15, p.begin() + 19, [](uint8_t b) { return b; });
    f.Contradiction(other && !factors, 14,
                    "supports other scaling factors but bytes 18 to 21 give none");
    f.Contradiction(!other && factors, 14,
                    "supports no other scaling factors but bytes 18 to 21 give some");
    f.Zero(19, 7, 2);
}

} // namespace moniquet
