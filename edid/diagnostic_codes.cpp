#include "moniquet/diagnostic_codes.h"

#include <array>

namespace moniquet {

namespace {

constexpr std::string_view kNames[] = {
#define MONIQUET_CODE(id, name) name,
#include "moniquet/codes_base.def"
#include "moniquet/codes_cta.def"
#include "moniquet/codes_displayid.def"
#include "moniquet/codes_structure.def"
#include "moniquet/codes_timings.def"
#undef MONIQUET_CODE
};

constexpr DiagnosticCode kCodes[] = {
#define MONIQUET_CODE(id, name) DiagnosticCode::id,
#include "moniquet/codes_base.def"
#include "moniquet/codes_cta.def"
#include "moniquet/codes_displayid.def"
#include "moniquet/codes_structure.def"
#include "moniquet/codes_timings.def"
#undef MONIQUET_CODE
};

} // namespace

std::string_view DiagnosticCodeName(DiagnosticCode code) {
    const auto index = static_cast<std::size_t>(code);
    return index < std::size(kNames) ? kNames[index] : std::string_view("unknown");
}

std::span<const DiagnosticCode> AllDiagnosticCodes() {
    return kCodes;
}

} // namespace moniquet
