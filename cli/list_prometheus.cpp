#include "cli/list_prometheus.h"

#include "cli/decode_options.h"
#include "cli/monitor_figures.h"
#include "cli/prometheus_text.h"
#include "cli/sha256.h"
#include "moniquet/edid_info.h"
#include "moniquet/report.h"

#include <algorithm>
#include <functional>

namespace moniquet {

namespace {

// A figure of a decoded EDID, as a sample's value; empty when not known.
using Figure = std::function<std::optional<std::string>(const EdidInfo&)>;

struct MonitorFamily {
    const char* name;
    const char* help;
    Figure figure;
};

std::optional<std::string> Whole(std::optional<uint32_t> value) {
    return value ? std::optional(std::to_string(*value)) : std::nullopt;
}

const MonitorFamily kFigures[] = {
    {"moniquet_monitor_preferred_width_pixels", "Width of the monitor's preferred mode.",
     [](const EdidInfo& info) {
         const auto timing = PreferredTiming(info);
         return Whole(timing ? std::optional(timing->width) : std::nullopt);
     }},
    {"moniquet_monitor_preferred_height_pixels", "Height of the monitor's preferred mode.",
     [](const EdidInfo& info) {
         const auto timing = PreferredTiming(info);
         return Whole(timing ? std::optional(timing->height) : std::nullopt);
     }},
    {"moniquet_monitor_max_refresh_hz",
     "Highest refresh rate of the modes the monitor's EDID names, established timings aside.",
     [](const EdidInfo& info) {
         const auto hz = MaxRefreshHz(info);
         return hz ? std::optional(PrometheusNumber(*hz)) : std::nullopt;
     }},
    {"moniquet_monitor_manufacture_year", "Year the monitor was made, as its EDID says.",
     [](const EdidInfo& info) { return Whole(ManufactureYear(info)); }},
    {"moniquet_monitor_conformity_failures",
     "Number of rules of the standards the monitor's EDID breaks (failures of info --check).",
     [](const EdidInfo& info) {
         return Whole(static_cast<uint32_t>(
             std::count_if(info.diagnostics.begin(), info.diagnostics.end(),
                           [](const Diagnostic& r) { return r.severity == Severity::Failure; })));
     }},
};

std::string Ascii(std::optional<uint32_t> value) {
    return value ? std::to_string(*value) : std::string();
}

std::string Text(const std::optional<std::u16string>& value) {
    return PrometheusLabelValue(value.value_or(u""));
}

} // namespace

std::string FormatMonitorsPrometheus(const MonitorList& monitors,
                                     std::optional<std::size_t> scanErrors) {
    std::vector<EdidInfo> infos;
    std::vector<std::vector<PrometheusLabel>> keys;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        infos.push_back(DecodeEdidInfo(monitors[i].edid, CommandDecodeOptions()));
        keys.push_back(
            {{"index", std::to_string(i)},
             {"label", PrometheusLabelValue(FormatMonitorLabel(monitors[i].summary.vendor))}});
    }

    std::string out;
    AppendGaugeFamily(out, "moniquet_monitor_info",
                      "A monitor moniquet-cli lists; what identifies it is in its labels.");
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const EdidInfo& info = infos[i];
        std::vector<PrometheusLabel> labels = keys[i];
        labels.insert(labels.end(), {{"manufacturer", Text(info.manufacturerId)},
                                     {"manufacturer_name", Text(info.manufacturerName)},
                                     {"product_code", Ascii(info.productCode)},
                                     {"product_name", Text(info.productName)},
                                     {"serial", PrometheusLabelValue(SerialText(info))},
                                     {"source", PrometheusLabelValue(monitors[i].source)},
                                     {"edid_sha256", Sha256Hex(monitors[i].edid)}});
        AppendSample(out, "moniquet_monitor_info", labels, "1");
    }
    AppendGaugeFamily(out, "moniquet_monitor_active",
                      "1 when the monitor was connected at the scan, else 0.");
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        AppendSample(out, "moniquet_monitor_active", keys[i],
                     monitors[i].summary.active ? "1" : "0");
    }
    for (const MonitorFamily& family : kFigures) {
        AppendGaugeFamily(out, family.name, family.help);
        for (std::size_t i = 0; i < monitors.size(); ++i) {
            if (const std::optional<std::string> value = family.figure(infos[i])) {
                AppendSample(out, family.name, keys[i], *value);
            }
        }
    }
    AppendGaugeFamily(out, "moniquet_monitors", "Number of monitors moniquet-cli lists.");
    AppendSample(out, "moniquet_monitors", {}, std::to_string(monitors.size()));
    if (scanErrors) {
        AppendGaugeFamily(out, "moniquet_scan_errors",
                          "Number of things the scan had to pass over, each told on standard "
                          "error.");
        AppendSample(out, "moniquet_scan_errors", {}, std::to_string(*scanErrors));
    }
    return out;
}

} // namespace moniquet
