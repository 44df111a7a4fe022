#include "edid/vic_table.h"

#include <array>
#include <cstddef>
#include <iterator>

namespace moniquet {

namespace {

// CTA-861-I, tables 1 to 3 (VICs 1 to 127) and 4 (VICs 193 to 219), in VIC
// order: size, interlace, pixel clock (kHz), the horizontal and vertical
// blanking (front porch, sync, back porch, border, positive sync; a field's
// lines for interlaced formats), whether both fields have the same lines,
// the picture aspect ratio.
// clang-format off
constexpr VicEntry kVics[] = {
    {1, {640, 480, false, 0, false, 25175, {16, 96, 48, 0, false}, {10, 2, 33, 0, false}, false, 4, 3}},
    {2, {720, 480, false, 0, false, 27000, {16, 62, 60, 0, false}, {9, 6, 30, 0, false}, false, 4, 3}},
    {3, {720, 480, false, 0, false, 27000, {16, 62, 60, 0, false}, {9, 6, 30, 0, false}, false, 16, 9}},
    {4, {1280, 720, false, 0, false, 74250, {110, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 16, 9}},
    {5, {1920, 1080, true, 0, false, 74250, {88, 44, 148, 0, true}, {2, 5, 15, 0, true}, false, 16, 9}},
    {6, {1440, 480, true, 0, false, 27000, {38, 124, 114, 0, false}, {4, 3, 15, 0, false}, false, 4, 3}},
    {7, {1440, 480, true, 0, false, 27000, {38, 124, 114, 0, false}, {4, 3, 15, 0, false}, false, 16, 9}},
    {8, {1440, 240, false, 0, false, 27000, {38, 124, 114, 0, false}, {4, 3, 15, 0, false}, false, 4, 3}},
    {9, {1440, 240, false, 0, false, 27000, {38, 124, 114, 0, false}, {4, 3, 15, 0, false}, false, 16, 9}},
    {10, {2880, 480, true, 0, false, 54000, {76, 248, 228, 0, false}, {4, 3, 15, 0, false}, false, 4, 3}},
    {11, {2880, 480, true, 0, false, 54000, {76, 248, 228, 0, false}, {4, 3, 15, 0, false}, false, 16, 9}},
    {12, {2880, 240, false, 0, false, 54000, {76, 248, 228, 0, false}, {4, 3, 15, 0, false}, false, 4, 3}},
    {13, {2880, 240, false, 0, false, 54000, {76, 248, 228, 0, false}, {4, 3, 15, 0, false}, false, 16, 9}},
    {14, {1440, 480, false, 0, false, 54000, {32, 124, 120, 0, false}, {9, 6, 30, 0, false}, false, 4, 3}},
    {15, {1440, 480, false, 0, false, 54000, {32, 124, 120, 0, false}, {9, 6, 30, 0, false}, false, 16, 9}},
    {16, {1920, 1080, false, 0, false, 148500, {88, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 16, 9}},
    {17, {720, 576, false, 0, false, 27000, {12, 64, 68, 0, false}, {5, 5, 39, 0, false}, false, 4, 3}},
    {18, {720, 576, false, 0, false, 27000, {12, 64, 68, 0, false}, {5, 5, 39, 0, false}, false, 16, 9}},
    {19, {1280, 720, false, 0, false, 74250, {440, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 16, 9}},
    {20, {1920, 1080, true, 0, false, 74250, {528, 44, 148, 0, true}, {2, 5, 15, 0, true}, false, 16, 9}},
    {21, {1440, 576, true, 0, false, 27000, {24, 126, 138, 0, false}, {2, 3, 19, 0, false}, false, 4, 3}},
    {22, {1440, 576, true, 0, false, 27000, {24, 126, 138, 0, false}, {2, 3, 19, 0, false}, false, 16, 9}},
    {23, {1440, 288, false, 0, false, 27000, {24, 126, 138, 0, false}, {2, 3, 19, 0, false}, false, 4, 3}},
    {24, {1440, 288, false, 0, false, 27000, {24, 126, 138, 0, false}, {2, 3, 19, 0, false}, false, 16, 9}},
    {25, {2880, 576, true, 0, false, 54000, {48, 252, 276, 0, false}, {2, 3, 19, 0, false}, false, 4, 3}},
    {26, {2880, 576, true, 0, false, 54000, {48, 252, 276, 0, false}, {2, 3, 19, 0, false}, false, 16, 9}},
    {27, {2880, 288, false, 0, false, 54000, {48, 252, 276, 0, false}, {2, 3, 19, 0, false}, false, 4, 3}},
    {28, {2880, 288, false, 0, false, 54000, {48, 252, 276, 0, false}, {2, 3, 19, 0, false}, false, 16, 9}},
    {29, {1440, 576, false, 0, false, 54000, {24, 128, 136, 0, false}, {5, 5, 39, 0, false}, false, 4, 3}},
    {30, {1440, 576, false, 0, false, 54000, {24, 128, 136, 0, false}, {5, 5, 39, 0, false}, false, 16, 9}},
    {31, {1920, 1080, false, 0, false, 148500, {528, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 16, 9}},
    {32, {1920, 1080, false, 0, false, 74250, {638, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 16, 9}},
    {33, {1920, 1080, false, 0, false, 74250, {528, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 16, 9}},
    {34, {1920, 1080, false, 0, false, 74250, {88, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 16, 9}},
    {35, {2880, 480, false, 0, false, 108000, {64, 248, 240, 0, false}, {9, 6, 30, 0, false}, false, 4, 3}},
    {36, {2880, 480, false, 0, false, 108000, {64, 248, 240, 0, false}, {9, 6, 30, 0, false}, false, 16, 9}},
    {37, {2880, 576, false, 0, false, 108000, {48, 256, 272, 0, false}, {5, 5, 39, 0, false}, false, 4, 3}},
    {38, {2880, 576, false, 0, false, 108000, {48, 256, 272, 0, false}, {5, 5, 39, 0, false}, false, 16, 9}},
    {39, {1920, 1080, true, 0, false, 72000, {32, 168, 184, 0, true}, {23, 5, 57, 0, false}, true, 16, 9}},
    {40, {1920, 1080, true, 0, false, 148500, {528, 44, 148, 0, true}, {2, 5, 15, 0, true}, false, 16, 9}},
    {41, {1280, 720, false, 0, false, 148500, {440, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 16, 9}},
    {42, {720, 576, false, 0, false, 54000, {12, 64, 68, 0, false}, {5, 5, 39, 0, false}, false, 4, 3}},
    {43, {720, 576, false, 0, false, 54000, {12, 64, 68, 0, false}, {5, 5, 39, 0, false}, false, 16, 9}},
    {44, {1440, 576, true, 0, false, 54000, {24, 126, 138, 0, false}, {2, 3, 19, 0, false}, false, 4, 3}},
    {45, {1440, 576, true, 0, false, 54000, {24, 126, 138, 0, false}, {2, 3, 19, 0, false}, false, 16, 9}},
    {46, {1920, 1080, true, 0, false, 148500, {88, 44, 148, 0, true}, {2, 5, 15, 0, true}, false, 16, 9}},
    {47, {1280, 720, false, 0, false, 148500, {110, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 16, 9}},
    {48, {720, 480, false, 0, false, 54000, {16, 62, 60, 0, false}, {9, 6, 30, 0, false}, false, 4, 3}},
    {49, {720, 480, false, 0, false, 54000, {16, 62, 60, 0, false}, {9, 6, 30, 0, false}, false, 16, 9}},
    {50, {1440, 480, true, 0, false, 54000, {38, 124, 114, 0, false}, {4, 3, 15, 0, false}, false, 4, 3}},
    {51, {1440, 480, true, 0, false, 54000, {38, 124, 114, 0, false}, {4, 3, 15, 0, false}, false, 16, 9}},
    {52, {720, 576, false, 0, false, 108000, {12, 64, 68, 0, false}, {5, 5, 39, 0, false}, false, 4, 3}},
    {53, {720, 576, false, 0, false, 108000, {12, 64, 68, 0, false}, {5, 5, 39, 0, false}, false, 16, 9}},
    {54, {1440, 576, true, 0, false, 108000, {24, 126, 138, 0, false}, {2, 3, 19, 0, false}, false, 4, 3}},
    {55, {1440, 576, true, 0, false, 108000, {24, 126, 138, 0, false}, {2, 3, 19, 0, false}, false, 16, 9}},
    {56, {720, 480, false, 0, false, 108000, {16, 62, 60, 0, false}, {9, 6, 30, 0, false}, false, 4, 3}},
    {57, {720, 480, false, 0, false, 108000, {16, 62, 60, 0, false}, {9, 6, 30, 0, false}, false, 16, 9}},
    {58, {1440, 480, true, 0, false, 108000, {38, 124, 114, 0, false}, {4, 3, 15, 0, false}, false, 4, 3}},
    {59, {1440, 480, true, 0, false, 108000, {38, 124, 114, 0, false}, {4, 3, 15, 0, false}, false, 16, 9}},
    {60, {1280, 720, false, 0, false, 59400, {1760, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 16, 9}},
    {61, {1280, 720, false, 0, false, 74250, {2420, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 16, 9}},
    {62, {1280, 720, false, 0, false, 74250, {1760, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 16, 9}},
    {63, {1920, 1080, false, 0, false, 297000, {88, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 16, 9}},
    {64, {1920, 1080, false, 0, false, 297000, {528, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 16, 9}},
    {65, {1280, 720, false, 0, false, 59400, {1760, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {66, {1280, 720, false, 0, false, 74250, {2420, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {67, {1280, 720, false, 0, false, 74250, {1760, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {68, {1280, 720, false, 0, false, 74250, {440, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {69, {1280, 720, false, 0, false, 74250, {110, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {70, {1280, 720, false, 0, false, 148500, {440, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {71, {1280, 720, false, 0, false, 148500, {110, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {72, {1920, 1080, false, 0, false, 74250, {638, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 64, 27}},
    {73, {1920, 1080, false, 0, false, 74250, {528, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 64, 27}},
    {74, {1920, 1080, false, 0, false, 74250, {88, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 64, 27}},
    {75, {1920, 1080, false, 0, false, 148500, {528, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 64, 27}},
    {76, {1920, 1080, false, 0, false, 148500, {88, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 64, 27}},
    {77, {1920, 1080, false, 0, false, 297000, {528, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 64, 27}},
    {78, {1920, 1080, false, 0, false, 297000, {88, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 64, 27}},
    {79, {1680, 720, false, 0, false, 59400, {1360, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {80, {1680, 720, false, 0, false, 59400, {1228, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {81, {1680, 720, false, 0, false, 59400, {700, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {82, {1680, 720, false, 0, false, 82500, {260, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {83, {1680, 720, false, 0, false, 99000, {260, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {84, {1680, 720, false, 0, false, 165000, {60, 40, 220, 0, true}, {5, 5, 95, 0, true}, false, 64, 27}},
    {85, {1680, 720, false, 0, false, 198000, {60, 40, 220, 0, true}, {5, 5, 95, 0, true}, false, 64, 27}},
    {86, {2560, 1080, false, 0, false, 99000, {998, 44, 148, 0, true}, {4, 5, 11, 0, true}, false, 64, 27}},
    {87, {2560, 1080, false, 0, false, 90000, {448, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 64, 27}},
    {88, {2560, 1080, false, 0, false, 118800, {768, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 64, 27}},
    {89, {2560, 1080, false, 0, false, 185625, {548, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 64, 27}},
    {90, {2560, 1080, false, 0, false, 198000, {248, 44, 148, 0, true}, {4, 5, 11, 0, true}, false, 64, 27}},
    {91, {2560, 1080, false, 0, false, 371250, {218, 44, 148, 0, true}, {4, 5, 161, 0, true}, false, 64, 27}},
    {92, {2560, 1080, false, 0, false, 495000, {548, 44, 148, 0, true}, {4, 5, 161, 0, true}, false, 64, 27}},
    {93, {3840, 2160, false, 0, false, 297000, {1276, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 16, 9}},
    {94, {3840, 2160, false, 0, false, 297000, {1056, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 16, 9}},
    {95, {3840, 2160, false, 0, false, 297000, {176, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 16, 9}},
    {96, {3840, 2160, false, 0, false, 594000, {1056, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 16, 9}},
    {97, {3840, 2160, false, 0, false, 594000, {176, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 16, 9}},
    {98, {4096, 2160, false, 0, false, 297000, {1020, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 256, 135}},
    {99, {4096, 2160, false, 0, false, 297000, {968, 88, 128, 0, true}, {8, 10, 72, 0, true}, false, 256, 135}},
    {100, {4096, 2160, false, 0, false, 297000, {88, 88, 128, 0, true}, {8, 10, 72, 0, true}, false, 256, 135}},
    {101, {4096, 2160, false, 0, false, 594000, {968, 88, 128, 0, true}, {8, 10, 72, 0, true}, false, 256, 135}},
    {102, {4096, 2160, false, 0, false, 594000, {88, 88, 128, 0, true}, {8, 10, 72, 0, true}, false, 256, 135}},
    {103, {3840, 2160, false, 0, false, 297000, {1276, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 64, 27}},
    {104, {3840, 2160, false, 0, false, 297000, {1056, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 64, 27}},
    {105, {3840, 2160, false, 0, false, 297000, {176, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 64, 27}},
    {106, {3840, 2160, false, 0, false, 594000, {1056, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 64, 27}},
    {107, {3840, 2160, false, 0, false, 594000, {176, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 64, 27}},
    {108, {1280, 720, false, 0, false, 90000, {960, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 16, 9}},
    {109, {1280, 720, false, 0, false, 90000, {960, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {110, {1680, 720, false, 0, false, 99000, {810, 40, 220, 0, true}, {5, 5, 20, 0, true}, false, 64, 27}},
    {111, {1920, 1080, false, 0, false, 148500, {638, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 16, 9}},
    {112, {1920, 1080, false, 0, false, 148500, {638, 44, 148, 0, true}, {4, 5, 36, 0, true}, false, 64, 27}},
    {113, {2560, 1080, false, 0, false, 198000, {998, 44, 148, 0, true}, {4, 5, 11, 0, true}, false, 64, 27}},
    {114, {3840, 2160, false, 0, false, 594000, {1276, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 16, 9}},
    {115, {4096, 2160, false, 0, false, 594000, {1020, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 256, 135}},
    {116, {3840, 2160, false, 0, false, 594000, {1276, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 64, 27}},
    {117, {3840, 2160, false, 0, false, 1188000, {1056, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 16, 9}},
    {118, {3840, 2160, false, 0, false, 1188000, {176, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 16, 9}},
    {119, {3840, 2160, false, 0, false, 1188000, {1056, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 64, 27}},
    {120, {3840, 2160, false, 0, false, 1188000, {176, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 64, 27}},
    {121, {5120, 2160, false, 0, false, 396000, {1996, 88, 296, 0, true}, {8, 10, 22, 0, true}, false, 64, 27}},
    {122, {5120, 2160, false, 0, false, 396000, {1696, 88, 296, 0, true}, {8, 10, 22, 0, true}, false, 64, 27}},
    {123, {5120, 2160, false, 0, false, 396000, {664, 88, 128, 0, true}, {8, 10, 22, 0, true}, false, 64, 27}},
    {124, {5120, 2160, false, 0, false, 742500, {746, 88, 296, 0, true}, {8, 10, 297, 0, true}, false, 64, 27}},
    {125, {5120, 2160, false, 0, false, 742500, {1096, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 64, 27}},
    {126, {5120, 2160, false, 0, false, 742500, {164, 88, 128, 0, true}, {8, 10, 72, 0, true}, false, 64, 27}},
    {127, {5120, 2160, false, 0, false, 1485000, {1096, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 64, 27}},
    {193, {5120, 2160, false, 0, false, 1485000, {164, 88, 128, 0, true}, {8, 10, 72, 0, true}, false, 64, 27}},
    {194, {7680, 4320, false, 0, false, 1188000, {2552, 176, 592, 0, true}, {16, 20, 144, 0, true}, false, 16, 9}},
    {195, {7680, 4320, false, 0, false, 1188000, {2352, 176, 592, 0, true}, {16, 20, 44, 0, true}, false, 16, 9}},
    {196, {7680, 4320, false, 0, false, 1188000, {552, 176, 592, 0, true}, {16, 20, 44, 0, true}, false, 16, 9}},
    {197, {7680, 4320, false, 0, false, 2376000, {2552, 176, 592, 0, true}, {16, 20, 144, 0, true}, false, 16, 9}},
    {198, {7680, 4320, false, 0, false, 2376000, {2352, 176, 592, 0, true}, {16, 20, 44, 0, true}, false, 16, 9}},
    {199, {7680, 4320, false, 0, false, 2376000, {552, 176, 592, 0, true}, {16, 20, 44, 0, true}, false, 16, 9}},
    {200, {7680, 4320, false, 0, false, 4752000, {2112, 176, 592, 0, true}, {16, 20, 144, 0, true}, false, 16, 9}},
    {201, {7680, 4320, false, 0, false, 4752000, {352, 176, 592, 0, true}, {16, 20, 144, 0, true}, false, 16, 9}},
    {202, {7680, 4320, false, 0, false, 1188000, {2552, 176, 592, 0, true}, {16, 20, 144, 0, true}, false, 64, 27}},
    {203, {7680, 4320, false, 0, false, 1188000, {2352, 176, 592, 0, true}, {16, 20, 44, 0, true}, false, 64, 27}},
    {204, {7680, 4320, false, 0, false, 1188000, {552, 176, 592, 0, true}, {16, 20, 44, 0, true}, false, 64, 27}},
    {205, {7680, 4320, false, 0, false, 2376000, {2552, 176, 592, 0, true}, {16, 20, 144, 0, true}, false, 64, 27}},
    {206, {7680, 4320, false, 0, false, 2376000, {2352, 176, 592, 0, true}, {16, 20, 44, 0, true}, false, 64, 27}},
    {207, {7680, 4320, false, 0, false, 2376000, {552, 176, 592, 0, true}, {16, 20, 44, 0, true}, false, 64, 27}},
    {208, {7680, 4320, false, 0, false, 4752000, {2112, 176, 592, 0, true}, {16, 20, 144, 0, true}, false, 64, 27}},
    {209, {7680, 4320, false, 0, false, 4752000, {352, 176, 592, 0, true}, {16, 20, 144, 0, true}, false, 64, 27}},
    {210, {10240, 4320, false, 0, false, 1485000, {1492, 176, 592, 0, true}, {16, 20, 594, 0, true}, false, 64, 27}},
    {211, {10240, 4320, false, 0, false, 1485000, {2492, 176, 592, 0, true}, {16, 20, 44, 0, true}, false, 64, 27}},
    {212, {10240, 4320, false, 0, false, 1485000, {288, 176, 296, 0, true}, {16, 20, 144, 0, true}, false, 64, 27}},
    {213, {10240, 4320, false, 0, false, 2970000, {1492, 176, 592, 0, true}, {16, 20, 594, 0, true}, false, 64, 27}},
    {214, {10240, 4320, false, 0, false, 2970000, {2492, 176, 592, 0, true}, {16, 20, 44, 0, true}, false, 64, 27}},
    {215, {10240, 4320, false, 0, false, 2970000, {288, 176, 296, 0, true}, {16, 20, 144, 0, true}, false, 64, 27}},
    {216, {10240, 4320, false, 0, false, 5940000, {2192, 176, 592, 0, true}, {16, 20, 144, 0, true}, false, 64, 27}},
    {217, {10240, 4320, false, 0, false, 5940000, {288, 176, 296, 0, true}, {16, 20, 144, 0, true}, false, 64, 27}},
    {218, {4096, 2160, false, 0, false, 1188000, {800, 88, 296, 0, true}, {8, 10, 72, 0, true}, false, 256, 135}},
    {219, {4096, 2160, false, 0, false, 1188000, {88, 88, 128, 0, true}, {8, 10, 72, 0, true}, false, 256, 135}},
};
// clang-format on

// Each VIC's place in kVics, plus one (0 for a VIC the tables leave out),
// built as the program is compiled: a video data block's codes are looked
// up several times each, and a search through the table mispredicts on
// nearly every step.
constexpr std::size_t kVicCodes = 256;
constexpr std::array<uint8_t, kVicCodes> kVicPlaces = [] {
    static_assert(std::size(kVics) < 255);
    std::array<uint8_t, kVicCodes> places{};
    for (std::size_t i = 0; i < std::size(kVics); ++i) {
        // The table is in VIC order, each VIC once: compiling stops here
        // otherwise.
        if (kVics[i].vic >= kVicCodes || (i > 0 && kVics[i - 1].vic >= kVics[i].vic)) {
            throw "kVics is not in VIC order";
        }
        places[kVics[i].vic] = static_cast<uint8_t>(i + 1);
    }
    return places;
}();

const VicEntry* FindEntry(uint32_t vic) {
    const uint8_t place = vic < kVicCodes ? kVicPlaces[vic] : 0;
    return place != 0 ? &kVics[place - 1] : nullptr;
}

} // namespace

std::optional<TableMode> FindVicTableMode(uint32_t vic) {
    const VicEntry* entry = FindEntry(vic);
    return entry != nullptr ? std::optional(entry->format) : std::nullopt;
}

std::optional<ModeTiming> FindVicMode(uint32_t vic) {
    const VicEntry* entry = FindEntry(vic);
    return entry != nullptr ? std::optional(ModeOf(entry->format)) : std::nullopt;
}

std::optional<std::string_view> VicAspect(uint32_t vic) {
    const VicEntry* entry = FindEntry(vic);
    if (entry == nullptr) {
        return std::nullopt;
    }
    switch (entry->format.aspectH) {
    case 4:
        return "4:3";
    case 16:
        return "16:9";
    case 64:
        return "64:27";
    default:
        return "256:135";
    }
}

std::optional<uint32_t> VicOfHdmiVic(uint32_t hdmiVic) {
    // The 4K formats that HDMI 1.4 named before CTA-861 gave them VICs.
    static constexpr uint32_t kVics[] = {95, 94, 93, 98};
    return hdmiVic >= 1 && hdmiVic <= std::size(kVics) ? std::optional(kVics[hdmiVic - 1])
                                                       : std::nullopt;
}

std::span<const VicEntry> VicEntries() {
    return kVics;
}

} // namespace moniquet
