#include "ui/main_dialog.h"

#include "inventory/monitor_list.h"
#include "inventory/scan_monitors.h"
#include "moniquet/report.h"
#include "res/resource.h"
#include "strings/localized_strings.h"
#include "ui/about_dialog.h"
#include "ui/display_text.h"
#include "ui/dpi_scaling.h"
#include "ui/export_actions.h"
#include "ui/win_main.h"
#include "ui/win_text.h"

#include <cstdint>

namespace moniquet {

namespace {

constexpr uint16_t kFrench = 1036;
constexpr uint16_t kEnglish = 1033;

// Delivers a control's command to the dialog as if the control had sent it;
// the handler runs before this returns.
void SendCommandToSelf(HWND window, int controlId, WORD notification) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(controlId, notification),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, controlId)));
}

void ShowActiveState(HWND window, const MonitorRecord& record) {
    SetDlgItemText16(window, IDC_ACTIVE_STATE,
                     LoadLocalizedString(record.summary.active ? IDS_ACTIVE : IDS_NOT_ACTIVE));
}

void SetIcons(HWND window) {
    HICON icon = LoadIconW(g_instance, MAKEINTRESOURCEW(IDI_APP));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void FillLanguageList(HWND window) {
    HWND list = GetDlgItem(window, IDC_LANGUAGE_COMBO);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    LRESULT french =
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Fran\u00e7ais"));
    SendMessageW(list, CB_SETITEMDATA, french, kFrench);
    LRESULT english = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"English"));
    SendMessageW(list, CB_SETITEMDATA, english, kEnglish);
    SendMessageW(list, CB_SETCURSEL, french, 0);
}

void InitDialog(HWND window) {
    SetIcons(window);
    const UINT dpi = WindowDpi(window);
    SetReportFont(window, dpi);
    ScaleBanner(window, dpi);
    FillLanguageList(window);
    SendCommandToSelf(window, IDC_LANGUAGE_COMBO, CBN_SELCHANGE);
    SendCommandToSelf(window, IDC_REFRESH, 0);
}

void ShowSelectedMonitor(HWND window) {
    LRESULT position = SendDlgItemMessageW(window, IDC_MONITOR_COMBO, CB_GETCURSEL, 0, 0);
    if (position < 0 || static_cast<size_t>(position) >= g_monitors.size()) {
        return;
    }
    g_selectedMonitor = static_cast<int32_t>(
        SendDlgItemMessageW(window, IDC_MONITOR_COMBO, CB_GETITEMDATA, position, 0));
    // Item data is writable from outside the program; never index with it
    // unchecked.
    if (!HasSelectedMonitor()) {
        return;
    }
    const MonitorRecord& record = g_monitors[static_cast<size_t>(g_selectedMonitor)];
    const std::u16string report = FormatMonitorReport(record.summary);
    ShowActiveState(window, record);
    SetDlgItemText16(window, IDC_REPORT_EDIT, MakeDisplayText(report));
}

// An empty scan leaves the report box and the state label as they were.
void Refresh(HWND window) {
    RefreshMonitorList(ScanMonitors);
    HWND list = GetDlgItem(window, IDC_MONITOR_COMBO);
    // The list is redrawn once, when filled, not once per monitor.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    g_selectedMonitor = -1;
    LRESULT toSelect = -1;
    for (size_t i = 0; i < g_monitors.size(); ++i) {
        const std::wstring label = ToWide(FormatMonitorLabel(g_monitors[i].summary.vendor));
        LRESULT position =
            SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
        SendMessageW(list, CB_SETITEMDATA, position, static_cast<LPARAM>(i));
        if (i == 0) {
            g_selectedMonitor = 0;
            toSelect = position;
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    SendMessageW(list, CB_SETCURSEL, toSelect, 0);
    SendCommandToSelf(window, IDC_MONITOR_COMBO, CBN_SELCHANGE);
}

void ChangeLanguage(HWND window) {
    HWND list = GetDlgItem(window, IDC_LANGUAGE_COMBO);
    LRESULT position = SendMessageW(list, CB_GETCURSEL, 0, 0);
    LRESULT language = SendMessageW(list, CB_GETITEMDATA, position, 0);
    g_languageId = static_cast<uint16_t>(language & 0xFFFF);
    ApplyLanguage(window);
}

// Every command but Close and Esc leaves the dialog open and reports the
// message as not handled.
INT_PTR OnCommand(HWND window, WORD id, WORD notification) {
    switch (id) {
    case IDOK:
    case IDCANCEL:
        EndDialog(window, id);
        return TRUE;
    case IDC_MONITOR_COMBO:
        if (notification == CBN_SELCHANGE) {
            ShowSelectedMonitor(window);
        }
        break;
    case IDC_REFRESH:
        Refresh(window);
        break;
    case IDC_COPY:
        CopyReport(window);
        break;
    case IDC_SAVE:
        SaveRawBlock(window);
        break;
    case IDC_LANGUAGE_COMBO:
        if (notification == CBN_SELCHANGE) {
            ChangeLanguage(window);
        }
        break;
    case IDC_ABOUT:
        ShowAboutBox(window);
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

int32_t g_selectedMonitor = -1;

bool HasSelectedMonitor() {
    return g_selectedMonitor >= 0 && static_cast<size_t>(g_selectedMonitor) < g_monitors.size();
}

void ApplyLanguage(HWND window) {
    SetWindowText16(window, LoadLocalizedString(IDS_APP_TITLE));
    SetDlgItemText16(window, IDC_LANGUAGE_LABEL, LoadLocalizedString(IDS_LANGUAGE));
    SetDlgItemText16(window, IDC_ABOUT, LoadLocalizedString(IDS_ABOUT_BUTTON));
    SetDlgItemText16(window, IDC_MONITORS_LABEL, LoadLocalizedString(IDS_MONITORS));
    SetDlgItemText16(window, IDC_ACTIVE_STATE, u"");
    SetDlgItemText16(window, IDC_REFRESH, LoadLocalizedString(IDS_REFRESH));
    SetDlgItemText16(window, IDC_COPY, LoadLocalizedString(IDS_COPY));
    SetDlgItemText16(window, IDC_SAVE, LoadLocalizedString(IDS_SAVE));
    SetDlgItemText16(window, IDOK, LoadLocalizedString(IDS_CLOSE));
    if (HasSelectedMonitor()) {
        ShowActiveState(window, g_monitors[static_cast<size_t>(g_selectedMonitor)]);
    }
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        InitDialog(window);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(window, LOWORD(wParam), HIWORD(wParam));
    case WM_DPICHANGED:
        // The dialog manager moves and resizes the dialog and its controls
        // itself; what the dialog drew for the old resolution follows.
        SetReportFont(window, LOWORD(wParam));
        ScaleBanner(window, LOWORD(wParam));
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace moniquet
