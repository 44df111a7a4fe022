// Conversion of the program's UTF-16 text at the Win32 boundary. On Windows
// wchar_t is a UTF-16 code unit, so the conversion copies code units as they
// are.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace moniquet {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 text is UTF-16");

inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

inline void SetWindowText16(HWND window, std::u16string_view text) {
    SetWindowTextW(window, ToWide(text).c_str());
}

inline void SetDlgItemText16(HWND dialog, int controlId, std::u16string_view text) {
    SetWindowText16(GetDlgItem(dialog, controlId), text);
}

} // namespace moniquet
