// moniquet-cli list and save, run as a program over a sysfs tree of ours.
#include "../inventory/sysfs_tree.h"
#include "../inventory/test_edid.h"
#include "cli_run.h"

#include "cli/sha256.h"
#include "inventory/drm_connector_scan.h"

#include <gtest/gtest.h>

using namespace moniquet;

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

    // `list --json` as tests/cli/list_json_fields.py reads it: one line per
    // monitor, its fields tab-separated.
    std::string JsonFields(const std::string& json) const {
        SysfsTree::WriteFile(work / "list.json", json);
        const std::string command = "python3 " + Quoted(MONIQUET_LIST_JSON_FIELDS) + " < " +
                                    Quoted((work / "list.json").string()) + " > " +
                                    Quoted((work / "fields.txt").string());
        EXPECT_EQ(std::system(command.c_str()), 0) << json;
        const std::string fields = ReadWhole(work / "fields.txt");
        fs::remove(work / "list.json");
        fs::remove(work / "fields.txt");
        return fields;
    }

    SysfsTree tree;
    fs::path work;
};

TEST_F(CliListSave, ListShowsPresentMonitorsThenOtherModels) {
    const CliResult outcome = Run({"list"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out, "0\tABC1234\tactive\tcard0-DP-1\n"
                           "1\tABD00AF\tactive\tcard0-HDMI-A-1\n"
                           "2\tABC0BAD\tnot active\tcard0-DP-2\n");
}

// No monitor is no error; a folder that cannot be read is told of.
TEST_F(CliListSave, ListWithoutMonitorsPrintsNothing) {
    fs::remove_all(tree.Drm());
    fs::create_directories(tree.Drm());
    for (const bool json : {false, true}) {
        const std::vector<std::string> args =
            json ? std::vector<std::string>{"list", "--json"} : std::vector<std::string>{"list"};
        const std::string none = json ? "[]\n" : "";
        fs::create_directories(tree.Drm());
        CliResult outcome = Run(args);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out, none);
        EXPECT_EQ(outcome.err, "");

        fs::remove_all(tree.Drm());
        outcome = Run(args);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out, none);
        EXPECT_EQ(outcome.err, "moniquet-cli: " + tree.Drm().string() +
                                   ": cannot read: No such file or directory\n");
    }
}

// The monitors of `list` in its order, each with its connector's name, its
// whole EDID (edid_sha256 and the digest of what edid_base64 decodes to are
// those of the connector's bytes), and `info --json` of what `save` writes
// of it, nested.
TEST_F(CliListSave, ListJsonHoldsTheMonitorsOfListWithTheirWholeEdid) {
    fs::copy_file(SamplePath("aoc2460-three-blocks", ".bin"),
                  tree.AddConnector("card2-DP-1", "connected\n", std::nullopt) / "edid");
    const std::string sources[] = {"card0-DP-1", "card0-HDMI-A-1", "card2-DP-1", "card0-DP-2"};
    const CliResult json = Run({"list", "--json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.err, "");
    std::istringstream lines(Run({"list"}).out);
    std::string expected;
    std::size_t infoAt = 0;
    for (std::size_t i = 0; i < std::size(sources); ++i) {
        std::string line;
        std::getline(lines, line);
        const std::string edid = ReadWhole(tree.Drm() / sources[i] / "edid");
        const std::string sha256 =
            Sha256Hex({reinterpret_cast<const uint8_t*>(edid.data()), edid.size()});
        EXPECT_TRUE(line.ends_with("\t" + sources[i])) << line; // list's last column
        expected += line + "\t" + sha256 + "\t" + sha256 + "\n";

        const std::string saved = (work / "saved.bin").string();
        ASSERT_EQ(Run({"save", std::to_string(i), saved}).status, 0);
        std::string info = Run({"info", "--json", saved}).out;
        info.pop_back();
        for (std::size_t at = 0; (at = info.find('\n', at)) != std::string::npos; at += 5) {
            info.insert(at + 1, "    ");
        }
        infoAt = json.out.find("\"info\": " + info + "\n  }", infoAt);
        EXPECT_NE(infoAt, std::string::npos) << i << ": " << info;
    }
    EXPECT_EQ(JsonFields(json.out), expected);
}

// Connector names are UTF-8 in sysfs: passed through as such, a byte that
// is not UTF-8 replaced, never each byte taken for a character.
TEST_F(CliListSave, ListJsonKeepsConnectorNamesAsUtf8) {
    tree.AddConnector("card3-\xC3\xA9", "connected\n", MakeEdid(0x5555, 128));
    tree.AddConnector("card3-\xFF\xC3", "connected\n", MakeEdid(0x6666, 128));
    const std::string json = Run({"list", "--json"}).out;
    EXPECT_NE(json.find("\"source\": \"card3-\xC3\xA9\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"source\": \"card3-\xEF\xBF\xBD\xEF\xBF\xBD\""), std::string::npos);
}

TEST_F(CliListSave, ListTellsOnceOfAnEdidFileTooShort) {
    tree.AddConnector("card0-DP-3", "connected\n", MakeEdid(0x4444, 1));
    const CliResult outcome = Run({"list"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "0\tABC1234\tactive\tcard0-DP-1\n"
                           "1\tABD00AF\tactive\tcard0-HDMI-A-1\n"
                           "2\tABC0BAD\tnot active\tcard0-DP-2\n");
    EXPECT_EQ(outcome.err, "moniquet-cli: " + (tree.Drm() / "card0-DP-3" / "edid").string() +
                               ": skipped: 1 byte, not an EDID\n");
}

TEST_F(CliListSave, WrongArgumentCountsGiveTheUsage) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"list", "extra"},
                                               {"list", "--json", "x"},
                                               {"list", "--jsn"},
                                               {"list", "--json", "--json"},
                                               {"list", "--facts"},
                                               {"list", "--json", "--prometheus"},
                                               {"list", "--output"},
                                               {"list", "--output", "a", "--output", "b"},
                                               {"save"},
                                               {"save", "0"},
                                               {"save", "0", "a", "b"},
                                               {"save", "--all", "0", "a"}}) {
        const CliResult outcome = Run(args);
        EXPECT_EQ(outcome.status, 2) << args.size();
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err, "");
    }
    EXPECT_TRUE(WorkFiles().empty());
}

