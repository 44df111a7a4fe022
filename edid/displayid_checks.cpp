// The rules of DisplayID sections, and what every data block answers to
// (its tag's version, its revision byte, its vendor ID), as the decoder
// reads them; each kind's own rules are in displayid_field_checks.cpp and
// displayid_timing_checks.cpp.
#include "edid/displayid_checks.h"
#include "edid/edid_layout.h"

#include "edid/bits.h"
#include "edid/displayid_check_words.h"
#include "edid/displayid_names.h"
#include "moniquet/cta_names.h"

#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;
using std::to_string;

// The section's length byte: an EDID block holds at most 121 bytes of it.
constexpr std::size_t kMaxSectionLength = 121;
constexpr uint32_t kVesaOui = 0x3A0292;
// Tags of another DisplayID data block kind than their own.
constexpr uint8_t kTagArvrHmd = 0x2C;
constexpr uint8_t kTagArvrLayer = 0x2D;
constexpr uint8_t kTagBrightness = 0x2E;

std::string Version(uint32_t version) {
    return to_string(version >> 4) + "." + to_string(version & 0xF);
}

uint32_t BigEndian24(Bytes p) {
    return static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
}

uint32_t Reversed(uint32_t oui) {
    return (oui & 0xFF) << 16 | (oui & 0xFF00) | oui >> 16;
}

bool Known(uint32_t oui) {
    return VendorName(oui).has_value();
}

// The revision a kind of data block has, and the bits besides bits 2 to 0
// of its revision byte that it defines; empty for kinds that define none.
struct RevisionRule {
    uint8_t revision = 0;
    uint8_t flags = 0;
};

std::optional<RevisionRule> RevisionRuleOf(uint8_t tag, uint8_t revisionByte, bool vesa) {
    const uint8_t revision = revisionByte & 7;
    switch (tag) {
    case kDidType1:
    case kDidType3:
        // Revisions 0 and 1 both exist.
        return RevisionRule{static_cast<uint8_t>(revision & 1), 0};
    case 0x02:
        // Bit 7: CIE 1976; bits 6 to 3: the transfer characteristics' ID.
        return RevisionRule{1, 0xF8};
    case kDidType4:
        // Bits 7 and 6: the table the codes name.
        return RevisionRule{1, 0xC0};
    case 0x0E:
        // Bits 7 to 4: the block's identifier.
        return RevisionRule{1, 0xF0};
    case 0x10:
    case 0x27:
        // Bits 7 and 6: which timings the stereo formats apply to.
        return RevisionRule{1, 0xC0};
    case kDidParameters2:
        // Bit 7: the image size in whole mm.
        return RevisionRule{static_cast<uint8_t>(revision >= 1 ? 1 : 0), 0x80};
    case kDidType7:
        // Bit 3: DSC pass-through, from revision 1 on.
        return revision >= 2   ? RevisionRule{2, 0x08}
               : revision == 1 ? RevisionRule{1, 0x08}
                               : RevisionRule{0, 0};
    case kDidType8:
        // Bits 7 and 6: the code table; bit 3: two-byte codes; bit 5, from
        // revision 1 on: YCbCr 4:2:0.
        return revision >= 1 ? RevisionRule{1, 0xE8} : RevisionRule{0, 0xC8};
    case 0x25:
        return RevisionRule{static_cast<uint8_t>(revision == 1 ? 1 : 0), 0};
    case kDidType10:
    case kDidAdaptiveSync:
        // Bits 6 to 4: bytes added to each descriptor.
        return RevisionRule{0, 0x70};
    case kDidVendor2:
        return vesa ? std::optional(RevisionRule{0, 0}) : std::nullopt;
    case kDidVendor:
        return std::nullopt;
    default:
        if (tag <= 0x13 || (tag >= 0x20 && tag <= 0x2E) || tag == kDidCta) {
            return RevisionRule{0, 0};
        }
        return std::nullopt;
    }
}

void CheckRevision(const DisplayIdDataBlock& b, bool vesa, const DiagnosticSink& sink) {
    const std::optional<RevisionRule> rule = RevisionRuleOf(b.tag, b.revision, vesa);
    if (!rule) {
        return;
    }
    const uint32_t revision = b.revision & 7;
    if (revision != rule->revision) {
        Warn(sink, DiagnosticCode::DisplayIdBlockRevisionUnknown, 1,
             DidBlockLabel(b.tag) + ": bits 2 to 0 of byte 1 give revision " + to_string(revision) +
                 ", where this kind of block has revision " + to_string(rule->revision));
    }
    if (const uint32_t unknown = b.revision & ~7u & ~uint32_t{rule->flags}; unknown != 0) {
        Warn(sink, DiagnosticCode::DisplayIdBlockFlagsUnknown, 1,
             DidBlockLabel(b.tag) + ": byte 1 sets bits " + ByteHex(unknown) +
                 " that this kind and revision of block does not define");
    }
}

