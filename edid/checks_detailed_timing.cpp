// Each detailed timing on its own, in any block: whether a sink can show
// it, where it stands among the descriptors, and its image size against
// its pixels and the screen.
#include "edid/checks_base.h"
#include "edid/detailed_timing_rules.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

// Below 10 MHz a detailed timing is taken for a mistaken descriptor.
constexpr uint32_t kMinPixelClockKHz = 10000;
// Image sizes are in mm, the screen size in cm: a centimetre is rounding.
constexpr int kImageSizeSlackMm = 10;
// Smaller than 10 cm is a watch's screen, not a monitor's: likely an aspect
// ratio or garbage.
constexpr uint32_t kSmallestImageMm = 100;

std::string SizeOf(const TimingInfo& t) {
    return to_string(t.width) + "x" + to_string(t.height);
}

std::string ImageOf(uint32_t width, uint32_t height) {
    return to_string(width) + "x" + to_string(height) + " mm";
}

// What no sink can show, named in one failure per timing.
void CheckShowable(Descriptor d, const DetailedTiming& t, const TimingInfo& timing,
                   const DiagnosticSink& sink) {
    std::string wrong;
    // A descriptor misread as a timing, rather than a timing.
    if (t.pixelClockKHz < kMinPixelClockKHz) {
        wrong += "a pixel clock below 10 MHz";
    }
    if (std::all_of(d.begin(), d.end(), [&d](uint8_t b) { return b == d[0]; })) {
        wrong += wrong.empty() ? "" : ", ";
        wrong += "every byte the same";
    }
    NoteDetailedTimingFaults(t, timing.interlaced, wrong);
    if (!wrong.empty()) {
        Fail(sink, DiagnosticCode::InvalidDetailedTiming, 0,
             "the detailed timing of " + to_string(t.hAddressable) + "x" +
                 to_string(t.vAddressable) + " has " + wrong);
    }
}

} // namespace

void NoteDetailedTimingFaults(const DetailedTiming& t, bool interlaced, std::string& wrong) {
    const auto note = [&wrong](const char* what) {
        wrong += wrong.empty() ? "" : ", ";
        wrong += what;
    };
    if (t.hAddressable == 0 || t.vAddressable == 0) {
        note("no active pixels or lines");
    }
    if (t.hBlanking == 0 || t.vBlanking == 0 || t.hSyncWidth == 0 || t.vSyncWidth == 0) {
        note("a blanking or sync width of 0");
    }
    if (t.hFrontPorch == 0) {
        note("a horizontal front porch of 0");
    }
    // An interlaced timing's fields alternate their front porches, so one
    // of 0 lines is one of half a line.
    if (t.vFrontPorch == 0 && !interlaced) {
        note("a vertical front porch of 0");
    }
    // The blankings include the borders on both sides.
    const auto backPorch = [](uint32_t blanking, uint32_t front, uint32_t sync, uint32_t border) {
        return static_cast<int64_t>(blanking) - 2 * int64_t{border} - front - sync;
    };
    if (backPorch(t.hBlanking, t.hFrontPorch, t.hSyncWidth, t.hBorder) <= 0) {
        note("a horizontal back porch of 0 or less");
    }
    if (backPorch(t.vBlanking, t.vFrontPorch, t.vSyncWidth, t.vBorder) <= 0) {
        note("a vertical back porch of 0 or less");
    }
}

