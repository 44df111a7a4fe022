// The decoders of single CTA-861 data blocks, shared by cta_block.cpp,
// cta_data_blocks.cpp and cta_vendor_blocks.cpp. Each takes the block's
// payload (after its header byte, and after the extended tag where there is
// one), as long as the data block says or as much of it as there is.
#pragma once

#include "edid/diagnostics.h"
#include "edid/timing_rates.h"
#include "moniquet/info_cta.h"

#include <cstdint>
#include <span>

namespace moniquet {

using Payload = std::span<const uint8_t>;

// `sink` names offsets of the payload. Rates of the VICs go to `rates`.
void AddShortVideo(Payload payload, const DiagnosticSink& sink, RateSpan& rates, CtaInfo& cta);
void AddShortAudio(Payload payload, CtaInfo& cta);
void AddYcbcr420Only(Payload payload, const DiagnosticSink& sink, RateSpan& rates, CtaInfo& cta);
// Resolves the first 4:2:0 capability map against the short video
// descriptors seen so far.
void ResolveYcbcr420Capable(CtaInfo& cta);
HdrStaticMetadata HdrStaticMetadataOf(Payload payload);
std::vector<uint32_t> HdrDynamicTypesOf(Payload payload);
CtaVideoCapability VideoCapabilityOf(uint8_t byte);
// Up to three bytes, the first in bits 0 to 7.
uint32_t LittleEndianBits(Payload payload, std::size_t count);

// A vendor-specific block of `kind`: its OUI, and what the blocks of HDMI,
// the HDMI Forum and AMD hold. Returns the OUI as CtaVendorBlock::oui. Rates
// of HDMI VICs go to `rates`.
std::optional<uint32_t> AddVendorBlock(Payload payload, CtaVendorKind kind, RateSpan& rates,
                                       CtaInfo& cta);
// The HDMI Forum sink capability block's payload after its two reserved
// bytes.
CtaHdmiForum HdmiForumOf(Payload payload);

} // namespace moniquet