// The vendor ID of a product identification or vendor-specific block: PNP
// ID letters in the DisplayID 1.x ones, an IEEE OUI (big-endian) in the 2.x
// ones. Only an OUI whose maker is known tells the two apart.
void CheckVendorId(const DisplayIdDataBlock& b, const DiagnosticSink& sink) {
    const Bytes p = b.payload;
    const bool pnp = b.tag == kDidProductId || b.tag == kDidVendor;
    if (p.size() < kOuiSize) {
        // A 1.x product block of zeros holds no vendor to speak of.
        if (b.tag != kDidProductId || !DidAllZero(p)) {
            Fail(sink, DiagnosticCode::DisplayIdBlockLengthInvalid, 2,
                 DidBlockLabel(b.tag) + ": a payload of " + to_string(p.size()) +
                     " bytes (byte 2) cannot hold the 3-byte vendor ID");
        }
        return;
    }
    const uint32_t oui = BigEndian24(p);
    const bool letters = std::all_of(p.begin(), p.begin() + kOuiSize,
                                     [](uint8_t c) { return c >= 'A' && c <= 'Z'; });
    const bool reversed = !Known(oui) && Known(Reversed(oui));
    if (Known(oui) || reversed) {
        if (pnp && !letters) {
            Warn(sink, DiagnosticCode::DisplayIdVendorIdKind, kDidHeader,
                 DidBlockLabel(b.tag) +
                     ": bytes 3 to 5 hold a known IEEE OUI where this DisplayID 1.x "
                     "block holds three PNP ID letters");
        }
        if (reversed) {
            Fail(sink, DiagnosticCode::DisplayIdOuiByteOrder, kDidHeader,
                 DidBlockLabel(b.tag) +
                     ": bytes 3 to 5 hold a known IEEE OUI least significant byte "
                     "first, where it is stored most significant byte first");
        }
    } else if (!pnp && oui == 0) {
        Warn(sink, DiagnosticCode::DisplayIdVendorIdKind, kDidHeader,
             DidBlockLabel(b.tag) +
                 ": the IEEE OUI of bytes 3 to 5 is 00-00-00, which names no maker");
    } else if (!pnp && letters) {
        Warn(sink, DiagnosticCode::DisplayIdVendorIdKind, kDidHeader,
             DidBlockLabel(b.tag) +
                 ": bytes 3 to 5 are three capital letters, a PNP ID, where this DisplayID 2.x "
                 "block holds an IEEE OUI");
    }
}

void CheckTagVersion(const DisplayIdDataBlock& b, uint32_t version, const DiagnosticSink& sink) {
    const bool tag1 = b.tag < 0x20 || b.tag == kDidVendor;
    const bool tag2 = b.tag >= 0x20 && b.tag < kDidVendor;
    if ((version >= kDisplayIdVersion2 && tag1) || (version < kDisplayIdVersion2 && tag2)) {
        Fail(sink, DiagnosticCode::DisplayIdTagWrongVersion, 0,
             DidBlockLabel(b.tag) + ": tag " + ByteHex(b.tag) + " is a DisplayID " +
                 (tag1 ? "1.x" : "2.x") + " tag, in a DisplayID " + Version(version) + " section");
    }
}

} // namespace

void CheckCtaCarriedTimingRevision(uint8_t didTag, uint8_t revisionByte,
                                   const DiagnosticSink& sink) {
    if (!Checking(sink)) {
        return;
    }
    // CTA-861-I: type VII at revision 2 without the DSC flag DisplayID gives
    // it; types VIII and X as DisplayID 2.1 has them.
    const RevisionRule rule = didTag == kDidType7   ? RevisionRule{2, 0}
                              : didTag == kDidType8 ? RevisionRule{1, 0xE8}
                                                    : RevisionRule{0, 0x70};
    const uint32_t revision = revisionByte & 7;
    if (revision != rule.revision) {
        Warn(sink, DiagnosticCode::DisplayIdBlockRevisionUnknown, 0,
             DidBlockLabel(didTag) +
                 " a CTA-861 data block carries: bits 2 to 0 of its first "
                 "byte give revision " +
                 to_string(revision) + ", where CTA-861 gives it revision " +
                 to_string(rule.revision));
    }
    if (const uint32_t unknown = revisionByte & ~7u & ~uint32_t{rule.flags}; unknown != 0) {
        Warn(sink, DiagnosticCode::DisplayIdBlockFlagsUnknown, 0,
             DidBlockLabel(didTag) + " a CTA-861 data block carries: its first byte sets bits " +
                 ByteHex(unknown) + " that this kind and revision of block does not define");
    }
}

