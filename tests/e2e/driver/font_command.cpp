#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/output.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

uint16_t BigEndian16(const std::vector<uint8_t>& data, size_t at) {
    return at + 2 <= data.size() ? static_cast<uint16_t>(data[at] << 8 | data[at + 1]) : 0;
}

// The family name (name id 1, Windows platform) from the font file's own
// "name" table. A replaced face reports the requested name everywhere else,
// so only the file tells which font really draws.
std::wstring FamilyFromFile(HDC dc) {
    constexpr DWORD kNameTable = 0x656d616e; // "name", as GetFontData wants it
    DWORD size = GetFontData(dc, kNameTable, 0, nullptr, 0);
    if (size == GDI_ERROR || size < 6) {
        return {};
    }
    std::vector<uint8_t> table(size);
    if (GetFontData(dc, kNameTable, 0, table.data(), size) != size) {
        return {};
    }
    uint16_t count = BigEndian16(table, 2);
    size_t strings = BigEndian16(table, 4);
    for (size_t record = 6; record + 12 <= table.size() && count > 0; record += 12, --count) {
        bool windowsUnicode =
            BigEndian16(table, record) == 3 && BigEndian16(table, record + 2) == 1;
        if (!windowsUnicode || BigEndian16(table, record + 6) != 1) {
            continue;
        }
        size_t length = BigEndian16(table, record + 8);
        size_t start = strings + BigEndian16(table, record + 10);
        std::wstring family;
        for (size_t at = start; at + 1 < start + length && at + 1 < table.size(); at += 2) {
            family += static_cast<wchar_t>(BigEndian16(table, at));
        }
        return family;
    }
    return {};
}

} // namespace

// Which font GDI really uses for a requested face, and whether it is fixed
// pitch: shows whether the prefix's font replacements and fonts are in place.
// Prints "<face GDI reports>\t<family of the font file>\tfixed|variable".
int FontCommand(const DriverArgs& args) {
    if (args.size() != 1) {
        return kUsage;
    }
    // The same request as the report box's font, apart from the face.
    HFONT font = CreateFontW(0, 8, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, args[0].c_str());
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(screen, LF_FACESIZE, face);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    std::wstring family = FamilyFromFile(screen);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    // TMPF_FIXED_PITCH set means the opposite: a variable-pitch font.
    bool fixed = (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
    Print(std::wstring(face) + L"\t" + family + L"\t" + (fixed ? L"fixed" : L"variable") + L"\n");
    return kDone;
}
