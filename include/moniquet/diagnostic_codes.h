// The stable codes of the diagnostics: one per rule (or per group of rules
// that say the same), named in kebab-case, never renamed once shipped. The
// lists are kept by kind of block, in edid/codes_*.def.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace moniquet {

enum class DiagnosticCode : uint16_t {
#define MONIQUET_CODE(id, name) id,
#include "moniquet/codes_base.def"
#include "moniquet/codes_cta.def"
#include "moniquet/codes_displayid.def"
#include "moniquet/codes_structure.def"
#include "moniquet/codes_timings.def"
#undef MONIQUET_CODE
};

// "header-invalid".
std::string_view DiagnosticCodeName(DiagnosticCode code);

// Every code, in the order of the lists.
std::span<const DiagnosticCode> AllDiagnosticCodes();

} // namespace moniquet