// The data block's name, as the decoded sections list it; the blocks of
// DisplayID 2.1 that they do not name yet are named here.
std::string DidBlockLabel(uint8_t tag) {
    switch (tag) {
    case kTagArvrHmd:
        return "AR/VR head-mounted display data block (0x2C)";
    case kTagArvrLayer:
        return "AR/VR layer data block (0x2D)";
    case kTagBrightness:
        return "Brightness luminance range data block (0x2E)";
    default:
        return DisplayIdBlockName(tag, std::nullopt);
    }
}

// The payload length a kind of block requires, from `low` to `high` bytes.
bool DidPayloadWithin(const DisplayIdDataBlock& b, std::size_t low, std::size_t high,
                      const DiagnosticSink& sink) {
    const std::size_t length = b.payload.size();
    if (length >= low && length <= high) {
        return true;
    }
    Fail(sink, DiagnosticCode::DisplayIdBlockLengthInvalid, 2,
         DidBlockLabel(b.tag) + ": byte 2 gives a payload of " + to_string(length) +
             " bytes, where " +
             (low == high    ? to_string(low)
              : length < low ? "at least " + to_string(low)
                             : "at most " + to_string(high)) +
             " are required");
    return false;
}

void CheckDisplayIdSectionHeader(Bytes section, uint32_t block, const DiagnosticSink& sink,
                                 DisplayIdScratch& scratch) {
    const bool base = scratch.sections++ == 0;
    if (!Checking(sink)) {
        return;
    }
    const uint32_t version = section[0];
    const uint32_t type = section[2];
    const uint32_t count = section[3];
    // Offsets in the block: the section starts at byte 1.
    constexpr std::size_t kAt = kDisplayIdSectionOffset;
    if (section[1] > kMaxSectionLength) {
        Fail(sink, DiagnosticCode::DisplayIdSectionLengthInvalid, kAt + 1,
             "the DisplayID section's length (byte 2) is " + to_string(section[1]) +
                 ", more than the 121 bytes a block holds");
    }
    if (base) {
        scratch.baseBlock = block;
        scratch.baseVersion = version;
        scratch.baseExtensionCount = count;
        // Product types (1.x) 2, 3, 4 and 6 are displays, 1 is test
        // equipment, 5 a repeater; primary use cases (2.x) 2 to 8 are
        // displays, 7 and 8 head-mounted.
        const bool v2 = version >= kDisplayIdVersion2;
        scratch.display = v2 ? type >= 2 && type <= 8 : type >= 2 && type <= 6 && type != 5;
        scratch.headMounted = v2 && (type == 7 || type == 8);
        if (type > (v2 ? 8u : 6u)) {
            Fail(sink, DiagnosticCode::DisplayIdReservedValue, kAt + 2,
                 std::string("the base DisplayID section's ") +
                     (v2 ? "primary use case" : "product type") + " (byte 3) is the reserved " +
                     ByteHex(type));
        }
        return;
    }
    if (type != 0) {
        Fail(sink, DiagnosticCode::DisplayIdExtensionHeaderInvalid, kAt + 2,
             "an extension DisplayID section's product type (byte 3) is " + ByteHex(type) +
                 ", where only the base section gives one");
    }
    if (count != 0) {
        Fail(sink, DiagnosticCode::DisplayIdExtensionHeaderInvalid, kAt + 3,
             "an extension DisplayID section's extension count (byte 4) is " + to_string(count) +
                 ", where only the base section counts them");
    }
    if (version != scratch.baseVersion) {
        Fail(sink, DiagnosticCode::DisplayIdExtensionHeaderInvalid, kAt,
             "an extension DisplayID section's version (byte 1) is " + Version(version) +
                 ", where the base section's is " + Version(scratch.baseVersion));
    }
}

