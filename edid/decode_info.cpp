// The walk over an EDID: its framing (size, header, blocks, checksums,
// version), then each block the extension count announces, by its kind,
// then the checks of the EDID as a whole.
#include "edid/block_fields.h"
#include "edid/block_map.h"
#include "edid/cta_fields_formats.h"
#include "edid/edid_layout.h"
#include "edid/info_blocks.h"
#include "edid/whole_edid_checks.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

constexpr uint32_t kKnownVersion = 1;
constexpr uint32_t kLastKnownRevision = 4;
// Revisions before 1.3 were superseded by it.
constexpr uint32_t kFirstCurrentRevision = 3;

uint32_t SumOf(WholeBlock block) {
    return std::accumulate(block.begin(), block.end(), 0u) % 256;
}

void CheckExtensionCount(std::span<const uint8_t> edid, const DiagnosticSink& sink,
                         const EdidInfo& info) {
    if (!Checking(sink)) {
        return;
    }
    const std::size_t found = info.blocks.size() - 1;
    const std::size_t loose = edid.size() % kEdidBlockLength;
    if (found == *info.extensionCount && loose == 0) {
        return;
    }
    std::string message = "byte 126 announces " + to_string(*info.extensionCount) +
                          " extension blocks, but " + to_string(found) + " follow";
    if (loose != 0) {
        message += " and " + to_string(loose) + " more bytes";
    }
    Fail(sink, DiagnosticCode::ExtensionCountMismatch, kExtensionCountOffset, std::move(message));
}

void CheckVersion(const DiagnosticSink& sink, const EdidInfo& info) {
    if (!Checking(sink)) {
        return;
    }
    const uint32_t version = *info.version;
    const uint32_t revision = *info.revision;
    const std::string named = "EDID " + to_string(version) + "." + to_string(revision);
    if (version != kKnownVersion) {
        Fail(sink, DiagnosticCode::VersionUnknown, kVersionOffset,
             named + " (bytes 18 and 19) is not a version of EDID 1");
    } else if (revision > kLastKnownRevision) {
        Warn(sink, DiagnosticCode::VersionUnknown, kRevisionOffset,
             named + " (bytes 18 and 19) is later than 1.4, the last known: read as 1.4");
    } else if (revision < kFirstCurrentRevision) {
        Warn(sink, DiagnosticCode::VersionDeprecated, kRevisionOffset,
             named + " (bytes 18 and 19) is deprecated: EDID 1.3 replaced it");
    }
    // Only EDID 1.3 requires a map when more than one extension follows;
    // blocks given past the count count too, as a reader of every block
    // would need the map to find them.
    const std::size_t extensions = info.blocks.size() - 1;
    if (version == kKnownVersion && revision == kFirstCurrentRevision && extensions > 1 &&
        info.blocks[1].type != BlockType::BlockMap) {
        Fail(sink, DiagnosticCode::BlockMapInvalid, std::nullopt,
             "EDID 1.3 with " + to_string(extensions) +
                 " extension blocks needs a block map in block 1");
    }
}

// Extension tags no standard in use defines; EDID 2.0's was withdrawn.
void CheckExtensionTag(const BlockInfo& block, uint8_t tag, const DiagnosticSink& sink) {
    if (!Checking(sink) || block.index == 0 ||
        (block.type != BlockType::Unknown && block.type != BlockType::Dpvl)) {
        return;
    }
    Fail(sink, DiagnosticCode::ExtensionBlockUnknown, 0,
         tag == kTagEdid20 ? "the extension tag 0x20 (byte 0) is EDID 2.0's, which is withdrawn"
                           : "the extension tag " + ByteHex(tag) +
                                 " (byte 0) names no kind of extension block in use");
}

