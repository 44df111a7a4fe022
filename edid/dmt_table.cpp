#include "edid/dmt_table.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

// VESA DMT, its addressable sizes, nominal rates, pixel clocks and totals,
// in the order of the DMT IDs that DisplayID names them by: ID n is entry
// n - 1.
constexpr TableMode kDmt[] = {
    {640, 350, false, 85, false, 31500, 832, 445},
    {640, 400, false, 85, false, 31500, 832, 445},
    {720, 400, false, 85, false, 35500, 936, 446},
    {640, 480, false, 60, false, 25175, 800, 525},
    {640, 480, false, 72, false, 31500, 832, 520},
    {640, 480, false, 75, false, 31500, 840, 500},
    {640, 480, false, 85, false, 36000, 832, 509},
    {800, 600, false, 56, false, 36000, 1024, 625},
    {800, 600, false, 60, false, 40000, 1056, 628},
    {800, 600, false, 72, false, 50000, 1040, 666},
    {800, 600, false, 75, false, 49500, 1056, 625},
    {800, 600, false, 85, false, 56250, 1048, 631},
    {800, 600, false, 120, true, 73250, 960, 636},
    {848, 480, false, 60, false, 33750, 1088, 517},
    {1024, 768, true, 43, false, 44900, 1264, 817},
    {1024, 768, false, 60, false, 65000, 1344, 806},
    {1024, 768, false, 70, false, 75000, 1328, 806},
    {1024, 768, false, 75, false, 78750, 1312, 800},
    {1024, 768, false, 85, false, 94500, 1376, 808},
    {1024, 768, false, 120, true, 115500, 1184, 813},
    {1152, 864, false, 75, false, 108000, 1600, 900},
    {1280, 768, false, 60, true, 68250, 1440, 790},
    {1280, 768, false, 60, false, 79500, 1664, 798},
    {1280, 768, false, 75, false, 102250, 1696, 805},
    {1280, 768, false, 85, false, 117500, 1712, 809},
    {1280, 768, false, 120, true, 140250, 1440, 813},
    {1280, 800, false, 60, true, 71000, 1440, 823},
    {1280, 800, false, 60, false, 83500, 1680, 831},
    {1280, 800, false, 75, false, 106500, 1696, 838},
    {1280, 800, false, 85, false, 122500, 1712, 843},
    {1280, 800, false, 120, true, 146250, 1440, 847},
    {1280, 960, false, 60, false, 108000, 1800, 1000},
    {1280, 960, false, 85, false, 148500, 1728, 1011},
    {1280, 960, false, 120, true, 175500, 1440, 1017},
    {1280, 1024, false, 60, false, 108000, 1688, 1066},
    {1280, 1024, false, 75, false, 135000, 1688, 1066},
    {1280, 1024, false, 85, false, 157500, 1728, 1072},
    {1280, 1024, false, 120, true, 187250, 1440, 1084},
    {1360, 768, false, 60, false, 85500, 1792, 795},
    {1360, 768, false, 120, true, 148250, 1520, 813},
    {1400, 1050, false, 60, true, 101000, 1560, 1080},
    {1400, 1050, false, 60, false, 121750, 1864, 1089},
    {1400, 1050, false, 75, false, 156000, 1896, 1099},
    {1400, 1050, false, 85, false, 179500, 1912, 1105},
    {1400, 1050, false, 120, true, 208000, 1560, 1112},
    {1440, 900, false, 60, true, 88750, 1600, 926},
    {1440, 900, false, 60, false, 106500, 1904, 934},
    {1440, 900, false, 75, false, 136750, 1936, 942},
    {1440, 900, false, 85, false, 157000, 1952, 948},
    {1440, 900, false, 120, true, 182750, 1600, 953},
    {1600, 1200, false, 60, false, 162000, 2160, 1250},
    {1600, 1200, false, 65, false, 175500, 2160, 1250},
    {1600, 1200, false, 70, false, 189000, 2160, 1250},
    {1600, 1200, false, 75, false, 202500, 2160, 1250},
    {1600, 1200, false, 85, false, 229500, 2160, 1250},
    {1600, 1200, false, 120, true, 268250, 1760, 1271},
    {1680, 1050, false, 60, true, 119000, 1840, 1080},
    {1680, 1050, false, 60, false, 146250, 2240, 1089},
    {1680, 1050, false, 75, false, 187000, 2272, 1099},
    {1680, 1050, false, 85, false, 214750, 2288, 1105},
    {1680, 1050, false, 120, true, 245500, 1840, 1112},
    {1792, 1344, false, 60, false, 204750, 2448, 1394},
    {1792, 1344, false, 75, false, 261000, 2456, 1417},
    {1792, 1344, false, 120, true, 333250, 1952, 1423},
    {1856, 1392, false, 60, false, 218250, 2528, 1439},
    {1856, 1392, false, 75, false, 288000, 2560, 1500},
    {1856, 1392, false, 120, true, 356500, 2016, 1474},
    {1920, 1200, false, 60, true, 154000, 2080, 1235},
    {1920, 1200, false, 60, false, 193250, 2592, 1245},
    {1920, 1200, false, 75, false, 245250, 2608, 1255},
    {1920, 1200, false, 85, false, 281250, 2624, 1262},
    {1920, 1200, false, 120, true, 317000, 2080, 1271},
    {1920, 1440, false, 60, false, 234000, 2600, 1500},
    {1920, 1440, false, 75, false, 297000, 2640, 1500},
    {1920, 1440, false, 120, true, 380500, 2080, 1525},
    {2560, 1600, false, 60, true, 268500, 2720, 1646},
    {2560, 1600, false, 60, false, 348500, 3504, 1658},
    {2560, 1600, false, 75, false, 443250, 3536, 1672},
    {2560, 1600, false, 85, false, 505250, 3536, 1682},
    {2560, 1600, false, 120, true, 552750, 2720, 1694},
    {1366, 768, false, 60, false, 85500, 1792, 798},
    {1920, 1080, false, 60, false, 148500, 2200, 1125},
    {1600, 900, false, 60, true, 108000, 1800, 1000},
    {2048, 1152, false, 60, true, 162000, 2250, 1200},
    {1280, 720, false, 60, false, 74250, 1650, 750},
    {1366, 768, false, 60, true, 72000, 1500, 800},
    {4096, 2160, false, 60, true, 556744, 4176, 2222},
    {4096, 2160, false, 60, true, 556188, 4176, 2222},
};

