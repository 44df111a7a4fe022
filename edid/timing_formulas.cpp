#include "edid/timing_formulas.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace moniquet {

namespace {

// The character cell both formulas size horizontal blanking in, pixels.
constexpr double kCell = 8;
// GTF's default curve: C' and M' of the blanking duty cycle, from C = 40 %,
// M = 600 %/kHz, K = 128 and J = 20 %.
constexpr double kGtfC = (40.0 - 20.0) * 128 / 256 + 20;
constexpr double kGtfM = 128.0 / 256 * 600;
// The least time of vertical sync and back porch, µs (both formulas).
constexpr double kMinVsyncBackUs = 550;
constexpr double kGtfMinPorch = 1;
constexpr uint32_t kGtfVsync = 3;
constexpr double kGtfHsyncShare = 0.08;
// CVT's normal blanking.
constexpr double kCvtC = 30;
constexpr double kCvtM = 300;
constexpr double kCvtMinVPorch = 3;
constexpr double kCvtMinVBackPorch = 7;
constexpr double kCvtMinDutyCycle = 20;
// CVT's reduced blanking.
constexpr double kRbMinVBlankUs = 460;
constexpr double kRbHsync = 32;

double Round(double x) {
    return std::round(x);
}

// Formulas fed any size and rate an EDID can hold give values of any size;
// a field holds what fits.
uint32_t Whole(double x) {
    constexpr double kMax = std::numeric_limits<uint32_t>::max();
    return x <= 0 ? 0 : x >= kMax ? std::numeric_limits<uint32_t>::max() : static_cast<uint32_t>(x);
}

// CVT's vertical sync width follows the aspect ratio of the image: how a
// monitor tells the ratio from the sync alone.
double CvtVsyncOfAspect(uint32_t width, uint32_t height) {
    if (height * 4 / 3 == width) {
        return 4;
    }
    if (height * 16 / 9 == width) {
        return 5;
    }
    if (height * 16 / 10 == width) {
        return 6;
    }
    if ((height % 4 == 0 && height * 5 / 4 == width) || height * 15 / 9 == width) {
        return 7;
    }
    return 10;
}

} // namespace

TableMode GtfMode(uint32_t width, uint32_t height, uint32_t refreshHz) {
    const double active = Round(width / kCell) * kCell;
    const double lines = height;
    const double rate = refreshHz;
    // Estimate the line period from the rate, then correct it by the rate
    // the estimate gives.
    const double periodEstimateUs =
        (1 / rate - kMinVsyncBackUs / 1e6) / (lines + kGtfMinPorch) * 1e6;
    const double vsyncBack = Round(kMinVsyncBackUs / periodEstimateUs);
    const double totalLines = lines + vsyncBack + kGtfMinPorch;
    const double rateEstimate = 1e6 / periodEstimateUs / totalLines;
    const double periodUs = periodEstimateUs / (rate / rateEstimate);
    const double dutyCycle = kGtfC - kGtfM * periodUs / 1000;
    const double hBlank = Round(active * dutyCycle / (100 - dutyCycle) / (2 * kCell)) * (2 * kCell);
    const double totalPixels = active + hBlank;
    const double hsync = Round(kGtfHsyncShare * totalPixels / kCell) * kCell;
    TableMode t;
    t.width = Whole(active);
    t.height = height;
    t.nominalHz = refreshHz;
    t.pixelClockKHz = Whole(Round(1000 * totalPixels / periodUs));
    t.h = {Whole(hBlank / 2 - hsync), Whole(hsync), Whole(hBlank / 2), 0, false};
    t.v = {Whole(kGtfMinPorch), kGtfVsync, Whole(vsyncBack - kGtfVsync), 0, true};
    return t;
}