namespace {

// The first timing of each block whose image size is off the screen size:
// larger in either direction, or smaller in both, or not given.
void CheckAgainstScreen(const TimingInfo& t, const DiagnosticSink& sink, const EdidInfo& info) {
    if (!info.screenSizeCm) {
        return;
    }
    const bool named = std::any_of(sink.list->begin(), sink.list->end(), [&t](const Diagnostic& d) {
        return d.code == DiagnosticCode::ImageSizeMismatch && d.block == t.block;
    });
    if (named) {
        return;
    }
    const uint32_t imageWidth = t.imageWidthMm.value_or(0);
    const uint32_t imageHeight = t.imageHeightMm.value_or(0);
    const int width = static_cast<int>(info.screenSizeCm->width) * 10;
    const int height = static_cast<int>(info.screenSizeCm->height) * 10;
    const int dw = static_cast<int>(imageWidth) - width;
    const int dh = static_cast<int>(imageHeight) - height;
    if (imageWidth == 0 || imageHeight == 0) {
        Fail(sink, DiagnosticCode::ImageSizeMismatch, 12,
             "the " + SizeOf(t) + " detailed timing's image size " +
                 ImageOf(imageWidth, imageHeight) +
                 " (bytes 12 to 14) leaves out a size that the screen size (bytes 21 and 22) "
                 "gives");
    } else if (dw >= kImageSizeSlackMm || dh >= kImageSizeSlackMm ||
               (dw <= -kImageSizeSlackMm && dh <= -kImageSizeSlackMm)) {
        Fail(sink, DiagnosticCode::ImageSizeMismatch, 12,
             "the " + SizeOf(t) + " detailed timing's image size " +
                 ImageOf(imageWidth, imageHeight) +
                 " (bytes 12 to 14) is far from the screen size " + ImageOf(width, height));
    }
}

// An image of square pixels has the aspect ratio of its pixels: one size
// follows from the other within a centimetre.
void CheckImageShape(const TimingInfo& t, const DiagnosticSink& sink) {
    const uint32_t w = t.imageWidthMm.value_or(0);
    const uint32_t h = t.imageHeightMm.value_or(0);
    if (w == 0 || h == 0) {
        return;
    }
    if (w < kSmallestImageMm || h < kSmallestImageMm) {
        Warn(sink, DiagnosticCode::ImageSizeDubious, 12,
             "the " + SizeOf(t) + " detailed timing's image size " + ImageOf(w, h) +
                 " (bytes 12 to 14) is under 100 mm in a direction");
        return;
    }
    // No ratio without pixels both ways.
    if (t.width == 0 || t.height == 0) {
        return;
    }
    const uint32_t d = std::gcd(t.width, t.height);
    const uint32_t across = t.width / d;
    const uint32_t down = t.height / d;
    // The height the width gives, and the width the height gives; the size
    // further off the image's own is the one to name.
    const uint32_t height = w * down / across;
    const uint32_t width = h * across / down;
    const auto off = [](uint32_t a, uint32_t b) {
        return a + kImageSizeSlackMm < b || b + kImageSizeSlackMm < a;
    };
    const bool byHeight = height > h + kImageSizeSlackMm && width < w + kImageSizeSlackMm;
    if (byHeight ? off(width, w) : off(height, h)) {
        Warn(sink, DiagnosticCode::ImageSizeAspectMismatch, 12,
             "the " + SizeOf(t) + " detailed timing's image size " + ImageOf(w, h) +
                 " (bytes 12 to 14) is out of proportion with its pixels (" + to_string(across) +
                 ":" + to_string(down) + "), which would make it " +
                 (byHeight ? ImageOf(width, h) : ImageOf(w, height)));
    }
}

} // namespace

bool DisplayDescriptorBefore(Walk& walk, const DiagnosticSink& sink, bool display) {
    BaseCheckState& state = walk.base;
    if (state.descriptorBlock != sink.block) {
        state.descriptorBlock = sink.block;
        state.displayDescriptorSeen = false;
    }
    const bool before = state.displayDescriptorSeen;
    state.displayDescriptorSeen |= display;
    return before;
}

void CheckDetailedTiming(Descriptor d, const DetailedTiming& stored, const TimingInfo& timing,
                         const DiagnosticSink& sink, Walk& walk) {
    if (!Checking(sink)) {
        return;
    }
    CheckShowable(d, stored, timing, sink);
    if (DisplayDescriptorBefore(walk, sink, false)) {
        Fail(sink, DiagnosticCode::DetailedTimingOrder, 0,
             "the " + SizeOf(timing) +
                 " detailed timing comes after a display descriptor of its block, but detailed "
                 "timings come first");
    }
    if (stored.pixelClockKHz < kMinPixelClockKHz) {
        return;
    }
    CheckAgainstScreen(timing, sink, walk.info);
    CheckImageShape(timing, sink);
    if (stored.hBorder != 0 || stored.vBorder != 0) {
        Warn(sink, DiagnosticCode::DetailedTimingBorders, 15,
             "the " + SizeOf(timing) + " detailed timing has borders of " +
                 to_string(stored.hBorder) + " pixels and " + to_string(stored.vBorder) +
                 " lines (bytes 15 and 16), which sources and sinks count in the blanking or "
                 "not as they please");
    }
}

} // namespace moniquet
