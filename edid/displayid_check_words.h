// What the DisplayID check files share: how their messages name a data
// block, the rule of a payload's length, and each kind's own rules for
// CheckDisplayIdDataBlock. Offsets name bytes from a data block's tag byte
// (its payload starts at byte 3), as the tables of DisplayID number them.
// Private to edid/displayid_*checks.cpp.
#pragma once

#include "edid/diagnostics.h"
#include "edid/displayid_checks.h"
#include "edid/displayid_timings.h"
#include "edid/edid_layout.h"

#include <algorithm>
#include <span>
#include <string>

namespace moniquet {

inline constexpr std::size_t kDidHeader = kDisplayIdDataBlockHeaderSize;
// A data block's payload cannot be longer than a section's.
inline constexpr std::size_t kDidMaxPayload = 248;

// The data block's name for messages, e.g. "Display Parameters Data Block
// (0x21)".
std::string DidBlockLabel(uint8_t tag);

// Whether the payload is `low` to `high` bytes long; reports it when not.
bool DidPayloadWithin(const DisplayIdDataBlock& b, std::size_t low, std::size_t high,
                      const DiagnosticSink& sink);

inline bool DidAllZero(std::span<const uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

// Each kind's rules (displayid_field_checks.cpp), past its revision byte.
// `sections` counts the sections read, this one included.
void CheckDidProductId(const DisplayIdDataBlock& b, uint32_t sections, DisplayIdScratch& scratch,
                       const DiagnosticSink& sink);
void CheckDidParameters(const DisplayIdDataBlock& b, DisplayIdScratch& scratch,
                        const DiagnosticSink& sink);
void CheckDidDisplayDevice(const DisplayIdDataBlock& b, DisplayIdScratch& scratch,
                           const DiagnosticSink& sink);
void CheckDidTransferCurves(const DisplayIdDataBlock& b, const DiagnosticSink& sink);
void CheckDidTiled(const DisplayIdDataBlock& b, DisplayIdScratch& scratch,
                   const DiagnosticSink& sink);
void CheckDidDynamicRange(const DisplayIdDataBlock& b, const DiagnosticSink& sink);
void CheckDidInterfaceFeatures(const DisplayIdDataBlock& b, DisplayIdScratch& scratch,
                               const DiagnosticSink& sink);
void CheckDidAdaptiveSync(const DisplayIdDataBlock& b, const DiagnosticSink& sink);
void CheckDidVesa(const DisplayIdDataBlock& b, const DiagnosticSink& sink);
// Notes the identifiers a colour (tag 0x02) or transfer (tag 0x0E)
// characteristics block has and names, for the rule of the whole EDID.
void NoteDidColorIds(const DisplayIdDataBlock& b, uint32_t blockIndex, DisplayIdScratch& scratch);
// The rules of a timing block's own fields (displayid_timing_checks.cpp).
void CheckDidTimingBlock(const DisplayIdDataBlock& b, const DiagnosticSink& sink);

} // namespace moniquet
