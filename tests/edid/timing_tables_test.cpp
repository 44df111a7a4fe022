// Every entry of the DMT, VIC and established timing tables against
// edid-decode's printouts of its own tables (tests/data/oracle-tables, see
// its README): size, clock, blanking, polarities, borders, the standard
// timing codes of DMT, the picture aspect ratios of the VICs, and the rate
// that follows from them; and the GTF and CVT formulas against what its
// calculators print of the same sizes and rates.
#include "edid/dmt_table.h"
#include "edid/timing_formulas.h"
#include "edid/vic_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using namespace moniquet;

namespace {

// One timing as the printouts give it: its heading line and the two lines
// of blanking below it.
struct Printed {
    std::string name; // "DMT 0x04", "VIC   5", "HDMI VIC 1", "IBM", ...
    uint32_t width = 0;
    uint32_t height = 0;
    bool interlaced = false;
    double refreshHz = 0;
    uint32_t aspectH = 0;
    uint32_t aspectV = 0;
    uint32_t clockKHz = 0;
    std::string flags;
    TableBlanking h;
    TableBlanking v;
    bool bothFields = false;
};

TableBlanking BlankingOf(const std::string& line, const char* axis) {
    // "Hfront   16 Hsync  96 Hback   48 Hpol N Hborder 8"
    std::istringstream in(line);
    TableBlanking b;
    std::string word;
    const std::string a(axis);
    bool polarity = false;
    // After the polarity come a border, and the half line of a field.
    while (in >> word) {
        if (polarity && word != a + "border") {
            break;
        }
        if (word == a + "front") {
            in >> b.frontPorch;
        } else if (word == a + "sync") {
            in >> b.sync;
        } else if (word == a + "back") {
            in >> b.backPorch;
        } else if (word == a + "pol") {
            in >> word;
            b.syncPositive = word == "P";
            polarity = true;
        } else if (word == a + "border") {
            in >> b.border;
        }
    }
    return b;
}

std::vector<Printed> Read(const std::string& name) {
    std::ifstream in(std::string(MONIQUET_TEST_DATA) + "/oracle-tables/" + name);
    EXPECT_TRUE(in) << name;
    static const std::regex kHeading(
        R"(^(?:Byte 0x.., Bit .: )?([A-Za-z]+(?: VIC)?(?: +0x[0-9a-f]+| +\d+)?) *: +(\d+)x(\d+)(i?) +([0-9.]+) Hz +(\d+):(\d+) +[0-9.]+ kHz +([0-9.]+) MHz ?(.*)$)");
    std::vector<Printed> out;
    std::string line;
    std::vector<std::string> lines;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    for (std::size_t i = 0; i + 2 < lines.size(); ++i) {
        std::smatch m;
        if (!std::regex_match(lines[i], m, kHeading)) {
            continue;
        }
        Printed p;
        p.name = m[1];
        p.width = std::stoul(m[2]);
        p.height = std::stoul(m[3]);
        p.interlaced = m[4] == "i";
        p.refreshHz = std::stod(m[5]);
        p.aspectH = std::stoul(m[6]);
        p.aspectV = std::stoul(m[7]);
        p.clockKHz = static_cast<uint32_t>(std::lround(std::stod(m[8]) * 1000));
        p.flags = m[9];
        p.h = BlankingOf(lines[i + 1], "H");
        p.v = BlankingOf(lines[i + 2], "V");
        p.bothFields = lines[i + 2].find("Both Fields") != std::string::npos;
        out.push_back(p);
    }
    return out;
}

// The printouts give the frame rate to six decimals, rounded.
constexpr double kPrintedRate = 5.1e-7;

void ExpectBlanking(const TableBlanking& ours, const TableBlanking& its, const std::string& what) {
    EXPECT_EQ(ours.frontPorch, its.frontPorch) << what;
    EXPECT_EQ(ours.sync, its.sync) << what;
    EXPECT_EQ(ours.backPorch, its.backPorch) << what;
    EXPECT_EQ(ours.border, its.border) << what;
    EXPECT_EQ(ours.syncPositive, its.syncPositive) << what;
}

void ExpectMode(const TableMode& ours, const Printed& its) {
    EXPECT_EQ(ours.width, its.width) << its.name;
    EXPECT_EQ(ours.height, its.height) << its.name;
    EXPECT_EQ(ours.interlaced, its.interlaced) << its.name;
    EXPECT_EQ(ours.pixelClockKHz, its.clockKHz) << its.name;
    ExpectBlanking(ours.h, its.h, its.name + " horizontal");
    ExpectBlanking(ours.v, its.v, its.name + " vertical");
    EXPECT_EQ(ours.evenFields, its.bothFields) << its.name;
    EXPECT_NEAR(ModeOf(ours).refreshHz, its.refreshHz, kPrintedRate) << its.name;
}

std::string DmtName(uint32_t id) {
    char name[16];
    std::snprintf(name, sizeof name, "DMT 0x%02x", id);
    return name;
}

TEST(TimingTables, DmtModesAreTheOnesPrintedInTheSameOrder) {
    const std::vector<Printed> printed = Read("dmt.txt");
    const auto ours = DmtEntries();
    ASSERT_EQ(ours.size(), printed.size());
    for (std::size_t i = 0; i < ours.size(); ++i) {
        const Printed& its = printed[i];
        EXPECT_EQ(DmtName(ours[i].id), its.name);
        ExpectMode(ours[i].mode, its);
        EXPECT_EQ(ours[i].mode.reducedBlanking, its.flags.find("RB") != std::string::npos)
            << its.name;
        char code[32] = "";
        if (ours[i].standardCode != 0) {
            std::snprintf(code, sizeof code, "STD: 0x%02x 0x%02x", ours[i].standardCode >> 8,
                          ours[i].standardCode & 0xFF);
        }
        EXPECT_EQ(its.flags.find("STD:") != std::string::npos, ours[i].standardCode != 0)
            << its.name;
        if (ours[i].standardCode != 0) {
            EXPECT_NE(its.flags.find(code), std::string::npos) << its.name << ": " << code;
        }
    }
}

TEST(TimingTables, VicFormatsAreTheOnesPrinted) {
    const std::vector<Printed> printed = Read("vic.txt");
    const auto ours = VicEntries();
    ASSERT_EQ(ours.size(), printed.size());
    for (std::size_t i = 0; i < ours.size(); ++i) {
        const Printed& its = printed[i];
        EXPECT_EQ("VIC " + std::to_string(ours[i].vic),
                  std::regex_replace(its.name, std::regex(" +"), " "));
        ExpectMode(ours[i].format, its);
        EXPECT_EQ(ours[i].format.aspectH, its.aspectH) << its.name;
        EXPECT_EQ(ours[i].format.aspectV, its.aspectV) << its.name;
    }
}

TEST(TimingTables, HdmiVicsAreTheVicsPrinted) {
    const std::vector<Printed> printed = Read("hdmi-vic.txt");
    ASSERT_EQ(printed.size(), 4u);
    for (uint32_t hdmiVic = 1; hdmiVic <= 4; ++hdmiVic) {
        const Printed& its = printed[hdmiVic - 1];
        EXPECT_EQ(its.name, "HDMI VIC " + std::to_string(hdmiVic));
        const auto vic = VicOfHdmiVic(hdmiVic);
        ASSERT_TRUE(vic);
        ExpectMode(*FindVicTableMode(*vic), its);
    }
    EXPECT_FALSE(VicOfHdmiVic(5));
}

// Established timings I and II name DMT modes, and IBM's and Apple's of
// before DMT, whose sizes, clocks and totals are compared: edid-decode's
// porches of IBM's 720x400 modes are not those of IBM's VGA.
TEST(TimingTables, EstablishedTimingsAreTheOnesPrinted) {
    const std::vector<Printed> printed = Read("established.txt");
    const auto one = EstablishedModes();
    const auto three = EstablishedIiiDmtIds();
    ASSERT_EQ(printed.size(), one.size() + three.size());
    for (std::size_t i = 0; i < one.size(); ++i) {
        const Printed& its = printed[i];
        if (its.name.rfind("DMT", 0) == 0) {
            ExpectMode(one[i], its);
            continue;
        }
        EXPECT_EQ(one[i].width, its.width) << i;
        EXPECT_EQ(one[i].height, its.height) << i;
        EXPECT_EQ(one[i].pixelClockKHz, its.clockKHz) << i;
        EXPECT_NEAR(ModeOf(one[i]).refreshHz, its.refreshHz, kPrintedRate) << i;
    }
    for (std::size_t i = 0; i < three.size(); ++i) {
        const Printed& its = printed[one.size() + i];
        EXPECT_EQ(DmtName(three[i]), its.name);
        ExpectMode(*FindDmtTableModeById(three[i]), its);
    }
}

// "$ edid-decode --cvt w=1920,h=1200,fps=60,rb=1": the formula's mode of
// those parameters.
TableMode FormulaOf(const std::string& command) {
    std::map<std::string, uint32_t> p;
    const std::string args = command.substr(command.rfind(' ') + 1);
    std::istringstream in(args);
    std::string item;
    while (std::getline(in, item, ',')) {
        const std::size_t eq = item.find('=');
        p[item.substr(0, eq)] = eq == std::string::npos ? 1 : std::stoul(item.substr(eq + 1));
    }
    if (command.find("--gtf") != std::string::npos) {
        return GtfMode(p["w"], p["h"], p["fps"]);
    }
    CvtOptions options;
    options.alternative = p["alt"] != 0;
    options.hBlank = p["hblank"];
    options.vBlankUs = p.count("vblank") != 0 ? p["vblank"] : 460;
    options.earlyVsync = p.count("early-vsync") != 0;
    return CvtMode(p["w"], p["h"], p["fps"], static_cast<CvtBlanking>(p["rb"]), options);
}

TEST(TimingFormulas, GtfAndCvtGiveTheTimingsPrinted) {
    std::ifstream in(std::string(MONIQUET_TEST_DATA) + "/oracle-tables/formulas.txt");
    std::vector<std::string> commands;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("$ ", 0) == 0) {
            commands.push_back(line);
        }
    }
    const std::vector<Printed> printed = Read("formulas.txt");
    ASSERT_EQ(commands.size(), printed.size());
    ASSERT_GE(commands.size(), 20u);
    for (std::size_t i = 0; i < commands.size(); ++i) {
        Printed its = printed[i];
        its.name = commands[i];
        const TableMode ours = FormulaOf(commands[i]);
        ExpectMode(ours, its);
        EXPECT_EQ(ours.reducedBlanking, its.flags.find("RB") != std::string::npos) << its.name;
    }
}

} // namespace
