#include "inventory/monitor_list.h"

namespace moniquet {

MonitorList g_monitors;

bool SameVendorId(const MonitorRecord& a, const MonitorRecord& b) {
    return a.summary.vendor.manufacturer == b.summary.vendor.manufacturer &&
           a.summary.vendor.productCode == b.summary.vendor.productCode;
}

namespace {

bool IsListed(const MonitorList& list, const MonitorRecord& candidate) {
    for (const MonitorRecord& listed : list) {
        if (SameVendorId(listed, candidate)) {
            return true;
        }
    }
    return false;
}

} // namespace

int32_t RefreshMonitorList(const ScanOperation& scan) {
    g_monitors.clear();
    scan(g_monitors, kScanPresent);

    // The all-devices pass sees the present monitors again; only a model that
    // nothing listed so far shares is added, so candidates appended earlier in
    // this loop count as listed too.
    MonitorList candidates;
    scan(candidates, kScanAllClasses);
    for (const MonitorRecord& candidate : candidates) {
        if (!IsListed(g_monitors, candidate)) {
            g_monitors.push_back(candidate);
        }
    }
    return static_cast<int32_t>(g_monitors.size());
}

} // namespace moniquet
