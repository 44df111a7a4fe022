#include "ui/dpi_scaling.h"

#include "res/resource.h"
#include "ui/win_main.h"

namespace moniquet {

namespace {

constexpr UINT kDesignDpi = 96;

HFONT g_reportFont = nullptr;
HBITMAP g_scaledBanner = nullptr;

// Fixed pitch is asked for as well as the face, so that a system without
// "Courier New" still gives a monospace font and the report's columns line
// up.
HFONT CreateReportFontOfSize(int height, int width) {
    return CreateFontW(height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, L"Courier New");
}

// The font at 96 DPI asks for width 8 and lets the font mapper choose the
// height; at another resolution the cell it got there is scaled as a whole.
HFONT CreateReportFont(UINT dpi) {
    HFONT font = CreateReportFontOfSize(0, 8);
    if (dpi == kDesignDpi || font == nullptr) {
        return font;
    }
    TEXTMETRICW metrics{};
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    const BOOL measured = GetTextMetricsW(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    if (!measured) {
        return font;
    }
    DeleteObject(font);
    return CreateReportFontOfSize(MulDiv(metrics.tmHeight, static_cast<int>(dpi), kDesignDpi),
                                  MulDiv(8, static_cast<int>(dpi), kDesignDpi));
}

// The banner's holder: the first control of the template, a static picture.
HWND BannerHolder(HWND dialog) {
    HWND first = GetWindow(dialog, GW_CHILD);
    const LONG style = first ? GetWindowLongW(first, GWL_STYLE) : 0;
    return (style & SS_TYPEMASK) == SS_BITMAP ? first : nullptr;
}

HBITMAP ScaledCopy(HBITMAP picture, int width, int height) {
    BITMAP size{};
    GetObjectW(picture, sizeof(size), &size);
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP scaled = CreateCompatibleBitmap(screen, width, height);
    if (from != nullptr && to != nullptr && scaled != nullptr) {
        HGDIOBJ oldFrom = SelectObject(from, picture);
        HGDIOBJ oldTo = SelectObject(to, scaled);
        SetStretchBltMode(to, HALFTONE);
        SetBrushOrgEx(to, 0, 0, nullptr);
        StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
    }
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return scaled;
}

} // namespace

UINT WindowDpi(HWND window) {
    // Looked up, not imported: Windows before 10 (version 1607) lacks it.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow != nullptr) {
        if (const UINT dpi = dpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

void SetReportFont(HWND dialog, UINT dpi) {
    HWND report = GetDlgItem(dialog, IDC_REPORT_EDIT);
    if (g_reportFont == nullptr) {
        // On a change of resolution the dialog manager would otherwise give
        // the box the dialog's own font, scaled, in place of this one.
        using ControlDpiChangeBehavior = BOOL(WINAPI*)(HWND, DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS,
                                                       DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS);
        const auto keepFont =
            reinterpret_cast<ControlDpiChangeBehavior>(reinterpret_cast<void (*)()>(GetProcAddress(
                GetModuleHandleW(L"user32.dll"), "SetDialogControlDpiChangeBehavior")));
        if (keepFont != nullptr) {
            keepFont(report, DCDC_DISABLE_FONT_UPDATE, DCDC_DISABLE_FONT_UPDATE);
        }
    }
    HFONT font = CreateReportFont(dpi);
    // Hidden, during initialisation, the box has nothing to redraw.
    SendMessageW(report, WM_SETFONT, reinterpret_cast<WPARAM>(font), IsWindowVisible(dialog));
    if (g_reportFont != nullptr) {
        DeleteObject(g_reportFont);
    }
    g_reportFont = font;
}

void ScaleBanner(HWND dialog, UINT dpi) {
    // At 96 DPI the template's own picture stays until a change of
    // resolution replaces it; a second copy of it is not even loaded, which
    // at start-up would cost as much as the rest of the banner's handling.
    if (dpi == kDesignDpi && g_scaledBanner == nullptr) {
        return;
    }
    static const auto picture = static_cast<HBITMAP>(
        LoadImageW(g_instance, MAKEINTRESOURCEW(IDB_BANNER), IMAGE_BITMAP, 0, 0, 0));
    HWND holder = BannerHolder(dialog);
    if (holder == nullptr || picture == nullptr) {
        return;
    }
    HBITMAP shown = picture;
    if (dpi != kDesignDpi) {
        BITMAP size{};
        GetObjectW(picture, sizeof(size), &size);
        shown = ScaledCopy(picture, MulDiv(size.bmWidth, static_cast<int>(dpi), kDesignDpi),
                           MulDiv(size.bmHeight, static_cast<int>(dpi), kDesignDpi));
    }
    if (shown == nullptr) {
        return;
    }
    SendMessageW(holder, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
    if (g_scaledBanner != nullptr) {
        DeleteObject(g_scaledBanner);
    }
    g_scaledBanner = shown == picture ? nullptr : shown;
}

} // namespace moniquet
