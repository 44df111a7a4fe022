#include "edid/report.h"

#include <algorithm>

namespace {

// Four upper-case hexadecimal digits, zero-filled; the product code never
// needs more.
void AppendProductCode(std::u16string& out, uint32_t code) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    char16_t digits[8];
    int count = 0;
    do {
        digits[count++] = kDigits[code & 0xF];
        code >>= 4;
    } while (code != 0);
    for (int i = count; i < 4; ++i) {
        out.push_back(u'0');
    }
    while (count > 0) {
        out.push_back(digits[--count]);
    }
}

void AppendUnsigned(std::u16string& out, uint32_t value) {
    char16_t digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) {
        out.push_back(digits[--count]);
    }
}

void AppendSigned(std::u16string& out, int32_t value) {
    if (value < 0) {
        out.push_back(u'-');
        // Negate in unsigned arithmetic so that INT32_MIN stays defined.
        AppendUnsigned(out, 0u - static_cast<uint32_t>(value));
        return;
    }
    AppendUnsigned(out, static_cast<uint32_t>(value));
}

} // namespace

std::u16string FormatMonitorLabel(const VendorId& vendor) {
    std::u16string label = vendor.manufacturer;
    AppendProductCode(label, vendor.productCode);
    return label;
}

std::u16string FormatVendorSection(const VendorId& vendor) {
    std::u16string out = u"MONITEUR\r\nFabricant    : ";
    out += vendor.manufacturer;
    out += u"\r\nCode produit : ";
    AppendProductCode(out, vendor.productCode);
    out += u"\r\n";
    return out;
}

std::u16string FormatDescriptorLine(const DescriptorText& descriptor) {
    std::u16string out;
    switch (descriptor.kind) {
    case DescriptorKind::ProductName:
        out = u"R\u00E9f\u00E9rence PN : ";
        break;
    case DescriptorKind::DataString:
        out = u"R\u00E9f\u00E9rence DS : ";
        break;
    default:
        return out;
    }
    out += descriptor.text;
    out += u"\r\n";
    return out;
}

std::u16string FormatTimingSection(const DetailedTiming& timing, int32_t number) {
    std::u16string out = u"TIMING ";
    AppendSigned(out, number);
    out += u"\r\nHorz Addressable Video   : ";
    AppendUnsigned(out, timing.hAddressable);
    out += u" pixel(s)\r\nVert Addressable Video   : ";
    AppendUnsigned(out, timing.vAddressable);
    out += u" line(s)\r\nHorz Image Size          : ";
    AppendUnsigned(out, timing.hImageSizeMm);
    out += u" mm\r\nVert Image Size          : ";
    AppendUnsigned(out, timing.vImageSizeMm);
    out += u" mm\r\n\r\n";
    return out;
}

std::u16string FormatMonitorReport(const EdidSummary& summary) {
    std::u16string report = FormatVendorSection(summary.vendor);
    const uint32_t descriptors =
        std::min<uint32_t>(summary.descriptorCount, static_cast<uint32_t>(kDescriptorSlots));
    for (uint32_t i = 0; i < descriptors; ++i) {
        report += FormatDescriptorLine(summary.descriptors[i]);
    }
    const uint32_t timings =
        std::min<uint32_t>(summary.timingCount, static_cast<uint32_t>(kTimingSlots));
    for (uint32_t i = 0; i < timings; ++i) {
        report += FormatTimingSection(summary.timings[i], static_cast<int32_t>(i + 1));
    }
    return report;
}
