// The rules of the base block's own fields and of each 18-byte descriptor
// of any block, which the decoders call as they read those bytes, and the
// rules about them that need every block, which CheckWholeEdid calls. Each
// reports into the sink it is given; offsets are of the sink's bytes.
// Private to the decoders.
#pragma once

#include "edid/diagnostics.h"
#include "edid/info_blocks.h"
#include "moniquet/monitor_record.h"

#include <cstdint>
#include <span>

namespace moniquet {

// The EDID revision the rules of a block read: byte 19 of an EDID 1.x,
// else 0.
uint32_t RevisionOf(const EdidInfo& info);

// Bytes 8 to 17: the maker's letters, the serial number and the date.
void CheckIdentity(WholeBlock block, const DiagnosticSink& sink, const Walk& walk);

// Bytes 20 to 34 and the first descriptor: video input, screen size, sRGB,
// the preferred timing.
void CheckDisplayParameters(WholeBlock block, const DiagnosticSink& sink);

// The 2-byte standard timing at `offset` of the sink's bytes, of bytes 38
// to 53 or of a descriptor 0xFA.
void CheckStandardTimingCode(std::span<const uint8_t, 2> code, std::size_t offset,
                             const DiagnosticSink& sink, const EdidInfo& info);

// A detailed timing as the walk decoded it (`timing`, the last of
// info.detailedTimings) from `d`, of block `blockIndex`. The sink's bytes
// are the descriptor's.
void CheckDetailedTiming(Descriptor d, const DetailedTiming& stored, const TimingInfo& timing,
                         const DiagnosticSink& sink, Walk& walk);

// Notes a descriptor of the sink's block, a display descriptor or not;
// true when a display descriptor came before it in that block.
bool DisplayDescriptorBefore(Walk& walk, const DiagnosticSink& sink, bool display);

// Whether the base block's descriptors are a laptop panel's, whose
// descriptors 3 and 4 (tag 0xFE both) hold the panel's own data.
bool IsSpwgPanel(WholeBlock block);

// A display descriptor, the n-th (0 to 3) of the base block or any of an
// extension block (`baseIndex` empty). The sink's bytes are the
// descriptor's.
void CheckDisplayDescriptor(Descriptor d, std::optional<std::size_t> baseIndex,
                            const DiagnosticSink& sink, Walk& walk);

// The laptop panel's descriptors 3 and 4 (IsSpwgPanel), and an embedded
// panel interface descriptor (0x0E) of any block.
void CheckSpwgPartNumbers(Descriptor d, const DiagnosticSink& sink);
void CheckSpwgPanelData(Descriptor d, const DiagnosticSink& sink);
void CheckEpiDescriptor(Descriptor d, const DiagnosticSink& sink);

// A CVT 3-byte timing codes descriptor (0xF8) of any block.
void CheckCvtCodesDescriptor(Descriptor d, const DiagnosticSink& sink, const EdidInfo& info);

// A range limits descriptor (0xFD) of any block.
void CheckRangeLimitsDescriptor(Descriptor d, const DiagnosticSink& sink, const EdidInfo& info);

// The text rules of a display descriptor's text field (or part of one),
// `text`, which starts at `at` of the sink's bytes: one line of printable
// ASCII, ended by a line feed and padded with spaces when shorter than the
// field. Failures get `invalid`, characters outside printable ASCII
// warnings of `nonAscii`; `field` names the text.
void CheckDescriptorText(std::span<const uint8_t> text, std::size_t at, const char* field,
                         DiagnosticCode invalid, DiagnosticCode nonAscii,
                         const DiagnosticSink& sink);

// Serial numbers that makers put in place of a real one: of bytes 12 to
// 15, and of a serial number descriptor's text.
bool IsDummySerialNumber(uint32_t serial);
bool IsDummySerialText(std::span<const uint8_t> text);

// After every block: the image sizes of all detailed timings against the
// screen size, the serial numbers of all blocks, and the product
// identification that a manufacturer ID of "CID" leaves to the extensions.
void CheckBaseWholeEdid(Walk& walk);

} // namespace moniquet