// Decodes the blocks within the extension count, or those past it.
void DecodeBlocks(std::span<const uint8_t> edid, bool beyondCount, Walk& walk) {
    for (const BlockInfo& entry : walk.info.blocks) {
        if (entry.beyondCount != beyondCount) {
            continue;
        }
        const WholeBlock block =
            edid.subspan(std::size_t{entry.index} * kEdidBlockLength).first<kEdidBlockLength>();
        switch (entry.type) {
        case BlockType::Base:
            DecodeBaseBlock(block, walk);
            break;
        case BlockType::Cta861:
            DecodeCtaBlock(block, entry.index, walk);
            break;
        case BlockType::DisplayId:
            DecodeDisplayIdBlock(block, entry.index, walk);
            break;
        case BlockType::BlockMap:
            CheckBlockMap(edid, entry.index, SinkOf(walk, entry.index), walk.info);
            break;
        default:
            break;
        }
        if (walk.fields) {
            // Indexed: `entry` is the walk's own record.
            walk.info.blocks[entry.index].fields =
                ExtensionBlockFields(entry.type, block, entry.index);
        }
    }
}

} // namespace

EdidInfo DecodeEdidInfo(std::span<const uint8_t> edid, DecodeOptions options) {
    EdidInfo info;
    Walk walk = StartWalk(info, options.checks ? &info.diagnostics : nullptr);
    walk.base.referenceYear = options.referenceYear;
    walk.fields = options.fields;
    const DiagnosticSink base = SinkOf(walk, 0);
    info.sizeBytes = edid.size();
    info.headerValid = edid.size() >= kEdidHeader.size() &&
                       std::equal(kEdidHeader.begin(), kEdidHeader.end(), edid.begin());
    if (!info.headerValid) {
        Fail(base, DiagnosticCode::HeaderInvalid, 0,
             "bytes 0 to 7 are not the header 00 FF FF FF FF FF FF 00");
    }
    const std::size_t wholeBlocks = edid.size() / kEdidBlockLength;
    if (wholeBlocks == 0) {
        info.truncated = true;
        Fail(WholeSinkOf(walk, std::nullopt), DiagnosticCode::EdidTruncated, std::nullopt,
             to_string(edid.size()) + " bytes, fewer than the base block's 128");
        return info;
    }
    const std::size_t announced = 1 + edid[kExtensionCountOffset];
    info.truncated = wholeBlocks < announced;
    info.blocks.reserve(wholeBlocks);
    for (std::size_t i = 0; i < wholeBlocks; ++i) {
        const WholeBlock block = edid.subspan(i * kEdidBlockLength).first<kEdidBlockLength>();
        const uint32_t index = static_cast<uint32_t>(i);
        const uint32_t sum = SumOf(block);
        // Captures often repeat a block past the count: it is not part of
        // the EDID the monitor announced.
        info.blocks.push_back({index, BlockTypeOf(index, block[0]), sum == 0, i >= announced, {}});
        CheckExtensionTag(info.blocks.back(), block[0], SinkOf(walk, index));
        if (sum != 0) {
            Fail(SinkOf(walk, index), DiagnosticCode::ChecksumInvalid, kChecksumOffset,
                 "the bytes of block " + to_string(index) + " sum to " + ByteHex(sum) +
                     " modulo 256 instead of 0");
        }
    }
    info.version = edid[kVersionOffset];
    info.revision = edid[kRevisionOffset];
    info.extensionCount = edid[kExtensionCountOffset];
    CheckExtensionCount(edid, base, info);
    CheckVersion(base, info);
    DecodeBlocks(edid, false, walk);
    if (walk.fields && info.cta) {
        ResolveCapabilityMapFields(*info.cta);
    }
    info.diagonalInches = DiagonalInches(info);
    info.modes = ModesOf(info);
    if (!options.checks) {
        return info;
    }
    if (announced >= wholeBlocks) {
        CheckWholeEdid(walk);
        return info;
    }
    // Blocks past the count are not part of the EDID a sink reads, and the
    // decoded fields leave them out; but a tool reading every block given
    // blames what is wrong in them, and so do the checks: they walk a copy
    // that has them too, reporting into the same list.
    EdidInfo all = info;
    all.diagnostics.clear();
    Walk whole = CarryWalk(walk, all);
    whole.fields = false;
    DecodeBlocks(edid, true, whole);
    CheckWholeEdid(whole);
    return info;
}

} // namespace moniquet