void CheckDisplayIdDataBlock(const DisplayIdDataBlock& b, uint32_t version, uint32_t blockIndex,
                             const DiagnosticSink& sink, DisplayIdScratch& scratch) {
    const uint32_t sections = scratch.sections;
    if (sections == 1) {
        ++scratch.baseDataBlocks;
    }
    if (!Checking(sink)) {
        return;
    }
    const Bytes p = b.payload;
    // The VESA block is known by its OUI, in either byte order.
    const bool vendor = b.tag == kDidVendor || b.tag == kDidVendor2;
    const bool vesa = b.tag == kDidVendor2 && p.size() >= kOuiSize &&
                      (BigEndian24(p) == kVesaOui || BigEndian24(p) == Reversed(kVesaOui));
    if (b.tag == 0x10 || b.tag == 0x27) {
        scratch.stereoInterface = true;
    }
    // Whatever its length, the last parameters block gives the image size.
    if ((b.tag == kDidParameters || b.tag == kDidParameters2) && p.size() >= 4) {
        const uint32_t scale = b.tag == kDidParameters2 && Bit(b.revision, 7) ? 10 : 1;
        scratch.imageSize = {Le16(p, 0) * scale, Le16(p, 2) * scale};
    }
    if (b.tag == kDidProductId || b.tag == kDidProductId2 || vendor) {
        CheckVendorId(b, sink);
    }
    CheckTagVersion(b, version, sink);
    if ((b.tag == kTagArvrHmd || b.tag == kTagArvrLayer) && scratch.headMounted) {
        Fail(sink, DiagnosticCode::DisplayIdArvrInExtension, 0,
             DidBlockLabel(b.tag) + " belongs in a DisplayID structure of its own, not in an EDID "
                                    "extension");
    }
    CheckRevision(b, vesa, sink);
    switch (b.tag) {
    case kDidProductId:
    case kDidProductId2:
        CheckDidProductId(b, sections, scratch, sink);
        break;
    case kDidParameters:
    case kDidParameters2:
        CheckDidParameters(b, scratch, sink);
        break;
    case 0x02:
    case 0x0E:
        NoteDidColorIds(b, blockIndex, scratch);
        if (b.tag == 0x0E && DidPayloadWithin(b, 1, kDidMaxPayload, sink)) {
            CheckDidTransferCurves(b, sink);
        }
        break;
    case 0x09:
        DidPayloadWithin(b, 15, 15, sink);
        break;
    case 0x0C:
        CheckDidDisplayDevice(b, scratch, sink);
        break;
    case 0x0D:
        DidPayloadWithin(b, 6, 6, sink);
        break;
    case 0x0F:
        if (DidPayloadWithin(b, 10, 10, sink)) {
            scratch.interfaceFeatures = true;
        }
        break;
    case 0x10:
    case 0x27:
        // Bit 6 of byte 1: timing codes follow the stereo format's bytes,
        // whose count byte 3 gives.
        if (Bit(b.revision, 6) && !p.empty() && p.size() < p[0] + 1u) {
            Fail(sink, DiagnosticCode::DisplayIdBlockLengthInvalid, 2,
                 DidBlockLabel(b.tag) + ": a payload of " + to_string(p.size()) +
                     " bytes (byte 2) is shorter than the " + to_string(p[0] + 1u) +
                     " of its stereo format (byte 3)");
        }
        break;
    case kDidTiled:
    case kDidTiled2:
        CheckDidTiled(b, scratch, sink);
        break;
    case 0x25:
        CheckDidDynamicRange(b, sink);
        break;
    case 0x26:
        CheckDidInterfaceFeatures(b, scratch, sink);
        break;
    case 0x29:
        DidPayloadWithin(b, 16, 16, sink);
        break;
    case kDidAdaptiveSync:
        CheckDidAdaptiveSync(b, sink);
        break;
    case kTagArvrHmd:
        if (DidPayloadWithin(b, 79, 79, sink)) {
            CheckArvrHmd(p, sink);
        }
        break;
    case kTagArvrLayer:
        if (DidPayloadWithin(b, 20, 20, sink)) {
            CheckArvrLayer(p, sink);
        }
        break;
    case kTagBrightness:
        DidPayloadWithin(b, 6, 6, sink);
        break;
    default:
        if (vesa) {
            CheckDidVesa(b, sink);
        }
        CheckDidTimingBlock(b, sink);
        break;
    }
}

void CheckDisplayIdFiller(Bytes rest, const DiagnosticSink& sink) {
    if (!Checking(sink) || rest.empty()) {
        return;
    }
    if (rest.size() >= kDidHeader && rest.size() - kDidHeader < rest[2]) {
        Fail(sink, DiagnosticCode::DisplayIdDataBlockOverrun, 2,
             "a DisplayID data block of tag " + ByteHex(rest[0]) + " gives a payload of " +
                 to_string(rest[2]) + " bytes (its byte 2), where " +
                 to_string(rest.size() - kDidHeader) + " remain in the section");
        return;
    }
    if (!DidAllZero(rest)) {
        Fail(sink, DiagnosticCode::DisplayIdPaddingNonzero, 0,
             "the " + to_string(rest.size()) +
                 " bytes after the DisplayID section's last data block are not all 0");
    }
}

void CheckDisplayIdPadding(Bytes padding, const DiagnosticSink& sink) {
    if (Checking(sink) && !DidAllZero(padding)) {
        Fail(sink, DiagnosticCode::DisplayIdPaddingNonzero, 0,
             "the " + to_string(padding.size()) +
                 " bytes between the DisplayID section's checksum and the block's are not all 0");
    }
}

} // namespace moniquet
