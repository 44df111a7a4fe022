// Reading the driver's command-line arguments.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// How long a command waits for the window it names before giving up: the
// program under test may still be starting when the test asks. The
// environment variable E2E_WAIT_MS overrides the default of 10 s, e.g. for a
// test that polls and wants each attempt short.
DWORD DefaultWaitMs();

// A decimal integer, possibly negative, with nothing after it.
std::optional<long> ParseNumber(const std::wstring& text);

// The window with this caption, waited for up to DefaultWaitMs(); complains on
// standard error and returns null when it never shows.
HWND RequireWindow(const std::wstring& caption);

// The control `idText` of `window`; complains and returns null when absent.
HWND RequireControl(HWND window, const std::wstring& idText);
