#include "edid/diagnostics.h"

namespace moniquet {

namespace {

constexpr std::size_t kFirstRoom = 16;

void Report(const DiagnosticSink& sink, DiagnosticCode code, Severity severity,
            std::optional<std::size_t> offset, std::string message) {
    if (!Checking(sink)) {
        return;
    }
    std::optional<uint32_t> at;
    if (offset) {
        at = sink.origin + static_cast<uint32_t>(*offset);
    }
    if (sink.list->capacity() == 0) {
        // An EDID that breaks one rule mostly breaks several: room for them
        // at once rather than for one, two, four...
        sink.list->reserve(kFirstRoom);
    }
    sink.list->push_back({code, severity, sink.block, at, std::move(message)});
}

} // namespace

void Fail(const DiagnosticSink& sink, DiagnosticCode code, std::optional<std::size_t> offset,
          std::string message) {
    Report(sink, code, Severity::Failure, offset, std::move(message));
}

void Warn(const DiagnosticSink& sink, DiagnosticCode code, std::optional<std::size_t> offset,
          std::string message) {
    Report(sink, code, Severity::Warning, offset, std::move(message));
}

Verdict VerdictOf(const Diagnostics& diagnostics) {
    Verdict verdict = Verdict::Pass;
    for (const Diagnostic& d : diagnostics) {
        if (d.severity == Severity::Failure) {
            return Verdict::Fail;
        }
        verdict = Verdict::Warn;
    }
    return verdict;
}

std::string ByteHex(uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {'0', 'x', kDigits[value >> 4 & 0xF], kDigits[value & 0xF]};
}

} // namespace moniquet