// Every form of list written to a file instead: the same bytes, the old
// file replaced whole, nothing on standard output, no temporary file left.
TEST_F(CliListSave, ListOutputReplacesTheFileWithWhatListPrints) {
    const fs::path file = work / "list.out";
    for (const auto& form : std::vector<std::vector<std::string>>{{"list"},
                                                                  {"list", "--json"},
                                                                  {"list", "--facts", "--json"},
                                                                  {"list", "--prometheus"}}) {
        SysfsTree::WriteFile(file, std::string(100000, 'x'));
        const CliResult printed = Run(form);
        std::vector<std::string> args = form;
        args.insert(args.begin() + 1, {"--output", file.string()});
        const CliResult written = Run(args);
        EXPECT_EQ(written.status, 0) << form.back();
        EXPECT_EQ(written.out + written.err, "") << form.back();
        EXPECT_EQ(ReadWhole(file), printed.out) << form.back();
        EXPECT_EQ(WorkFiles(), std::vector<std::string>{"list.out"});
    }
    ExpectError(Run({"list", "--prometheus", "--output", (work / "no" / "m.prom").string()}),
                (work / "no" / "m.prom").string());
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

    // "-" is standard output, not a file of that name in the current folder.
    const CliResult piped =
        RunCli("save 0 -", "cd " + Quoted(work.string()) + " && " + kSysfsRootVariable + "=" +
                               Quoted(tree.root.string()));
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, ReadWhole(tree.Drm() / "card0-DP-1" / "edid"));
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"edid.bin"});
}

// Every monitor of list, whole, under its index and label; an old file of
// that name replaced; what could not be written told of, the rest still saved.
TEST_F(CliListSave, SaveAllWritesEveryMonitorIntoTheFolder) {
    SysfsTree::WriteFile(work / "1-ABD00AF.bin", std::string(1000, 'x'));
    fs::create_directory(work / "2-ABC0BAD.bin");
    const CliResult outcome = Run({"save", "--all", work.string() + "/"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out,
              (work / "0-ABC1234.bin").string() + "\n" + (work / "1-ABD00AF.bin").string() + "\n");
    EXPECT_NE(outcome.err.find((work / "2-ABC0BAD.bin").string() + ": cannot write"),
              std::string::npos)
        << outcome.err;
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::vector<uint8_t>>>{
             {"0-ABC1234.bin", MakeEdid(0x1234, 256, 1)},
             {"1-ABD00AF.bin", MakeEdid(0x00AF, 128, 2, kMakerAbd)}}) {
        const std::string saved = ReadWhole(work / name);
        EXPECT_EQ(std::vector<uint8_t>(saved.begin(), saved.end()), bytes) << name;
    }
    EXPECT_EQ(WorkFiles(),
              (std::vector<std::string>{"0-ABC1234.bin", "1-ABD00AF.bin", "2-ABC0BAD.bin"}));
    ExpectError(Run({"save", "--all", (work / "missing").string()}),
                (work / "missing").string() + ": not a folder");
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
