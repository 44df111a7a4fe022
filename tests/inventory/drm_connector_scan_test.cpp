#include "sysfs_tree.h"
#include "test_edid.h"

#include "inventory/drm_connector_scan.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace moniquet;

// The sanitizers' allocation hook, present when the tests run under them.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*,
                                                                          std::size_t),
                                                         void (*onFree)(const volatile void*))
    __attribute__((weak));

namespace {

namespace fs = std::filesystem;

class DrmConnectorScan : public ::testing::Test {
  protected:
    int32_t Scan(uint32_t flags) {
        const int32_t count = ScanDrmConnectorsAt(tree.root, list, flags, &notes);
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

    // The notes as "PATH-BELOW-ROOT: REASON" lines.
    std::vector<std::string> NoteLines() const {
        std::vector<std::string> lines;
        for (const ScanNote& note : notes) {
            lines.push_back(note.path.lexically_relative(tree.root).string() + ": " + note.reason);
        }
        return lines;
    }

    SysfsTree tree;
    MonitorList list;
    ScanNotes notes;
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

// The kernel gives whole blocks: a shorter file is no EDID, nor is one
// longer than 257 blocks; an empty one means no monitor, silently.
TEST_F(DrmConnectorScan, EdidFilesOfNoEdidSizeAreSkippedWithANote) {
    const std::vector<uint8_t> largest = MakeEdid(5, kMaximumEdidSize);
    tree.AddConnector("card0-DP-1", "connected\n", std::vector<uint8_t>{});
    tree.AddConnector("card0-DP-2", "connected\n", MakeEdid(2, 1));
    tree.AddConnector("card0-DP-3", "connected\n", MakeEdid(3, kMinimumEdidSize - 1));
    tree.AddConnector("card0-DP-4", "connected\n", MakeEdid(4, kMaximumEdidSize + 1));
    tree.AddConnector("card0-DP-5", "connected\n", largest);
    ASSERT_EQ(Scan(kScanPresent), 1);
    EXPECT_TRUE(SameRecord(list[0], RecordOf(largest, true)));
    const std::vector<std::string> expected = {
        "class/drm/card0-DP-2/edid: skipped: 1 byte, not an EDID",
        "class/drm/card0-DP-3/edid: skipped: 127 bytes, not an EDID",
        "class/drm/card0-DP-4/edid: skipped: more than 32896 bytes, not an EDID"};
    EXPECT_EQ(NoteLines(), expected);
    // The second pass of a refresh finds the same files: no note twice.
    ASSERT_EQ(Scan(kScanAllClasses), 1);
    EXPECT_EQ(NoteLines(), expected);
}

// Runs `scan` on a thread of its own. Should it wait on one of `fifos`, a
// writer opens and closes each one until it is released, and the test fails
// rather than hangs.
void ExpectNoWait(const std::function<void()>& scan, const std::vector<fs::path>& fifos) {
    std::future<void> done = std::async(std::launch::async, scan);
    if (done.wait_for(std::chrono::seconds(10)) == std::future_status::ready) {
        return;
    }
    ADD_FAILURE() << "the scan waits on a FIFO";
    while (done.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
        for (const fs::path& fifo : fifos) {
            const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) {
                close(writer);
            }
        }
    }
}

TEST_F(DrmConnectorScan, OnlyRegularFilesAreReadAndNothingWaits) {
    const std::vector<fs::path> fifos = {
        tree.AddConnector("card0-DP-1", "connected\n", std::nullopt) / "edid",
        tree.AddConnector("card0-DP-2", std::nullopt, MakeEdid(2)) / "status"};
    for (const fs::path& fifo : fifos) {
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    }
    fs::create_directories(tree.AddConnector("card0-DP-3", "connected\n", std::nullopt) / "edid");
    fs::create_directories(tree.AddConnector("card0-DP-4", std::nullopt, MakeEdid(4)) / "status");
    tree.AddConnector("card0-DP-5", "connected\n", MakeEdid(5));

    ExpectNoWait([this] { EXPECT_EQ(Scan(kScanPresent), 1); }, fifos);
    EXPECT_EQ(ProductCodes(), (std::vector<uint32_t>{5}));
    ExpectNoWait([this] { EXPECT_EQ(Scan(kScanAllClasses), 3); }, fifos);
    EXPECT_EQ(ProductCodes(), (std::vector<uint32_t>{2, 4, 5}));
    EXPECT_EQ(NoteLines(), (std::vector<std::string>{
                               "class/drm/card0-DP-1/edid: not read: not a regular file",
                               "class/drm/card0-DP-2/status: not read: not a regular file",
                               "class/drm/card0-DP-3/edid: not read: not a regular file",
                               "class/drm/card0-DP-4/status: not read: not a regular file"}));
}

// The largest single allocation while `run` runs; only under the sanitizers.
std::size_t LargestAllocation(const std::function<void()>& run) {
    static std::atomic<bool> watching = false;
    static std::atomic<std::size_t> largest = 0;
    static const int installed = __sanitizer_install_malloc_and_free_hooks(
        [](const volatile void*, std::size_t size) {
            if (watching && size > largest) {
                largest = size;
            }
        },
        [](const volatile void*) {});
    EXPECT_NE(installed, 0);
    largest = 0;
    watching = true;
    run();
    watching = false;
    return largest;
}

// A status or an EDID file far larger than any is read no further than its
// useful start.
TEST_F(DrmConnectorScan, HugeFilesAreReadOnlyAsFarAsNeeded) {
    if (__sanitizer_install_malloc_and_free_hooks == nullptr) {
        GTEST_SKIP() << "allocations are watched only under the sanitizers";
    }
    const fs::path connector = tree.AddConnector("card0-DP-1", "connected", MakeEdid(1));
    fs::resize_file(connector / "status", 64 << 20);
    fs::resize_file(connector / "edid", 64 << 20);
    EXPECT_LT(LargestAllocation([this] { EXPECT_EQ(Scan(kScanPresent), 0); }), 1u << 20);
    EXPECT_LT(LargestAllocation([this] { EXPECT_EQ(Scan(kScanAllClasses), 0); }), 1u << 20);
}

TEST_F(DrmConnectorScan, UnreadableFolderGivesAnEmptyListAndANote) {
    list = {RecordOf(MakeEdid(1), true)};
    EXPECT_EQ(Scan(kScanPresent), 0);
    fs::create_directories(tree.root / "class");
    SysfsTree::WriteFile(tree.Drm(), "not a folder");
    EXPECT_EQ(Scan(kScanAllClasses), 0);
    EXPECT_EQ(NoteLines(),
              (std::vector<std::string>{"class/drm: cannot read: No such file or directory",
                                        "class/drm: cannot read: Not a directory"}));
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
