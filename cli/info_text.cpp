#include "cli/info_text.h"

#include "cli/info_json.h"
#include "cli/json_writer.h"
#include "cli/utf8.h"

#include <initializer_list>
#include <optional>

namespace {

constexpr std::size_t kKeyWidth = 16;
constexpr int kDecimals = 3;
constexpr int kClockDecimals = 2;
constexpr std::string_view kNothing = "-";

// The parts one after the other. (Adding a literal to a temporary string
// inserts at its front, which g++ 12 warns about without cause.)
std::string Concat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        text += part;
    }
    return text;
}

void Heading(std::string& out, std::string_view title) {
    out += title;
    out += '\n';
}

void Line(std::string& out, std::string_view key, std::string_view value) {
    out += "  ";
    out += key;
    out.append(key.size() < kKeyWidth ? kKeyWidth - key.size() : 0, ' ');
    out += " : ";
    out += value;
    out += '\n';
}

std::string Number(uint64_t value) {
    std::string text;
    AppendUnsigned(text, value);
    return text;
}

std::string Number(const std::optional<uint32_t>& value) {
    return value ? Number(*value) : std::string(kNothing);
}

std::string Fixed(const std::optional<double>& value, int decimals, std::string_view unit) {
    if (!value) {
        return std::string(kNothing);
    }
    std::string text;
    AppendFixed(text, *value, decimals);
    return text += unit;
}

std::string Text(const std::optional<std::u16string>& value) {
    if (!value) {
        return std::string(kNothing);
    }
    std::u16string shown;
    for (const char16_t c : *value) {
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            static constexpr char16_t kHex[] = u"0123456789ABCDEF";
            shown += {u'\\', u'x', kHex[c >> 4], kHex[c & 0xF]};
        } else {
            shown += c;
            shown += c == u'\\' ? u"\\" : u"";
        }
    }
    return ToUtf8(shown);
}

// `word` after `separator`, unless `out` is empty.
void AppendWord(std::string& out, std::string_view word, std::string_view separator = " ") {
    if (!out.empty()) {
        out += separator;
    }
    out += word;
}

void WriteIdentity(std::string& out, const EdidInfo& info) {
    Heading(out, "Identity");
    std::string maker = Text(info.manufacturerId);
    if (info.manufacturerName) {
        maker += Concat({" (", Text(info.manufacturerName), ")"});
    }
    Line(out, "Manufacturer", maker);
    std::string code = Number(info.productCode);
    if (info.productCode) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        code += " (0x";
        for (int shift = 12; shift >= 0; shift -= 4) {
            code += kHex[*info.productCode >> shift & 0xF];
        }
        code += ')';
    }
    Line(out, "Product code", code);
    Line(out, "Serial number", Number(info.serialNumber));
    Line(out, "Serial string", Text(info.serialString));
    Line(out, "Product name", Text(info.productName));
    for (const std::u16string& text : info.dataStrings) {
        Line(out, "Data string", Text(text));
    }
    if (info.dataStrings.empty()) {
        Line(out, "Data string", kNothing);
    }
    std::string made(kNothing);
    if (info.manufactureYear) {
        made = info.manufactureWeek ? Concat({"week ", Number(info.manufactureWeek), " of "}) : "";
        made += Number(info.manufactureYear);
    }
    Line(out, "Manufactured", made);
    Line(out, "Model year", Number(info.modelYear));
}

void WriteValidity(std::string& out, const EdidInfo& info) {
    Heading(out, "Validity");
    Line(out, "Size", Concat({Number(info.sizeBytes), " bytes"}));
    Line(out, "Header", info.headerValid ? "valid" : "not valid");
    Line(out, "EDID version",
         info.version ? Concat({Number(info.version), ".", Number(info.revision)}) : kNothing);
    Line(out, "Truncated", info.truncated ? "yes" : "no");
    std::string wrong;
    for (const BlockInfo& block : info.blocks) {
        if (!block.checksumValid) {
            AppendWord(wrong, Number(block.index), ", ");
        }
    }
    Line(out, "Checksums",
         info.blocks.empty() ? std::string(kNothing)
         : wrong.empty()     ? "valid"
                             : Concat({"wrong in block ", wrong}));
}

void WriteDisplay(std::string& out, const EdidInfo& info) {
    Heading(out, "Display");
    Line(out, "Input", info.digital ? (*info.digital ? "digital" : "analog") : kNothing);
    const auto& size = info.screenSizeCm;
    Line(out, "Screen size",
         size ? Concat({Number(size->width), " x ", Number(size->height), " cm"}) : kNothing);
    std::string limits(kNothing);
    if (const auto& r = info.rangeLimits) {
        limits = Concat({Number(r->minVHz), "-", Number(r->maxVHz), " Hz V, ", Number(r->minHKHz),
                         "-", Number(r->maxHKHz), " kHz H"});
        if (r->maxPixelClockMHz) {
            limits += Concat({", max ", Number(r->maxPixelClockMHz), " MHz"});
        }
    }
    Line(out, "Range limits", limits);
}

void WriteTimings(std::string& out, const EdidInfo& info) {
    Heading(out, "Timings");
    if (info.detailedTimings.empty()) {
        Line(out, "Timing", kNothing);
    }
    uint64_t number = 0;
    for (const TimingInfo& t : info.detailedTimings) {
        Line(out, Concat({"Timing ", Number(++number)}),
             Concat({Number(t.width), "x", Number(t.height), t.interlaced ? "i" : "", ", ",
                     Fixed(t.refreshHz, kDecimals, " Hz"), ", ",
                     Fixed(t.pixelClockKHz / 1000.0, kClockDecimals, " MHz"), ", ",
                     Number(t.imageWidthMm), " x ", Number(t.imageHeightMm), " mm, block ",
                     Number(t.block)}));
    }
}

void WriteCta(std::string& out, const CtaInfo& cta) {
    std::string vics;
    for (const uint32_t vic : cta.vics) {
        AppendWord(vics, Number(vic));
    }
    Line(out, "VICs", vics.empty() ? std::string(kNothing) : vics);
    if (!cta.hdr) {
        Line(out, "HDR", kNothing);
        return;
    }
    std::string eotfs;
    for (const std::string_view name : EotfNames(cta.hdr->eotfs.value_or(0))) {
        AppendWord(eotfs, name);
    }
    Line(out, "HDR EOTFs",
         !cta.hdr->eotfs ? std::string(kNothing)
         : eotfs.empty() ? "none"
                         : eotfs);
    Line(out, "HDR max", Fixed(cta.hdr->maxLuminance, kDecimals, " cd/m2"));
    Line(out, "HDR frame avg", Fixed(cta.hdr->maxFrameAverageLuminance, kDecimals, " cd/m2"));
    Line(out, "HDR min", Fixed(cta.hdr->minLuminance, kDecimals, " cd/m2"));
}

void WriteExtensions(std::string& out, const EdidInfo& info) {
    Heading(out, "Extensions");
    Line(out, "Extension count", Number(info.extensionCount));
    for (const BlockInfo& block : info.blocks) {
        if (block.index != 0) {
            Line(out, Concat({"Block ", Number(block.index)}), BlockTypeName(block.type));
        }
    }
    if (info.cta) {
        WriteCta(out, *info.cta);
    }
}

} // namespace

std::string FormatInfoText(const EdidInfo& info) {
    std::string out;
    out.reserve(2048);
    WriteIdentity(out, info);
    WriteValidity(out, info);
    WriteDisplay(out, info);
    WriteTimings(out, info);
    WriteExtensions(out, info);
    return out;
}