TableMode CvtMode(uint32_t width, uint32_t height, uint32_t refreshHz, CvtBlanking blanking,
                  CvtOptions options) {
    const bool v2 = blanking == CvtBlanking::Reduced2;
    const bool v3 = blanking == CvtBlanking::Reduced3;
    const double cell = v2 ? 1 : kCell;
    const double active = std::floor(width / cell) * cell;
    const double lines = height;
    const double rate = refreshHz;
    TableMode t;
    t.width = width;
    t.height = height;
    t.nominalHz = refreshHz;
    t.reducedBlanking = blanking != CvtBlanking::Normal;
    if (blanking == CvtBlanking::Normal) {
        const double vsync = CvtVsyncOfAspect(width, height);
        const double periodUs = (1 / rate - kMinVsyncBackUs / 1e6) / (lines + kCvtMinVPorch) * 1e6;
        const double vsyncBack =
            std::max(std::floor(kMinVsyncBackUs / periodUs) + 1, vsync + kCvtMinVBackPorch);
        const double dutyCycle = std::max(kCvtC - kCvtM * periodUs / 1000, kCvtMinDutyCycle);
        const double hBlank =
            std::floor(active * dutyCycle / (100 - dutyCycle) / (2 * kCell)) * (2 * kCell);
        const double totalPixels = active + hBlank;
        const double hsync = std::floor(totalPixels * 0.08 / kCell) * kCell;
        // The clock comes in steps of 0.25 MHz.
        const double clockMHz = std::floor(totalPixels / periodUs / 0.25) * 0.25;
        t.pixelClockKHz = Whole(Round(1000 * clockMHz));
        t.h = {Whole(hBlank / 2 - hsync), Whole(hsync), Whole(hBlank / 2), 0, false};
        t.v = {Whole(kCvtMinVPorch), Whole(vsync), Whole(vsyncBack - vsync), 0, true};
        return t;
    }
    // Versions 2 and 3 fix the sync at 8 lines and the back porch at 6;
    // version 1 sizes the sync by the aspect ratio and leaves the porch the
    // rest of the blanking.
    const bool v1 = blanking == CvtBlanking::Reduced1;
    const double vsync = v1 ? CvtVsyncOfAspect(width, height) : 8;
    const double vFrontPorch = v1 ? 3 : 1;
    double vBackPorch = v1 ? kCvtMinVBackPorch : 6;
    double minVBlankUs = kRbMinVBlankUs;
    double hBlank = v1 || (v3 && options.alternative) ? 160 : 80;
    if (v3) {
        minVBlankUs = std::max(options.vBlankUs, 300u);
        if (options.hBlank != 0) {
            hBlank = std::clamp<double>(options.hBlank & ~7u, 80, 200);
        }
    }
    const double periodUs = (1e6 / rate - minVBlankUs) / lines;
    const double blankLines = std::floor(minVBlankUs / periodUs) + 1;
    const double vBlank = std::max(blankLines, vFrontPorch + vsync + vBackPorch);
    if (v3 && options.earlyVsync) {
        vBackPorch = std::min(std::floor(blankLines / 2), vBlank - vsync - vFrontPorch);
    }
    const double syncAndBack = v1 ? vBlank - vFrontPorch : vsync + vBackPorch;
    const double totalPixels = active + hBlank;
    const double multiplier = v2 && options.alternative ? 1000.0 / 1001 : 1;
    const double exactMHz = rate * (vBlank + lines) * totalPixels * multiplier / 1e6;
    // Version 1 steps the clock by 0.25 MHz, down; 2 by 1 kHz, down; 3 by 1
    // kHz, up, so that the rate is never below the one asked for.
    const double step = v1 ? 0.25 : 0.001;
    const double clockMHz =
        v3 ? std::ceil(exactMHz / step) * step : std::floor(exactMHz / step) * step;
    t.pixelClockKHz = Whole(Round(1000 * clockMHz));
    const double hFrontPorch = v1 ? hBlank / 2 - kRbHsync : 8;
    t.h = {Whole(hFrontPorch), Whole(kRbHsync), Whole(hBlank - hFrontPorch - kRbHsync), 0, true};
    t.v = {Whole(vBlank - syncAndBack), Whole(vsync), Whole(syncAndBack - vsync), 0, false};
    return t;
}

} // namespace moniquet
