#include "cli_run.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace moniquet;

namespace {

// Every sample against the report worked out by hand beside it: UTF-8 with
// every code unit kept, U+0000 as a 0 byte and the timings after it.
TEST(CliReport, WritesTheReportAsUtf8WithEveryCodeUnitKept) {
    const std::vector<std::string> names = SampleNames();
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        const CliResult r = RunCli("report " + Quoted(Sample(name)));
        EXPECT_EQ(r.status, 0) << name;
        EXPECT_EQ(r.err, "") << name;
        EXPECT_EQ(r.out, ReadWhole(SamplePath(name, ".report"))) << name;
    }
}

// Hex text pasted from other tools (tests/data/hex/SAMPLE.FORM.txt) gives the
// report of the sample it was made from (a real one: the synthetic ones have
// only info's golden files), from a file and through a pipe, with the warning
// of its .warning file, if any.
TEST(CliReport, HexTextGivesTheReportOfTheBytesItHolds) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(MONIQUET_TEST_DATA) + "/hex")) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".txt" &&
            std::filesystem::exists(SamplePath(name.substr(0, name.find('.')), ".report"))) {
            files.push_back(entry.path());
        }
    }
    ASSERT_GE(files.size(), 19u);
    for (const auto& file : files) {
        const std::string name = file.filename().string();
        const std::string expected =
            ReadWhole(SamplePath(name.substr(0, name.find('.')), ".report"));
        const std::filesystem::path warning = file.string() + ".warning";
        const CliResult r = RunCli("report " + Quoted(file.string()));
        EXPECT_EQ(r.err, std::filesystem::exists(warning)
                             ? "moniquet-cli: " + file.string() + ": " + ReadWhole(warning)
                             : "")
            << name;
        EXPECT_EQ(r.out, expected) << name;
        EXPECT_EQ(RunCli("report - < " + Quoted(file.string())).out, expected) << name;
    }
}

TEST(CliReport, LabelAndStandardInput) {
    CliResult r = RunCli("label " + Quoted(Sample("aq_0000-underscore-maker")));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "AQ_0000\n");

    r = RunCli("label - < " + Quoted(Sample("at-tv0001-at-maker")));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "@TV0001\n");

    const CliResult fromFile = RunCli("report " + Quoted(Sample("acr06b4-data-string")));
    const CliResult fromPipe = RunCli("report - < " + Quoted(Sample("acr06b4-data-string")));
    EXPECT_EQ(fromPipe.status, 0);
    EXPECT_EQ(fromPipe.out, fromFile.out);
}

// On a terminal (a pseudo-terminal of script(1)) the control characters of
// an EDID's texts arrive as escapes; into a file the report stays byte-exact.
TEST(CliReport, ControlCharactersReachATerminalOnlyAsEscapes) {
    std::string edid = ReadWhole(Sample("aoc2367-plain"));
    edid.replace(edid.find("2367\n"), 13, "\x1B]0;x\x07\x1B[2J\x9B\\\n");
    const std::string file = Quoted(WriteTemp("moniquet-controls.bin", edid).string());
    const auto shown = std::filesystem::temp_directory_path() / "moniquet-controls.tty";
    const std::string command = "script -qec " + Quoted(Quoted(MONIQUET_CLI) + " report " + file) +
                                " /dev/null > " + Quoted(shown.string());
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string terminal = ReadWhole(shown);
    EXPECT_NE(terminal.find("\\x1B]0;x\\x07\\x1B[2J\\x9B\\\\\r"), std::string::npos) << terminal;
    EXPECT_EQ(terminal.find('\x1B'), std::string::npos);
    EXPECT_NE(RunCli("report " + file).out.find("\x1B]0;x\x07\x1B[2J\xC2\x9B\\\r\n"),
              std::string::npos);
    std::filesystem::remove(shown);
}

TEST(CliReport, LongFileDecodesFromItsFirstBlock) {
    const CliResult r = RunCli("label " + Quoted(Sample("aoc2460-three-blocks")));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "AOC2460\n");
}

TEST(CliErrors, BadFilesGetOneLineNamingTheFileAndNoOutput) {
    const std::string sample = ReadWhole(Sample("aoc2367-plain"));
    const auto shortFile = WriteTemp("moniquet-short.bin", sample.substr(0, 127));
    const auto emptyFile = WriteTemp("moniquet-empty.bin", "");
    const auto longFile = WriteTemp("moniquet-long.bin", sample + std::string(40000 - 128, '\0'));
    const auto missing = std::filesystem::temp_directory_path() / "moniquet-no-such-file.bin";
    std::filesystem::remove(missing);

    const std::pair<std::string, std::string> cases[] = {
        {shortFile.string(), "not an EDID block: 127 bytes"},
        {emptyFile.string(), "not an EDID block: 0 bytes"},
        {longFile.string(), "too long for an EDID: 40000 bytes, at most 32896"},
        // Endless: refused after one byte past the limit.
        {"/dev/zero", "too long for an EDID: more than 32896 bytes"},
        {missing.string(), "No such file or directory"},
        {std::filesystem::temp_directory_path().string(), "Is a directory"},
    };
    for (const auto& [path, reason] : cases) {
        for (const char* command : {"report ", "label "}) {
            const CliResult r = RunCli(command + Quoted(path));
            EXPECT_NE(r.status, 0) << path;
            EXPECT_EQ(r.out, "") << path;
            EXPECT_EQ(r.err, "moniquet-cli: " + path + ": " + reason + "\n");
        }
    }
    const CliResult piped = RunCli("report - < " + Quoted(shortFile.string()));
    EXPECT_EQ(piped.err, "moniquet-cli: standard input: not an EDID block: 127 bytes\n");
    std::filesystem::remove(shortFile);
    std::filesystem::remove(emptyFile);
    std::filesystem::remove(longFile);
}

