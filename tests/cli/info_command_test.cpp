// moniquet-cli info, run as a user runs it, against the golden files that
// info_golden_test.cpp checks the formatters with.
#include "cli_run.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace moniquet;

namespace {

// Its 100 bytes are no EDID to the command: one of the errors below.
const std::string kTooShortSample = "synthetic-short";

// The warning the command gives for `input`, whose name in it is `subject`:
// what INPUT.warning beside it holds, none without one.
std::string ExpectedWarning(const std::filesystem::path& input, const std::string& subject) {
    const std::filesystem::path warning = input.string() + ".warning";
    return std::filesystem::exists(warning) ? "moniquet-cli: " + subject + ": " + ReadWhole(warning)
                                            : std::string();
}

// Every sample with golden files, and every hex-text form of one
// (tests/data/hex/SAMPLE.FORM.txt holds the bytes of edid/SAMPLE.bin), read
// from a file, before or after --json, and from standard input; a warning
// only where the input's .warning file says.
TEST(CliInfo, PrintsTheGoldenFilesOfEverySampleAndEveryHexForm) {
    std::vector<std::pair<std::filesystem::path, std::string>> inputs;
    for (const std::string& name : NamesWith(".info.json")) {
        if (name != kTooShortSample) {
            inputs.emplace_back(SampleInput(name), name);
        }
    }
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(MONIQUET_TEST_DATA) + "/hex")) {
        const std::string file = entry.path().filename().string();
        if (entry.path().extension() == ".txt") {
            inputs.emplace_back(entry.path(), file.substr(0, file.find('.')));
        }
    }
    ASSERT_GE(inputs.size(), 32u);
    for (const auto& [input, name] : inputs) {
        const std::string file = Quoted(input.string());
        const std::string text = ReadWhole(SamplePath(name, ".info.txt"));
        const std::string json = ReadWhole(SamplePath(name, ".info.json"));
        const std::string named = ExpectedWarning(input, input.string());
        const std::string piped = ExpectedWarning(input, "standard input");
        for (const auto& [args, expected, warning] :
             std::vector<std::tuple<std::string, std::string, std::string>>{
                 {"info " + file, text, named},
                 {"info - < " + file, text, piped},
                 {"info --json " + file, json, named},
                 {"info " + file + " --json", json, named},
                 {"info - --json < " + file, json, piped}}) {
            const CliResult r = RunCli(args);
            EXPECT_EQ(r.status, 0) << args;
            EXPECT_EQ(r.err, warning) << args;
            EXPECT_EQ(r.out, expected) << args;
        }
    }
}

// A dump that does not hold the EDID it was made from as it stands
// (tests/data/hex/NAME.bad: cut short, a line lost, twice or out of place, a
// word after it, groups whose byte order nothing tells) is refused with the
// reason in NAME.bad.err, never decoded as another EDID.
TEST(CliInfo, HexTextCutShortIsRefused) {
    std::size_t count = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(MONIQUET_TEST_DATA) + "/hex")) {
        if (entry.path().extension() != ".bad") {
            continue;
        }
        ++count;
        const std::string file = entry.path().string();
        const CliResult r = RunCli("info --json " + Quoted(file));
        EXPECT_EQ(r.status, 1) << file;
        EXPECT_EQ(r.out, "") << file;
        EXPECT_EQ(r.err, "moniquet-cli: " + file + ": " + ReadWhole(file + ".err"));
    }
    EXPECT_GE(count, 10u);
}

