#include "moniquet/report.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace moniquet {

namespace {

using namespace std::string_view_literals;

// Four upper-case hexadecimal digits, zero-filled; the product code never
// needs more.
void AppendProductCode(std::u16string& out, uint32_t code) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    char16_t digits[8];
    std::size_t first = std::size(digits);
    do {
        digits[--first] = kDigits[code & 0xF];
        code >>= 4;
    } while (code != 0 || first > std::size(digits) - 4);
    out.append(digits + first, std::size(digits) - first);
}

void AppendUnsigned(std::u16string& out, uint32_t value) {
    char16_t digits[10];
    std::size_t first = std::size(digits);
    do {
        digits[--first] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    out.append(digits + first, std::size(digits) - first);
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

// Each section is appended to the caller's string, so that the whole report
// grows in one buffer; the public per-section functions wrap these.
void AppendVendorSection(std::u16string& out, const VendorId& vendor) {
    out += u"MONITEUR\r\nFabricant    : "sv;
    out += vendor.manufacturer;
    out += u"\r\nCode produit : "sv;
    AppendProductCode(out, vendor.productCode);
    out += u"\r\n"sv;
}

void AppendDescriptorLine(std::u16string& out, const DescriptorText& descriptor) {
    switch (descriptor.kind) {
    case DescriptorKind::ProductName:
        out += u"R\u00E9f\u00E9rence PN : "sv;
        break;
    case DescriptorKind::DataString:
        out += u"R\u00E9f\u00E9rence DS : "sv;
        break;
    default:
        return;
    }
    out += descriptor.text;
    out += u"\r\n"sv;
}

void AppendTimingSection(std::u16string& out, const DetailedTiming& timing, int32_t number) {
    out += u"TIMING "sv;
    AppendSigned(out, number);
    out += u"\r\nHorz Addressable Video   : "sv;
    AppendUnsigned(out, timing.hAddressable);
    out += u" pixel(s)\r\nVert Addressable Video   : "sv;
    AppendUnsigned(out, timing.vAddressable);
    out += u" line(s)\r\nHorz Image Size          : "sv;
    AppendUnsigned(out, timing.hImageSizeMm);
    out += u" mm\r\nVert Image Size          : "sv;
    AppendUnsigned(out, timing.vImageSizeMm);
    out += u" mm\r\n\r\n"sv;
}

// Room for a whole report without growing: the vendor section with a long
// manufacturer, three descriptor lines with their texts and four timing
// sections with numbers of ten digits.
constexpr std::size_t kReportReserve = 64 + 3 * 32 + 4 * 200;

} // namespace

std::u16string FormatMonitorLabel(const VendorId& vendor) {
    std::u16string label = vendor.manufacturer;
    AppendProductCode(label, vendor.productCode);
    return label;
}

std::u16string FormatVendorSection(const VendorId& vendor) {
    std::u16string out;
    AppendVendorSection(out, vendor);
    return out;
}

std::u16string FormatDescriptorLine(const DescriptorText& descriptor) {
    std::u16string out;
    AppendDescriptorLine(out, descriptor);
    return out;
}

std::u16string FormatTimingSection(const DetailedTiming& timing, int32_t number) {
    std::u16string out;
    AppendTimingSection(out, timing, number);
    return out;
}

std::u16string FormatMonitorReport(const EdidSummary& summary) {
    std::u16string report;
    report.reserve(kReportReserve);
    AppendVendorSection(report, summary.vendor);
    const uint32_t descriptors =
        std::min<uint32_t>(summary.descriptorCount, static_cast<uint32_t>(kDescriptorSlots));
    for (uint32_t i = 0; i < descriptors; ++i) {
        AppendDescriptorLine(report, summary.descriptors[i]);
    }
    const uint32_t timings =
        std::min<uint32_t>(summary.timingCount, static_cast<uint32_t>(kTimingSlots));
    for (uint32_t i = 0; i < timings; ++i) {
        AppendTimingSection(report, summary.timings[i], static_cast<int32_t>(i + 1));
    }
    return report;
}

} // namespace moniquet
