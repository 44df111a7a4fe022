// The decoder of EDIDs as a library: one call takes the bytes a monitor
// gives and returns everything they say, with the rules of the standards
// they break. Everything a caller needs is declared under include/moniquet/
// and lives in namespace moniquet; the rest of the tree is private and may
// change from one release to the next.
//
//     const moniquet::Result<moniquet::EdidInfo> edid = moniquet::Decode(bytes);
//     if (!edid) {
//         std::cerr << edid.error().message << '\n';
//     } else if (edid.value().productName) {
//         ...
//     }
#pragma once

#include "moniquet/diagnostics.h"
#include "moniquet/edid_info.h"
#include "moniquet/result.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace moniquet {

// Bytes 0 to 7 of an EDID, 00 FF FF FF FF FF FF 00.
inline constexpr std::size_t kEdidHeaderSize = 8;

// `bytes` starts with the EDID header (bytes 0 to 7).
bool HasEdidHeader(std::span<const uint8_t> bytes);

// The bytes the base block and the extension blocks its byte 126 announces
// take, 128 to 32768; empty unless `bytes` holds the header and byte 126.
std::optional<std::size_t> AnnouncedEdidSize(std::span<const uint8_t> bytes);

// Decodes `edid`: one EDID of 128 bytes (one block) up to 257 blocks, as
// DecodeEdidInfo does. Shorter or longer input is an error (TooShort,
// TooLong); anything else gives the decoded EDID, whose `diagnostics` say
// what it breaks (an EDID without its header is decoded as it is, and says
// so there).
Result<EdidInfo> Decode(std::span<const uint8_t> edid, DecodeOptions options = {});

} // namespace moniquet
