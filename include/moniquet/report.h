// The monitor's label in the list and its plain-text report. The labels of
// the report are fixed texts, independent of the interface language. Lines
// end with CR LF.
#pragma once

#include "moniquet/monitor_record.h"

#include <cstdint>
#include <string>

namespace moniquet {

// Manufacturer followed by the product code as four upper-case hex digits,
// e.g. "ABC1234".
std::u16string FormatMonitorLabel(const VendorId& vendor);

// "MONITEUR", "Fabricant    : ..." and "Code produit : ...".
std::u16string FormatVendorSection(const VendorId& vendor);

// "Référence PN : ..." or "Référence DS : ...", or empty for any other kind.
std::u16string FormatDescriptorLine(const DescriptorText& descriptor);

// "TIMING <number>", four value lines and an empty line.
std::u16string FormatTimingSection(const DetailedTiming& timing, int32_t number);

// Vendor section, then the descriptor lines, then the timing blocks. Counts
// beyond the slots are clamped so that no slot past the arrays is read.
std::u16string FormatMonitorReport(const EdidSummary& summary);

} // namespace moniquet
