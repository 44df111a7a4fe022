// The fields of blocks that name video formats by reference rather than by
// their timings: short video references (the video format preference and
// native video resolution blocks), video format descriptors (RIDs with
// their rates) and the 4:2:0 capability map (indexes of SVDs).
#include "edid/bits.h"
#include "edid/cta_fields_formats.h"
#include "edid/edid_layout.h"

#include <array>
#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;

// The frame rates of rate indexes 1 to 15, which RID references use.
constexpr std::array<uint64_t, 16> kRates = {0,   24,  25,  30,  48,  50,  60,  100,
                                             120, 144, 200, 240, 300, 360, 400, 480};

// A short video reference: a VIC (1 to 127, 193 to 253), the Nth detailed
// timing (129 to 144) or timing of the Type VII and X blocks (145 to 160),
// the first video format descriptor's RID at a rate (161 to 175) or the
// first code of the Type VIII block (254); the others are reserved.
void AddSvr(Fields& fields, uint8_t code) {
    constexpr uint8_t kFirstDtd = 129;
    constexpr uint8_t kFirstTiming = 145;
    constexpr uint8_t kFirstRate = 161;
    constexpr uint8_t kLastRate = 175;
    constexpr uint8_t kFirstHighVic = 193;
    constexpr uint8_t kTypeViii = 254;
    if ((code >= 1 && code <= 127) || (code >= kFirstHighVic && code < kTypeViii)) {
        AddName(fields, "kind", "Kind", "vic");
        AddUnsigned(fields, "number", "VIC", code);
    } else if (code >= kFirstDtd && code < kFirstTiming) {
        AddName(fields, "kind", "Kind", "dtd");
        AddUnsigned(fields, "number", "DTD", code - kFirstDtd + 1u);
    } else if (code >= kFirstTiming && code < kFirstRate) {
        AddName(fields, "kind", "Kind", "vtdb");
        AddUnsigned(fields, "number", "Timing", code - kFirstTiming + 1u);
    } else if (code >= kFirstRate && code <= kLastRate) {
        AddName(fields, "kind", "Kind", "rid");
        AddUnsigned(fields, "rate", "Rate", kRates[code - kFirstRate + 1u], " Hz");
    } else if (code == kTypeViii) {
        AddName(fields, "kind", "Kind", "t8vtdb");
    } else {
        AddName(fields, "kind", "Kind", "reserved");
        AddUnsigned(fields, "code", "Code", code);
    }
}

// The rates of one video format descriptor: 24, 48 and 144 Hz have a bit
// each; the others are multiples of 25 and 30 Hz, by factors each VFD
// lists once for both bases. A VFD of one byte has the 60 Hz base and the
// factors 1 and 2; one of two no 48 Hz bit.
void AddVfdRates(Fields& fields, Bytes vfd) {
    constexpr std::array<uint64_t, 6> kFactors = {1, 2, 4, 8, 12, 16};
    const bool base50 = Bit(vfd[0], 7);
    const bool has24 = Bit(vfd[0], 6);
    const bool base60 = vfd.size() < 2 || Bit(vfd[1], 7);
    const bool has144 = vfd.size() >= 2 && Bit(vfd[1], 6);
    const uint32_t factors = vfd.size() >= 2 ? Bits(vfd[1], 5, 0) : 3u;
    const bool has48 = vfd.size() >= 3 && Bit(vfd[2], 0);
    std::array<bool, 481> rates{};
    rates[24] = has24;
    rates[48] = has48;
    rates[144] = has144;
    for (unsigned i = 0; i < kFactors.size(); ++i) {
        if ((factors >> i & 1u) != 0) {
            rates[25 * kFactors[i]] = rates[25 * kFactors[i]] || base50;
            rates[30 * kFactors[i]] = rates[30 * kFactors[i]] || base60;
        }
    }
    Field& list = AddList(fields, "rates", "Rates");
    for (std::size_t hz = 0; hz < rates.size(); ++hz) {
        if (rates[hz]) {
            AddUnsigned(list.items, "", "", hz, " Hz");
        }
    }
}

} // namespace

Fields VideoFormatPreferenceFields(Bytes body) {
    Fields fields;
    Field& list = AddList(fields, "svrs", "Preferred");
    for (const uint8_t code : body) {
        AddSvr(AddObject(list.items, "", "").items, code);
    }
    return fields;
}

Fields NativeResolutionFields(Bytes body) {
    constexpr std::size_t kSizeEnd = 6;
    Fields fields;
    if (body.empty()) {
        return fields;
    }
    AddSvr(AddObject(fields, "native", "Native").items, body[0]);
    if (body.size() < 2) {
        return fields;
    }
    const bool hasSize = Bit(body[1], 0);
    AddBool(fields, "has_image_size", "Image size given", hasSize);
    if (hasSize && body.size() >= kSizeEnd) {
        // In tenths of a millimetre, or in millimetres when bit 7 says so.
        const double scale = Bit(body[1], 7) ? 1.0 : 0.1;
        AddFixed(fields, "image_width", "Image width", (body[2] | body[3] << 8) * scale, 1, " mm");
        AddFixed(fields, "image_height", "Image height", (body[4] | body[5] << 8) * scale, 1,
                 " mm");
    }
    return fields;
}

Fields VideoFormatFields(Bytes body) {
    Fields fields;
    if (body.empty()) {
        return fields;
    }
    const uint8_t flags = body[0];
    const std::size_t size = Bits(flags, 1, 0) + 1u;
    AddBool(fields, "ycbcr420", "YCbCr 4:2:0", Bit(flags, 7));
    AddBool(fields, "ntsc_fractional", "NTSC rates first", Bit(flags, 6));
    AddUnsigned(fields, "vfd_size", "VFD size", size, " bytes");
    Field& list = AddList(fields, "vfds", "VFD");
    for (std::size_t at = 1; at + size <= body.size(); at += size) {
        const Bytes vfd = body.subspan(at, size);
        Fields& entry = AddObject(list.items, "", "").items;
        AddUnsigned(entry, "rid", "RID", Bits(vfd[0], 5, 0));
        AddVfdRates(entry, vfd);
    }
    return fields;
}

Fields CapabilityMapFields(Bytes body) {
    Fields fields;
    // A map of no bytes marks every SVD.
    AddBool(fields, "all_svds", "Every SVD", body.empty());
    Field& list = AddList(fields, "svds", "SVD");
    for (std::size_t i = 0; i < 8 * body.size(); ++i) {
        if (Bit(body[i / 8], i % 8)) {
            AddUnsigned(AddObject(list.items, "", "").items, "index", "Index", i + 1);
        }
    }
    return fields;
}

void ResolveCapabilityMapFields(CtaInfo& cta) {
    for (CtaDataBlock& block : cta.dataBlocks) {
        if (block.tag != kCtaTagExtended || block.extendedTag != kCtaExtYcbcr420CapabilityMap ||
            !block.fields) {
            continue;
        }
        for (Field& list : *block.fields) {
            if (list.key != "svds") {
                continue;
            }
            for (Field& svd : list.items) {
                const std::size_t index = svd.items.empty() ? 0 : svd.items.front().number;
                const bool listed = index >= 1 && index <= cta.svdBytes.size();
                AddBool(svd.items, "listed", "Listed", listed);
                const std::optional<uint32_t> vic =
                    listed ? SvdVic(cta.svdBytes[index - 1]) : std::nullopt;
                if (vic) {
                    AddUnsigned(svd.items, "vic", "VIC", *vic);
                } else {
                    AddNull(svd.items, "vic", "VIC");
                }
            }
        }
    }
}

} // namespace moniquet
