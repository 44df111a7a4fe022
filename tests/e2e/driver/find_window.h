// Finding the program's windows and controls from another process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Visible top-level window whose caption is exactly `caption`, or null.
HWND FindTopLevel(const std::wstring& caption);

// Visible top-level window of process `processId` captioned exactly
// `caption`, found without sending the program a message; or null.
HWND FindTopLevelOfProcess(DWORD processId, const std::wstring& caption);

// Polls FindTopLevel until it succeeds or `timeoutMs` has passed.
HWND WaitForTopLevel(const std::wstring& caption, DWORD timeoutMs);

// True once no visible top-level window has that caption, within `timeoutMs`.
bool WaitUntilGone(const std::wstring& caption, DWORD timeoutMs);

// Visible top-level windows of the process that owns `window`, in z-order.
std::vector<HWND> TopLevelWindowsOfProcess(HWND window);

// Direct children of `parent`, in z-order (for a dialog: template order).
std::vector<HWND> ChildControls(HWND parent);

// The control of `parent` with this id; for a repeated id (-1) the first one.
HWND FindControl(HWND parent, int id);

// Full text of a window or control, however long, read across processes.
std::wstring ReadWindowText(HWND window);

// Window class name.
std::wstring ReadClassName(HWND window);