// What was wrong on one line, then where to read more; exit 2.
TEST(CliErrors, WrongCommandLineSaysWhatWasWrongAndExits2) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "missing command"},
        {"reprot x", "unknown command 'reprot'"},
        {"-x", "unknown option '-x'"},
        {"report", "missing FILE"},
        {"report a b", "unexpected argument 'b'"},
        {"label --", "missing FILE"},
        {"label --json x", "unknown option '--json'"},
        {"info --json --json x", "option '--json' given twice"},
        {"--help x", "unexpected argument 'x'"},
        {"--version 1", "unexpected argument '1'"},
        {"save 0", "missing FILE"},
        {"save --all", "missing DIR"},
        {"save --all a b", "unexpected argument 'b'"},
        {"list \"$(printf '\\033[2J')\"", "unexpected argument '\\x1B[2J'"},
    };
    for (const auto& [args, what] : cases) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_EQ(r.err, std::string("moniquet-cli: ") + what + "\nTry 'moniquet-cli --help'.\n")
            << args;
    }
}

// A file that is neither an EDID nor hex text, or hex text of something
// else, is still decoded, with one warning naming it; a real EDID, as bytes
// or as hex text, gets none.
TEST(CliErrors, InputWithoutEdidHeaderIsDecodedWithAWarning) {
    const std::string sample = ReadWhole(Sample("aoc2367-plain"));
    const auto gzip = WriteTemp("moniquet-not-edid.gz", "\x1F\x8B\x08" + sample.substr(3));
    const CliResult r = RunCli("label " + Quoted(gzip.string()));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "AOC2367\n");
    EXPECT_EQ(r.err, "moniquet-cli: " + gzip.string() + ": no EDID header; decoded as is\n");
    EXPECT_EQ(RunCli("label - < " + Quoted(gzip.string())).err,
              "moniquet-cli: standard input: no EDID header; decoded as is\n");
    EXPECT_EQ(RunCli("label " + Quoted(Sample("aoc2367-plain"))).err, "");
    std::string hex;
    for (const char c : "\x1F\x8B\x08" + sample.substr(3)) {
        hex += "0123456789abcdef"[static_cast<uint8_t>(c) >> 4];
        hex += "0123456789abcdef"[static_cast<uint8_t>(c) & 0xF];
    }
    const auto hexFile = WriteTemp("moniquet-not-edid.txt", hex + "\n");
    const CliResult fromHex = RunCli("label " + Quoted(hexFile.string()));
    EXPECT_EQ(fromHex.out, "AOC2367\n");
    EXPECT_EQ(fromHex.err,
              "moniquet-cli: " + hexFile.string() + ": no EDID header; decoded as is\n");
    EXPECT_EQ(
        RunCli("label " + Quoted(SampleInput("synthetic-edid14-model-year-hdr").string())).err, "");
    std::filesystem::remove(gzip);
    std::filesystem::remove(hexFile);
}

// --help and COMMAND --help (wherever it stands) on standard output.
TEST(CliManners, HelpListsEveryCommandEachCommandHasItsOwnAndVersionIsTheProjects) {
    const std::string usage = RunCli("--help").out;
    EXPECT_EQ(RunCli("-h").out, usage);
    for (const char* command :
         {" report FILE ", " label FILE ", " info [--json] [--check] FILE... ", " list [--json] ",
          " save INDEX FILE ", " save --all DIR "}) {
        EXPECT_NE(usage.find(std::string("moniquet-cli") + command), std::string::npos) << command;
    }
    for (const char* args :
         {"report --help", "info x --help", "save --all -h", "list --json --help"}) {
        const CliResult r = RunCli(args);
        const std::string command = std::string(args).substr(0, std::string(args).find(' '));
        EXPECT_EQ(r.status, 0) << args;
        EXPECT_EQ(r.err, "") << args;
        EXPECT_EQ(r.out.rfind("usage: moniquet-cli " + command + " ", 0), 0u) << args;
        EXPECT_NE(r.out, usage) << args;
    }
    const CliResult version = RunCli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "moniquet-cli " MONIQUET_VERSION "\n");
}

// A file name reaches the terminal with its controls and invalid UTF-8
// escaped, on one line; valid UTF-8 text as it is.
TEST(CliErrors, FileNamesAreShownEscaped) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\x1B[2Jb\nc\xFF.bin", "a\\x1B[2Jb\\x0Ac\\xFF.bin"},
        {"d\\x\xC2\x85\x7F.bin", "d\\\\x\\xC2\\x85\\x7F.bin"},
        {"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x96\xA5.bin",
         "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x96\xA5.bin"},
        {"\xC0\xAF\xED\xA0\x80\xE2\x82", "\\xC0\\xAF\\xED\\xA0\\x80\\xE2\\x82"},
    };
    const auto folder = std::filesystem::temp_directory_path();
    for (const auto& [name, shown] : cases) {
        const CliResult r = RunCli("label " + Quoted((folder / name).string()));
        EXPECT_EQ(r.err,
                  "moniquet-cli: " + (folder / shown).string() + ": No such file or directory\n");
    }
}

TEST(CliErrors, FailedWriteToStandardOutputIsAnError) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    const std::string command = std::string("'") + MONIQUET_CLI + "' report " +
                                Quoted(Sample("aoc2367-plain")) + " > /dev/full 2>/dev/null";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 1);
}

} // namespace