// Bytes 35 to 37 of the base block, bit 7 first: IBM's, Apple's and DMT's
// modes.
constexpr std::array<TableMode, 17> kEstablished = {{
    {720, 400, false, 70, false, 28320, 900, 449},
    {720, 400, false, 88, false, 35500, 900, 449},
    {640, 480, false, 60, false, 25175, 800, 525},
    {640, 480, false, 67, false, 30240, 864, 525},
    {640, 480, false, 72, false, 31500, 832, 520},
    {640, 480, false, 75, false, 31500, 840, 500},
    {800, 600, false, 56, false, 36000, 1024, 625},
    {800, 600, false, 60, false, 40000, 1056, 628},
    {800, 600, false, 72, false, 50000, 1040, 666},
    {800, 600, false, 75, false, 49500, 1056, 625},
    {832, 624, false, 75, false, 57284, 1152, 667},
    {1024, 768, true, 87, false, 44900, 1264, 817},
    {1024, 768, false, 60, false, 65000, 1344, 806},
    {1024, 768, false, 70, false, 75000, 1328, 806},
    {1024, 768, false, 75, false, 78750, 1312, 800},
    {1280, 1024, false, 75, false, 135000, 1688, 1066},
    {1152, 870, false, 75, false, 100000, 1456, 915},
}};

} // namespace

ModeTiming ModeOf(const TableMode& mode) {
    const double lines = mode.interlaced ? mode.vTotal / 2.0 : mode.vTotal;
    return {mode.width, mode.height, mode.interlaced,
            mode.pixelClockKHz * 1000.0 / (mode.hTotal * lines)};
}

std::optional<TableMode> FindDmtTableMode(uint32_t width, uint32_t height, uint32_t nominalHz) {
    // DMT gives 1024x768 at 70 Hz the standard timing code of 72 Hz (61 4C).
    if (width == 1024 && height == 768 && nominalHz == 72) {
        nominalHz = 70;
    }
    const TableMode* found = nullptr;
    for (const TableMode& mode : kDmt) {
        if (mode.width == width && mode.height == height && mode.nominalHz == nominalHz &&
            !mode.interlaced &&
            (found == nullptr || (found->reducedBlanking && !mode.reducedBlanking))) {
            found = &mode;
            // Normal blanking is what is looked for first: nothing beats it.
            if (!found->reducedBlanking) {
                break;
            }
        }
    }
    return found != nullptr ? std::optional(*found) : std::nullopt;
}

std::optional<ModeTiming> FindDmtMode(uint32_t width, uint32_t height, uint32_t nominalHz) {
    const std::optional<TableMode> found = FindDmtTableMode(width, height, nominalHz);
    return found ? std::optional(ModeOf(*found)) : std::nullopt;
}

std::optional<ModeTiming> FindDmtModeById(uint32_t id) {
    if (id == 0 || id > std::size(kDmt)) {
        return std::nullopt;
    }
    return ModeOf(kDmt[id - 1]);
}

std::span<const TableMode, 17> EstablishedModes() {
    return kEstablished;
}
