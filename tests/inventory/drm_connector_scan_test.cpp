#include "sysfs_tree.h"
#include "test_edid.h"

#include "inventory/drm_connector_scan.h"

#include <gtest/gtest.h>

#include <stdlib.h>

namespace {

namespace fs = std::filesystem;

class DrmConnectorScan : public ::testing::Test {
  protected:
    int32_t Scan(uint32_t flags) {
        const int32_t count = ScanDrmConnectorsAt(tree.root, list, flags);
        EXPECT_EQ(count, static_cast<int32_t>(list.size()));
        return count;
    }

    std::vector<uint32_t> ProductCodes() const {
        std::vector<uint32_t> codes;
        for (const MonitorRecord& record : list) {
            codes.push_back(record.summary.vendor.productCode);
        }
        return codes;
    }

    SysfsTree tree;
    MonitorList list;
};

TEST_F(DrmConnectorScan, ConnectorsAreTakenInByteOrderOfTheirNames) {
    tree.AddConnector("card10-DP-1", "connected", MakeEdid(4));
    tree.AddConnector("card1-eDP-1", "connected", MakeEdid(3));
    tree.AddConnector("card0-HDMI-A-1", "connected", MakeEdid(2));
    tree.AddConnector("card0-DP-2", "connected", MakeEdid(1));
    ASSERT_EQ(Scan(kScanPresent), 4);
    EXPECT_EQ(ProductCodes(), (std::vector<uint32_t>{1, 2, 3, 4}));
}

TEST_F(DrmConnectorScan, OnlyCardConnectorFoldersAreDevices) {
    for (const char* name :
         {"card0", "renderD128", "card-DP-1", "cardX-DP-1", "card0-", "card0DP"}) {
        tree.AddConnector(name, "connected", MakeEdid(9));
    }
    SysfsTree::WriteFile(tree.Drm() / "version", "drm 1.1.0 20060810\n");
    SysfsTree::WriteFile(tree.Drm() / "card1-DP-1", "a file, not a folder");
    tree.AddConnector("card0-DP-1", "connected", MakeEdid(1));
    ASSERT_EQ(Scan(kScanAllClasses), 1);
    EXPECT_EQ(list[0].summary.vendor.productCode, 1u);
}

// In sysfs the entries of class/drm are links to the device folders.
TEST_F(DrmConnectorScan, LinkedConnectorFoldersAreFollowed) {
    const fs::path target = tree.root / "devices" / "card0-DP-1";
    fs::create_directories(target);
    SysfsTree::WriteFile(target / "status", "connected\n");
    SysfsTree::WriteFile(target / "edid", std::string(128, '\x11'));
    fs::create_directories(tree.Drm());
    fs::create_directory_symlink(target, tree.Drm() / "card0-DP-1");
    fs::create_directory_symlink(tree.root / "gone", tree.Drm() / "card0-DP-2");
    EXPECT_EQ(Scan(kScanPresent), 1);
}

TEST_F(DrmConnectorScan, PresentPassTakesConnectedOutputsActiveSecondPassEveryOutput) {
    tree.AddConnector("card0-DP-1", "connected\n", MakeEdid(1));
    tree.AddConnector("card0-DP-2", "disconnected\n", MakeEdid(2));
    tree.AddConnector("card0-DP-3", "connected", MakeEdid(3));
    tree.AddConnector("card0-DP-4", "unknown\n", MakeEdid(4));
    tree.AddConnector("card0-DP-5", std::nullopt, MakeEdid(5));
    tree.AddConnector("card0-DP-6", "connected\nx", MakeEdid(6));
    tree.AddConnector("card0-DP-7", "connected\n", std::nullopt);

    ASSERT_EQ(Scan(kScanPresent), 2);
    EXPECT_EQ(ProductCodes(), (std::vector<uint32_t>{1, 3}));
    EXPECT_TRUE(list[0].summary.active && list[1].summary.active);

    ASSERT_EQ(Scan(kScanAllClasses), 6);
    EXPECT_EQ(ProductCodes(), (std::vector<uint32_t>{1, 2, 3, 4, 5, 6}));
    for (const MonitorRecord& record : list) {
        EXPECT_FALSE(record.summary.active);
    }
}

TEST_F(DrmConnectorScan, EdidFileIsKeptWholeAndAnEmptyOneGivesNothing) {
    const std::vector<uint8_t> base = MakeEdid(1, 128);
    const std::vector<uint8_t> extended = MakeEdid(2, 384);
    tree.AddConnector("card0-DP-1", "connected\n", base);
    tree.AddConnector("card0-DP-2", "connected\n", std::vector<uint8_t>{});
    tree.AddConnector("card0-HDMI-A-1", "connected\n", extended);
    ASSERT_EQ(Scan(kScanPresent), 2);
    EXPECT_TRUE(SameRecord(list[0], RecordOf(base, true)));
    EXPECT_TRUE(SameRecord(list[1], RecordOf(extended, true)));
    EXPECT_EQ(list[0].source, u"card0-DP-1");
    EXPECT_EQ(list[1].source, u"card0-HDMI-A-1");
}

TEST_F(DrmConnectorScan, MissingFolderGivesAnEmptyList) {
    list = {RecordOf(MakeEdid(1), true)};
    EXPECT_EQ(Scan(kScanPresent), 0);
}

TEST(SysfsRoot, ComesFromTheEnvironmentWhenSet) {
    const char* saved = getenv(kSysfsRootVariable);
    const std::string previous = saved != nullptr ? saved : "";
    setenv(kSysfsRootVariable, "/tmp/elsewhere", 1);
    EXPECT_EQ(SysfsRoot(), fs::path("/tmp/elsewhere"));
    setenv(kSysfsRootVariable, "", 1);
    EXPECT_EQ(SysfsRoot(), fs::path("/sys"));
    unsetenv(kSysfsRootVariable);
    EXPECT_EQ(SysfsRoot(), fs::path("/sys"));
    if (saved != nullptr) {
        setenv(kSysfsRootVariable, previous.c_str(), 1);
    }
}

TEST(DrmConnectorRefresh, PresentMonitorsFirstThenOtherModels) {
    SysfsTree tree;
    tree.AddConnector("card0-DP-1", "disconnected\n", MakeEdid(2));
    tree.AddConnector("card0-DP-2", "connected\n", MakeEdid(1, 128, 1));
    tree.AddConnector("card0-DP-3", "disconnected\n", MakeEdid(1, 128, 2));
    setenv(kSysfsRootVariable, tree.root.c_str(), 1);
    EXPECT_EQ(RefreshMonitorList(ScanDrmConnectors), 2);
    unsetenv(kSysfsRootVariable);
    ASSERT_EQ(g_monitors.size(), 2u);
    EXPECT_TRUE(SameRecord(g_monitors[0], RecordOf(MakeEdid(1, 128, 1), true)));
    EXPECT_TRUE(SameRecord(g_monitors[1], RecordOf(MakeEdid(2), false)));
}

} // namespace