TEST(CliInfo, BadInputNamesTheFileAndItsFaultWrongCommandLineSaysWhatIsWrong) {
    const std::string shortHex = SampleInput(kTooShortSample).string();
    const std::string oddHex =
        WriteTemp("moniquet-info-odd.txt", "EDID:\n00 ff ff\n0 ff\n").string();
    const std::string longFile =
        WriteTemp("moniquet-info-long.bin", std::string(32897, '\x01')).string();
    const std::string missing = "/nonexistent/moniquet.bin";
    const std::string sample = Quoted(Sample("aoc2367-plain"));

    struct Case {
        std::string args;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {"info " + Quoted(shortHex), 1, shortHex + ": not an EDID block: 100 bytes"},
        {"info --json - < " + Quoted(shortHex), 1, "standard input: not an EDID block: 100 bytes"},
        {"info " + Quoted(missing), 1, missing + ": No such file or directory"},
        {"info --json " + Quoted(longFile), 1,
         longFile + ": too long for an EDID: 32897 bytes, at most 32896"},
        {"info " + Quoted(oddHex) + " --json", 1, oddHex + ": line 3: odd number of hex digits"},
        {"info", 2, "missing FILE"},
        {"info --json", 2, "missing FILE"},
        {"info " + sample + " - - < " + sample, 2, "standard input ('-') given more than once"},
        {"info --jsn " + sample, 2, "unknown option '--jsn'"},
        {"info -j " + sample, 2, "unknown option '-j'"},
        {"info " + sample + " --json --json", 2, "option '--json' given twice"},
        {"info --check --check " + sample, 2, "option '--check' given twice"},
        {"info --check", 2, "missing FILE"},
    };
    for (const Case& c : cases) {
        const CliResult r = RunCli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
        EXPECT_EQ(r.err, "moniquet-cli: " + c.err +
                             (c.status == 2 ? "\nTry 'moniquet-cli --help'.\n" : "\n"))
            << c.args;
    }
    std::filesystem::remove(oddHex);
    std::filesystem::remove(longFile);
}

// --check adds the conformity section to the text and gates the exit status
// on its verdict; without it any EDID read exits 0. The JSON is the same
// either way.
TEST(CliInfo, CheckShowsConformityAndFailsOnAFailedCheck) {
    for (const auto& [name, verdict] :
         {std::pair{"aoc2367-plain", "pass"}, std::pair{"gsm3aa8-four-timings", "fail"}}) {
        const std::string file = Quoted(Sample(name));
        const int failed = std::string(verdict) == "fail" ? 1 : 0;
        const CliResult text = RunCli("info " + file);
        const CliResult checked = RunCli("info --check " + file);
        const CliResult json = RunCli("info --json " + file);
        const CliResult checkedJson = RunCli("info " + file + " --check --json");
        EXPECT_EQ(text.status, 0) << name;
        EXPECT_EQ(text.out.find("\nConformity\n"), std::string::npos) << name;
        EXPECT_EQ(checked.status, failed) << name;
        EXPECT_EQ(checked.err, "") << name;
        EXPECT_EQ(checked.out.substr(0, text.out.size()), text.out) << name;
        EXPECT_TRUE(checked.out.substr(text.out.size()).starts_with("Conformity\n")) << name;
        EXPECT_NE(checked.out.find(std::string("Verdict") + " ", text.out.size()),
                  std::string::npos);
        EXPECT_EQ(json.status, 0) << name;
        EXPECT_NE(json.out.find(std::string("\"verdict\": \"") + verdict + "\""), std::string::npos)
            << name;
        EXPECT_EQ(checkedJson.status, failed) << name;
        EXPECT_EQ(checkedJson.out, json.out) << name;
    }
}

// SOURCE_DATE_EPOCH is today for the checks: a year of manufacture of 2048
// fails up to the end of 2046 and passes from 2047 on; a value that is no
// count of seconds leaves the clock's year (before 2047 when this was
// written).
TEST(CliInfo, SourceDateEpochIsTheChecksToday) {
    const std::string plain = ReadWhole(Sample("aoc2367-plain"));
    std::string edid = plain;
    edid[17] = static_cast<char>(2048 - 1990);
    edid[127] = static_cast<char>(plain[127] - (2048 - 1990 - plain[17]));
    const auto file = std::filesystem::temp_directory_path() /
                      ("moniquet-year-" + std::to_string(getpid()) + ".bin");
    std::ofstream(file, std::ios::binary) << edid;
    const std::string args = "info --check --json " + Quoted(file.string());
    for (const auto& [epoch, status] :
         {std::pair{"2429913599", 1}, std::pair{"2429913600", 0}, std::pair{"2047-01-01", 1}}) {
        const CliResult r = RunCli(args, std::string("SOURCE_DATE_EPOCH=") + epoch);
        EXPECT_EQ(r.status, status) << epoch;
        EXPECT_EQ(r.out.find("manufacture-year-in-future") != std::string::npos, status == 1)
            << epoch;
    }
    std::filesystem::remove(file);
}

} // namespace
