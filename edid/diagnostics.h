// How the decoding walk reports what is wrong with an EDID as it reads the
// bytes, and the checks of the whole EDID from the decoded model, into the
// diagnostics of moniquet/diagnostics.h. Private to the decoders.
#pragma once

#include "moniquet/diagnostics.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moniquet {

// Where a decoder reports: the EDID's list, the block it reads, and where in
// that block the bytes it was given start, so that it can name offsets in
// its own bytes.
struct DiagnosticSink {
    // Empty when the checks are off: reports are dropped, and checks that
    // cost more than a comparison are skipped (Checking).
    Diagnostics* list = nullptr;
    std::optional<uint32_t> block;
    uint32_t origin = 0;
};

// The sink for the bytes that start `offset` bytes into those of `sink`.
inline DiagnosticSink Within(DiagnosticSink sink, std::size_t offset) {
    sink.origin += static_cast<uint32_t>(offset);
    return sink;
}

inline bool Checking(const DiagnosticSink& sink) {
    return sink.list != nullptr;
}

// Reports a broken rule at `offset` of the sink's bytes (empty: no byte).
void Fail(const DiagnosticSink& sink, DiagnosticCode code, std::optional<std::size_t> offset,
          std::string message);
void Warn(const DiagnosticSink& sink, DiagnosticCode code, std::optional<std::size_t> offset,
          std::string message);

// "0x0A": a byte as the messages name it.
std::string ByteHex(uint32_t value);

} // namespace moniquet
