// moniquet-cli list and save, run as a program over a sysfs tree of ours.
#include "../inventory/sysfs_tree.h"
#include "../inventory/test_edid.h"
#include "cli_run.h"

#include "inventory/drm_connector_scan.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

class CliListSave : public ::testing::Test {
  protected:
    void SetUp() override {
        tree.AddConnector("card0-DP-1", "connected\n", MakeEdid(0x1234, 256, 1));
        tree.AddConnector("card0-DP-2", "disconnected\n", MakeEdid(0x0BAD, 128));
        tree.AddConnector("card0-HDMI-A-1", "connected\n", MakeEdid(0x00AF, 128, 2, kMakerAbd));
        tree.AddConnector("card1-DP-1", "disconnected\n", MakeEdid(0x1234, 256, 3));
        work = tree.root / "work";
        fs::create_directories(work);
    }

    CliResult Run(const std::vector<std::string>& args) {
        return RunCli(QuotedArgs(args),
                      std::string(kSysfsRootVariable) + "=" + Quoted(tree.root.string()));
    }

    // Only what the test put there: no temporary file left behind.
    std::vector<std::string> WorkFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(work)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // A one-line error that names `subject`, nothing on standard output.
    static void ExpectError(const CliResult& outcome, const std::string& subject) {
        EXPECT_NE(outcome.status, 0);
        EXPECT_NE(outcome.status, -1);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find(subject), std::string::npos) << outcome.err;
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    }

    SysfsTree tree;
    fs::path work;
};

TEST_F(CliListSave, ListShowsPresentMonitorsThenOtherModels) {
    const CliResult outcome = Run({"list"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out, "0\tABC1234\tactive\n"
                           "1\tABD00AF\tactive\n"
                           "2\tABC0BAD\tnot active\n");
}

// No monitor is no error; a folder that cannot be read is told of.
TEST_F(CliListSave, ListWithoutMonitorsPrintsNothing) {
    fs::remove_all(tree.Drm());
    fs::create_directories(tree.Drm());
    CliResult outcome = Run({"list"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");

    fs::remove_all(tree.Drm());
    outcome = Run({"list"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "moniquet-cli: " + tree.Drm().string() +
                               ": cannot read: No such file or directory\n");
}

TEST_F(CliListSave, ListTellsOnceOfAnEdidFileTooShort) {
    tree.AddConnector("card0-DP-3", "connected\n", MakeEdid(0x4444, 1));
    const CliResult outcome = Run({"list"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "0\tABC1234\tactive\n"
                           "1\tABD00AF\tactive\n"
                           "2\tABC0BAD\tnot active\n");
    EXPECT_EQ(outcome.err, "moniquet-cli: " + (tree.Drm() / "card0-DP-3" / "edid").string() +
                               ": skipped: 1 byte, not an EDID\n");
}

TEST_F(CliListSave, WrongArgumentCountsGiveTheUsage) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"list", "extra"}, {"save"}, {"save", "0"}, {"save", "0", "a", "b"}}) {
        const CliResult outcome = Run(args);
        EXPECT_EQ(outcome.status, 2) << args.size();
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err, "");
    }
    EXPECT_TRUE(WorkFiles().empty());
}

// The EDID as the connector held it, every block and nothing added.
TEST_F(CliListSave, SaveWritesTheWholeEdid) {
    tree.AddConnector("card2-DP-1", "connected\n", MakeEdid(0x0384, 384));
    const fs::path file = work / "edid.bin";
    for (const auto& [index, bytes] :
         std::vector<std::pair<std::string, std::vector<uint8_t>>>{{"0", MakeEdid(0x1234, 256, 1)},
                                                                   {"2", MakeEdid(0x0384, 384)},
                                                                   {"3", MakeEdid(0x0BAD, 128)}}) {
        ASSERT_EQ(Run({"save", index, file.string()}).status, 0) << index;
        const std::string saved = ReadWhole(file);
        EXPECT_EQ(std::vector<uint8_t>(saved.begin(), saved.end()), bytes) << index;
    }
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"edid.bin"});
}

TEST_F(CliListSave, SaveReplacesALongerFileWhole) {
    const fs::path file = work / "old.bin";
    SysfsTree::WriteFile(file, std::string(1000, 'x'));
    ASSERT_EQ(Run({"save", "1", file.string()}).status, 0);
    EXPECT_EQ(fs::file_size(file), kMinimumEdidSize);
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"old.bin"});
}

TEST_F(CliListSave, ReadOnlyFileIsNotReplaced) {
    const fs::path file = work / "kept.bin";
    SysfsTree::WriteFile(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    ExpectError(Run({"save", "0", file.string()}), file.string());
    EXPECT_EQ(ReadWhole(file), "old");
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"kept.bin"});
}

TEST_F(CliListSave, BadIndexIsRefusedAndWritesNothing) {
    const fs::path file = work / "edid.bin";
    for (const char* index : {"3", "99999999999999999999999", "x", "-1", "+1", " 1", "1x", ""}) {
        ExpectError(Run({"save", index, file.string()}), std::string("index ") + index);
    }
    EXPECT_TRUE(WorkFiles().empty());
}

TEST_F(CliListSave, UnwritableFileIsReportedAndLeavesNoTrace) {
    const fs::path missingFolder = work / "missing" / "edid.bin";
    ExpectError(Run({"save", "0", missingFolder.string()}), missingFolder.string());

    // A folder in the way: the new bytes are written, then cannot take its
    // place; the temporary file must go and the folder stay.
    const fs::path folder = work / "taken";
    fs::create_directories(folder / "inside");
    ExpectError(Run({"save", "0", folder.string()}), folder.string());
    EXPECT_TRUE(fs::is_directory(folder / "inside"));
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"taken"});
}

} // namespace
