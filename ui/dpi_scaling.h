// What the dialog draws itself at the screen's resolution: the report's
// font and the banner. The dialog manager scales the layout and the dialog's
// own font; these two it leaves at their 96-DPI size.
#pragma once

#include <windows.h>

namespace moniquet {

// Dots per inch of the monitor that shows `window` (of the system on a
// Windows without per-monitor resolution).
UINT WindowDpi(HWND window);

// Gives the report box its fixed-pitch font at `dpi`, the same point size as
// at 96 DPI, and deletes the one it replaces.
void SetReportFont(HWND dialog, UINT dpi);

// Shows the banner at `dpi`: the picture, drawn for 96 DPI, is scaled by
// dpi / 96 with smoothing, and shown as it is at 96 DPI.
void ScaleBanner(HWND dialog, UINT dpi);

} // namespace moniquet
