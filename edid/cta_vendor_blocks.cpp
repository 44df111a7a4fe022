// Vendor-specific CTA-861 data blocks: which vendor, and what the blocks of
// HDMI, the HDMI Forum and AMD say.
#include "edid/bits.h"
#include "edid/cta_data_blocks.h"
#include "edid/edid_layout.h"
#include "edid/vic_table.h"
#include "moniquet/cta_names.h"

namespace moniquet {

namespace {

// HDMI VICs 1 to 4 name formats that CTA-861 gave VICs later.
constexpr std::array<uint32_t, 4> kVicOfHdmiVic = {95, 94, 93, 98};

// Lanes × rate per lane of the maximum fixed rate link codes 1 to 6.
constexpr std::array<uint32_t, 7> kFrlGbps = {0, 9, 18, 24, 32, 40, 48};

uint32_t Reversed(uint32_t oui) {
    return (oui >> 16) | (oui & 0xFF00u) | ((oui & 0xFFu) << 16);
}

std::optional<uint32_t> NonZero(uint32_t value) {
    return value != 0 ? std::optional(value) : std::nullopt;
}

// The HDMI VICs come after the latencies and one byte of 3D flags.
void AddHdmiVics(Payload body, RateSpan& rates, CtaInfo& cta) {
    if (body.size() <= kHdmiLatencyFlagsOffset) {
        return;
    }
    const uint8_t flags = body[kHdmiLatencyFlagsOffset];
    if (!Bit(flags, kHdmiVideoPresentBit)) {
        return;
    }
    std::size_t pos = kHdmiLatencyFlagsOffset + 1;
    pos += Bit(flags, kHdmiLatencyBit) ? 2 : 0;
    pos += Bit(flags, kHdmiInterlacedLatencyBit) ? 2 : 0;
    const std::size_t lengths = pos + 1;
    if (lengths >= body.size()) {
        return;
    }
    const std::size_t count = Bits(body[lengths], 7, 5);
    for (std::size_t i = lengths + 1; i < body.size() && i <= lengths + count; ++i) {
        if (body[i] >= 1 && body[i] <= kVicOfHdmiVic.size()) {
            const uint32_t vic = kVicOfHdmiVic[body[i] - 1];
            cta.hdmiVics.push_back(vic);
            if (const auto mode = FindVicTableMode(vic)) {
                AddRates(rates, RatesOf(*mode));
            }
        }
    }
}

CtaHdmi HdmiOf(Payload body, RateSpan& rates, CtaInfo& cta) {
    CtaHdmi hdmi;
    if (body.size() > kHdmiAddressOffset + 1) {
        const uint8_t ab = body[kHdmiAddressOffset];
        const uint8_t cd = body[kHdmiAddressOffset + 1];
        hdmi.physicalAddress = {Bits(ab, 7, 4), Bits(ab, 3, 0), Bits(cd, 7, 4), Bits(cd, 3, 0)};
    }
    if (body.size() > kHdmiFlagsOffset) {
        const uint8_t flags = body[kHdmiFlagsOffset];
        for (const auto& [bit, bits] :
             {std::pair{kHdmiDeepColor30Bit, 30u}, std::pair{kHdmiDeepColor36Bit, 36u},
              std::pair{kHdmiDeepColor48Bit, 48u}}) {
            if (Bit(flags, bit)) {
                hdmi.deepColorBits.push_back(bits);
            }
        }
        hdmi.supportsAi = Bit(flags, kHdmiSupportsAiBit);
    }
    if (body.size() > kHdmiMaxTmdsOffset) {
        hdmi.maxTmdsMHz = NonZero(body[kHdmiMaxTmdsOffset] * kTmdsUnitMHz);
    }
    AddHdmiVics(body, rates, cta);
    return hdmi;
}

CtaFreeSync FreeSyncOf(Payload body) {
    CtaFreeSync sync;
    if (body.size() > kAmdVersionOffset + 1) {
        sync.versionMajor = body[kAmdVersionOffset];
        sync.versionMinor = body[kAmdVersionOffset + 1];
    }
    if (body.size() > kAmdMaxHzOffset) {
        sync.minHz = body[kAmdMinHzOffset];
        sync.maxHz = body[kAmdMaxHzOffset];
    }
    return sync;
}

} // namespace

CtaHdmiForum HdmiForumOf(Payload body) {
    CtaHdmiForum forum;
    const auto at = [&](std::size_t offset) { return offset < body.size(); };
    if (at(kHdmiForumVersionOffset)) {
        forum.version = body[kHdmiForumVersionOffset];
    }
    if (at(kHdmiForumMaxTmdsOffset)) {
        forum.maxTmdsMHz = NonZero(body[kHdmiForumMaxTmdsOffset] * kTmdsUnitMHz);
    }
    if (at(kHdmiForumFlagsOffset)) {
        forum.scdc = Bit(body[kHdmiForumFlagsOffset], kHdmiForumScdcBit);
    }
    if (at(kHdmiForumFrlOffset)) {
        const uint32_t code = Bits(body[kHdmiForumFrlOffset], 7, 4);
        if (code < kFrlGbps.size()) {
            forum.maxFrlGbps = NonZero(kFrlGbps[code]);
        }
    }
    if (at(kHdmiForumFeaturesOffset)) {
        forum.allm = Bit(body[kHdmiForumFeaturesOffset], kHdmiForumAllmBit);
    }
    if (at(kHdmiForumVrrOffset + 1)) {
        const uint8_t low = body[kHdmiForumVrrOffset];
        forum.vrrMinHz = NonZero(Bits(low, 5, 0));
        forum.vrrMaxHz = NonZero(Bits(low, 7, 6) << 8 | body[kHdmiForumVrrOffset + 1]);
    }
    if (at(kHdmiForumDscOffset)) {
        forum.dsc = Bit(body[kHdmiForumDscOffset], kHdmiForumDscBit);
    }
    return forum;
}

std::optional<uint32_t> AddVendorBlock(Payload payload, CtaVendorKind kind, RateSpan& rates,
                                       CtaInfo& cta) {
    if (payload.size() < kOuiSize) {
        cta.vendorBlocks.push_back({std::nullopt, kind});
        return std::nullopt;
    }
    uint32_t oui = Le24(payload, 0);
    // Some blocks store the OUI the wrong way round; the vendor is still
    // plain.
    if (!VendorName(oui) && VendorName(Reversed(oui))) {
        oui = Reversed(oui);
    }
    cta.vendorBlocks.push_back({oui, kind});
    const Payload body = payload.subspan(kOuiSize);
    if (kind != CtaVendorKind::Data) {
        return oui;
    }
    if (oui == kOuiHdmi && !cta.hdmi) {
        cta.hdmi = HdmiOf(body, rates, cta);
    } else if (oui == kOuiHdmiForum && (!cta.hdmiForum || cta.hdmiForumFromSinkBlock)) {
        cta.hdmiForum = HdmiForumOf(body);
        cta.hdmiForumFromSinkBlock = false;
    } else if (oui == kOuiAmd && !cta.freeSync) {
        cta.freeSync = FreeSyncOf(body);
    }
    return oui;
}

} // namespace moniquet
