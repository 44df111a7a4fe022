// Prometheus's text exposition format (0.0.4), as node_exporter's and
// windows_exporter's textfile collectors read it.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace moniquet {

// One label: its name (fixed ASCII) and its value, UTF-8.
using PrometheusLabel = std::pair<std::string_view, std::string>;

// `text` as a label value between its quotes: backslash, double quote and
// line feed escaped as the format requires, every other control character
// (U+0000 to U+001F, U+007F to U+009F) and every unpaired surrogate made
// U+FFFD, so that the file stays valid UTF-8 that grep takes for text.
std::string PrometheusLabelValue(std::u16string_view text);

// The "# HELP" and "# TYPE" lines of a gauge family. `help` is plain ASCII
// without backslash or line feed.
void AppendGaugeFamily(std::string& out, std::string_view name, std::string_view help);

// One sample line; `value` is already a number's text.
void AppendSample(std::string& out, std::string_view name,
                  const std::vector<PrometheusLabel>& labels, std::string_view value);

// A value without the trailing zeros of its fixed form: "60", "59.94".
std::string PrometheusNumber(double value);

} // namespace moniquet
