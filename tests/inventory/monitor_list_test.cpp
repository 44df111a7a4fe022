#include "test_edid.h"

#include "inventory/monitor_list.h"

#include <gtest/gtest.h>

using namespace moniquet;

namespace {

// A scan with the contract of the real one over two fixed device lists.
struct ScanResults {
    std::vector<MonitorRecord> present;
    std::vector<MonitorRecord> all;
    std::vector<uint32_t> flagsSeen;
};

ScanOperation ScanOver(ScanResults& results) {
    return [&results](MonitorList& list, uint32_t flags) {
        results.flagsSeen.push_back(flags);
        list.clear();
        for (const MonitorRecord& record : flags == kScanPresent ? results.present : results.all) {
            list.push_back(record);
        }
        return static_cast<int32_t>(list.size());
    };
}

MonitorRecord Unit(uint16_t productCode, uint8_t serial, bool active, uint16_t maker = kMakerAbc) {
    return RecordOf(MakeEdid(productCode, 256, serial, maker), active);
}

// g_monitors holds exactly `expected`, in order.
void ExpectListed(const std::vector<MonitorRecord>& expected) {
    ASSERT_EQ(g_monitors.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(SameRecord(g_monitors[i], expected[i])) << "record " << i;
    }
}

TEST(SameVendorId, ComparesManufacturerExactlyAndTheWholeProductCode) {
    MonitorRecord a;
    a.summary.vendor = {u"ABC", 0x1234};
    MonitorRecord b = a;
    EXPECT_TRUE(SameVendorId(a, b));

    b.summary.vendor.manufacturer = u"abc";
    EXPECT_FALSE(SameVendorId(a, b));
    b.summary.vendor.manufacturer = std::u16string(u"ABC\0", 4);
    EXPECT_FALSE(SameVendorId(a, b));
    b.summary.vendor = {u"ABC", 0x11234};
    EXPECT_FALSE(SameVendorId(a, b));
}

TEST(SameVendorId, IgnoresEverythingButTheVendor) {
    MonitorRecord a = Unit(7, 1, true);
    MonitorRecord b = Unit(7, 2, false);
    b.summary.descriptorCount = 0;
    b.summary.timingCount = 4;
    b.summary.timings[0].hAddressable = 99;
    ASSERT_NE(a.rawBlock, b.rawBlock);
    EXPECT_TRUE(SameVendorId(a, b));
}

TEST(RefreshMonitorList, NothingFoundGivesAnEmptyList) {
    g_monitors = {Unit(1, 0, true)};
    ScanResults results;
    EXPECT_EQ(RefreshMonitorList(ScanOver(results)), 0);
    EXPECT_TRUE(g_monitors.empty());
    EXPECT_EQ(results.flagsSeen, (std::vector<uint32_t>{kScanPresent, kScanAllClasses}));
}

TEST(RefreshMonitorList, PresentUnitsOfOneModelAreAllListedAndTheirCandidatesDropped) {
    ScanResults results;
    results.present = {Unit(5, 1, true), Unit(5, 2, true)};
    results.all = {Unit(5, 1, false), Unit(5, 2, false), Unit(5, 3, false)};
    EXPECT_EQ(RefreshMonitorList(ScanOver(results)), 2);
    ExpectListed(results.present);
}

TEST(RefreshMonitorList, AbsentModelsFollowOnceEachNotActive) {
    ScanResults results;
    results.present = {Unit(1, 0, true)};
    results.all = {
        Unit(2, 1, false),            // another model, absent: listed
        Unit(1, 9, false),            // another unit of the present model: dropped
        Unit(2, 2, false),            // second absent unit of model 2: dropped
        Unit(1, 0, false),            // the present monitor again: dropped
        Unit(2, 3, false, kMakerAbd), // same product code, other maker: listed
        Unit(3, 4, false),            // same maker, other product code: listed
    };
    EXPECT_EQ(RefreshMonitorList(ScanOver(results)), 4);
    ExpectListed({results.present[0], results.all[0], results.all[4], results.all[5]});
}

TEST(RefreshMonitorList, WithoutPresentMonitorsEveryModelOfTheSecondPassIsListed) {
    ScanResults results;
    results.all = {Unit(3, 0, false), Unit(1, 0, false), Unit(2, 0, false)};
    EXPECT_EQ(RefreshMonitorList(ScanOver(results)), 3);
    ExpectListed(results.all);
}

TEST(RefreshMonitorList, ActiveFlagIsKeptAsTheScanSetIt) {
    ScanResults results;
    results.present = {Unit(1, 0, false)};
    results.all = {Unit(2, 0, true)};
    RefreshMonitorList(ScanOver(results));
    ExpectListed({results.present[0], results.all[0]});
}

TEST(RefreshMonitorList, RepeatedRefreshesGiveTheSameList) {
    ScanResults results;
    results.present = {Unit(1, 0, true), Unit(1, 1, true)};
    results.all = {Unit(4, 0, false), Unit(1, 2, false), Unit(3, 0, false)};
    const ScanOperation scan = ScanOver(results);
    RefreshMonitorList(scan);
    const MonitorList first = g_monitors;
    EXPECT_EQ(RefreshMonitorList(scan), 4);
    ExpectListed(first);
}

} // namespace
