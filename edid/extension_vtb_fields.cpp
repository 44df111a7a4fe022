// The fields of a video timing block: a version byte, three counts, then
// that many detailed timings, CVT 3-byte codes and standard timings, each
// kind after the other, up to the checksum.
#include "edid/bits.h"
#include "edid/dmt_table.h"
#include "edid/extension_fields.h"
#include "moniquet/decode.h"

#include <array>
#include <string>
#include <utility>

namespace moniquet {

namespace {

constexpr std::size_t kFirstTiming = 5;
constexpr std::size_t kChecksum = 127;
constexpr std::size_t kCvtCodeSize = 3;
constexpr std::size_t kStandardTimingSize = 2;

std::string SyncName(uint8_t flags) {
    static constexpr std::array<const char*, 4> kNames = {
        "analog composite", "bipolar analog composite", "digital composite", "digital separate"};
    return kNames[Bits(flags, 4, 3)];
}

// Bits 6 and 5 with bit 0: 0 and 1 are both "none".
std::string StereoName(uint8_t flags) {
    static constexpr std::array<const char*, 8> kNames = {"none",
                                                          "none",
                                                          "field sequential, right on sync",
                                                          "2-way interleaved, right on even lines",
                                                          "field sequential, left on sync",
                                                          "2-way interleaved, left on even lines",
                                                          "4-way interleaved",
                                                          "side by side interleaved"};
    return kNames[Bits(flags, 6, 5) << 1 | Bits(flags, 0, 0)];
}

int64_t BackPorch(uint32_t blanking, uint32_t front, uint32_t sync, uint32_t border) {
    return static_cast<int64_t>(blanking) - front - sync - 2 * static_cast<int64_t>(border);
}

// Lines 2 * (stored + 1); the width follows from the aspect ratio, in
// whole cells of 8 pixels.
void AddCvtCode(Fields& codes, std::span<const uint8_t, kCvtCodeSize> code) {
    static constexpr std::array<std::array<uint32_t, 2>, 4> kRatios = {
        {{4, 3}, {16, 9}, {16, 10}, {15, 9}}};
    static constexpr std::array<const char*, 4> kAspects = {"4:3", "16:9", "16:10", "15:9"};
    static constexpr std::array<const char*, 5> kRates = {"50 Hz", "60 Hz", "75 Hz", "85 Hz",
                                                          "60 Hz reduced blanking"};
    const uint32_t lines = 2 * ((code[0] | Bits(code[1], 7, 4) << 8) + 1);
    const uint32_t aspect = Bits(code[1], 3, 2);
    Field& entry = AddObject(codes, "", "");
    AddUnsigned(entry.items, "width", "Width",
                8 * (lines * kRatios[aspect][0] / kRatios[aspect][1] / 8));
    AddUnsigned(entry.items, "height", "Height", lines);
    AddName(entry.items, "aspect", "Aspect", kAspects[aspect]);
    // Bits 6 and 5 name no rate with reduced blanking: 60 Hz preferred
    // while 60 Hz with reduced blanking is offered is read as that one.
    uint32_t preferred = Bits(code[2], 6, 5);
    if (preferred == 1 && Bit(code[2], 0)) {
        preferred = 4;
    }
    AddName(entry.items, "preferred_rate", "Preferred rate", kRates[preferred]);
    Field& rates = AddList(entry.items, "rates", "Rates");
    for (unsigned i = 0; i < kRates.size(); ++i) {
        if (Bit(code[2], 4 - i)) {
            AddName(rates.items, "", "", kRates[i]);
        }
    }
}

// The video timing block's standard timings are GTF's where DMT has no
// mode of their code, and aspect 0 is always 16:10.
void AddStandardTiming(Fields& timings, uint8_t first, uint8_t second) {
    static constexpr std::array<std::array<uint32_t, 2>, 4> kRatios = {
        {{16, 10}, {4, 3}, {5, 4}, {16, 9}}};
    static constexpr std::array<const char*, 4> kAspects = {"16:10", "4:3", "5:4", "16:9"};
    const uint32_t aspect = Bits(second, 7, 6);
    const uint32_t width = (first + 31u) * 8u;
    Field& entry = AddObject(timings, "", "");
    AddUnsigned(entry.items, "width", "Width", width);
    AddUnsigned(entry.items, "height", "Height", width * kRatios[aspect][1] / kRatios[aspect][0]);
    AddName(entry.items, "aspect", "Aspect", kAspects[aspect]);
    AddUnsigned(entry.items, "refresh", "Rate", Bits(second, 5, 0) + 60u, " Hz");
    // DMT numbers its modes by id; the standard timing code finds the id.
    const uint32_t code = static_cast<uint32_t>(first) << 8 | second;
    bool found = false;
    for (const DmtEntry& dmt : DmtEntries()) {
        if (dmt.standardCode == code) {
            AddName(entry.items, "dmt", "DMT", HexByteName(dmt.id));
            found = true;
            break;
        }
    }
    if (!found) {
        AddNull(entry.items, "dmt", "DMT");
    }
}

} // namespace

Fields DetailedTimingFields(std::span<const uint8_t, 18> descriptor) {
    DetailedTiming t;
    DecodeDetailedTiming(descriptor, t);
    const uint8_t flags = descriptor[17];
    const bool interlaced = Bit(flags, 7);
    Fields fields;
    AddUnsigned(fields, "width", "Width", t.hAddressable);
    AddUnsigned(fields, "height", "Height", interlaced ? 2 * t.vAddressable : t.vAddressable);
    AddBool(fields, "interlaced", "Interlaced", interlaced);
    AddFixed(fields, "pixel_clock", "Pixel clock", t.pixelClockKHz / 1000.0, 2, " MHz");
    const uint32_t hTotal = t.hAddressable + t.hBlanking;
    const uint32_t vTotal = t.vAddressable + t.vBlanking;
    if (hTotal != 0 && vTotal != 0) {
        // A field of an interlaced timing lasts half a line more than its
        // stored lines.
        const double lines = interlaced ? vTotal + 0.5 : vTotal;
        AddFixed(fields, "refresh", "Rate", t.pixelClockKHz * 1000.0 / (hTotal * lines), 3, " Hz");
    } else {
        AddNull(fields, "refresh", "Rate");
    }
    AddUnsigned(fields, "h_front_porch", "H front porch", t.hFrontPorch);
    AddUnsigned(fields, "h_sync", "H sync", t.hSyncWidth);
    AddSigned(fields, "h_back_porch", "H back porch",
              BackPorch(t.hBlanking, t.hFrontPorch, t.hSyncWidth, t.hBorder));
    AddUnsigned(fields, "v_front_porch", "V front porch", t.vFrontPorch);
    AddUnsigned(fields, "v_sync", "V sync", t.vSyncWidth);
    AddSigned(fields, "v_back_porch", "V back porch",
              BackPorch(t.vBlanking, t.vFrontPorch, t.vSyncWidth, t.vBorder));
    AddUnsigned(fields, "h_border", "H border", t.hBorder);
    AddUnsigned(fields, "v_border", "V border", t.vBorder);
    AddUnsigned(fields, "image_width", "Image width", t.hImageSizeMm, " mm");
    AddUnsigned(fields, "image_height", "Image height", t.vImageSizeMm, " mm");
    AddName(fields, "sync", "Sync", SyncName(flags));
    // Bits 2 and 1 mean by the kind of sync: for digital separate sync the
    // polarities, for digital composite serrations and the horizontal
    // polarity, for analog serrations and sync on all three colours (else
    // on green only).
    const uint32_t sync = Bits(flags, 4, 3);
    if (sync == 3) {
        AddBool(fields, "h_sync_positive", "H sync positive", Bit(flags, 1));
        AddBool(fields, "v_sync_positive", "V sync positive", Bit(flags, 2));
        AddNull(fields, "serrations", "Serrations");
    } else {
        if (sync == 2) {
            AddBool(fields, "h_sync_positive", "H sync positive", Bit(flags, 1));
        } else {
            AddNull(fields, "h_sync_positive", "H sync positive");
        }
        AddNull(fields, "v_sync_positive", "V sync positive");
        AddBool(fields, "serrations", "Serrations", Bit(flags, 2));
    }
    if (sync < 2) {
        AddBool(fields, "sync_on_green_only", "Sync on green only", !Bit(flags, 1));
    } else {
        AddNull(fields, "sync_on_green_only", "Sync on green only");
    }
    AddName(fields, "stereo", "Stereo", StereoName(flags));
    return fields;
}

Fields VtbFields(ExtensionBlock block) {
    Fields fields;
    AddUnsigned(fields, "version", "Version", block[1]);
    Fields dtds;
    Fields cvts;
    Fields sts;
    // Each list holds what its count asks for while whole entries fit
    // before the checksum; the lists after one cut short stay empty.
    std::size_t at = kFirstTiming;
    bool whole = true;
    const auto next = [&](std::size_t size) {
        whole = whole && at + size <= kChecksum;
        return whole;
    };
    for (unsigned i = 0; i < block[2] && next(18); ++i, at += 18) {
        AddObject(dtds, "", "").items = DetailedTimingFields(block.subspan(at).first<18>());
    }
    for (unsigned i = 0; i < block[3] && next(kCvtCodeSize); ++i, at += kCvtCodeSize) {
        const auto code = block.subspan(at).first<kCvtCodeSize>();
        // An all-zero code fills an unused slot.
        if (code[0] != 0 || code[1] != 0 || code[2] != 0) {
            AddCvtCode(cvts, code);
        }
    }
    for (unsigned i = 0; i < block[4] && next(kStandardTimingSize);
         ++i, at += kStandardTimingSize) {
        // A first byte of 0 or 1 marks an unused entry.
        if (block[at] > 0x01) {
            AddStandardTiming(sts, block[at], block[at + 1]);
        }
    }
    AddList(fields, "detailed_timings", "Detailed timing").items = std::move(dtds);
    AddList(fields, "cvt_codes", "CVT code").items = std::move(cvts);
    AddList(fields, "standard_timings", "Standard timing").items = std::move(sts);
    return fields;
}

} // namespace moniquet
