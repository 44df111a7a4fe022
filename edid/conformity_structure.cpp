#include "edid/conformity_checks.h"

#include "edid/edid_bytes.h"
#include "edid/edid_layout.h"

#include <numeric>
#include <string>

namespace {

using std::to_string;

constexpr uint32_t kKnownVersion = 1;
constexpr uint32_t kLastKnownRevision = 4;
// Revisions before 1.3 were superseded by it.
constexpr uint32_t kFirstCurrentRevision = 3;

// A block map lists the tag of each block after it, 0 for none; in EDID
// 1.3 the map of block 1 covers blocks 2 to 127, a second map in block 128
// the rest.
void CheckBlockMap(std::span<const uint8_t> edid, const EdidInfo& info, uint32_t index,
                   ConformityResults& results) {
    const std::span<const uint8_t> map = CountedBlock(edid, info, index);
    const uint32_t counted = info.extensionCount.value_or(0) + 1;
    for (uint32_t entry = 1; entry < kChecksumOffset; ++entry) {
        const uint32_t target = index + entry;
        const uint8_t listed = map[entry];
        const bool exists = target < counted && target < info.blocks.size();
        const uint8_t actual = exists ? edid[std::size_t{target} * kEdidBlockLength] : 0;
        if (exists && target % 128 == 0 && actual == kTagBlockMap) {
            break;
        }
        if (listed != actual) {
            results.push_back(
                {"block-map-invalid", Severity::Failure, index,
                 "the block map lists tag " + ByteHex(listed) + " for block " + to_string(target) +
                     ", which " +
                     (exists ? "has tag " + ByteHex(actual) : std::string("is absent"))});
            return;
        }
    }
}

} // namespace

ConformityResults CheckStructure(std::span<const uint8_t> edid, const EdidInfo& info) {
    ConformityResults results;
    if (!info.headerValid) {
        results.push_back({"header-invalid", Severity::Failure, 0,
                           "bytes 0 to 7 are not the header 00 FF FF FF FF FF FF 00"});
    }
    if (info.blocks.empty()) {
        results.push_back({"edid-truncated", Severity::Failure, std::nullopt,
                           to_string(edid.size()) + " bytes, fewer than the base block's 128"});
        return results;
    }
    for (const BlockInfo& block : info.blocks) {
        if (!block.checksumValid) {
            const std::span<const uint8_t> bytes =
                edid.subspan(std::size_t{block.index} * kEdidBlockLength, kEdidBlockLength);
            const uint32_t sum = std::accumulate(bytes.begin(), bytes.end(), 0u) % 256;
            results.push_back({"checksum-invalid", Severity::Failure, block.index,
                               "the bytes of block " + to_string(block.index) + " sum to " +
                                   ByteHex(sum) + " modulo 256 instead of 0"});
        }
    }
    if (!info.extensionCount) {
        return results;
    }
    const std::size_t found = info.blocks.size() - 1;
    const std::size_t loose = edid.size() % kEdidBlockLength;
    if (found != *info.extensionCount || loose != 0) {
        std::string message = "byte 126 announces " + to_string(*info.extensionCount) +
                              " extension blocks, but " + to_string(found) + " follow";
        if (loose != 0) {
            message += " and " + to_string(loose) + " more bytes";
        }
        results.push_back({"extension-count-mismatch", Severity::Failure, 0, std::move(message)});
    }
    const uint32_t version = info.version.value_or(0);
    const uint32_t revision = info.revision.value_or(0);
    const std::string named = "EDID " + to_string(version) + "." + to_string(revision);
    if (version != kKnownVersion) {
        results.push_back(
            {"version-unknown", Severity::Failure, 0, named + " is not a version of EDID 1"});
    } else if (revision > kLastKnownRevision) {
        results.push_back({"version-unknown", Severity::Warning, 0,
                           named + " is later than 1.4, the last known: read as 1.4"});
    } else if (revision < kFirstCurrentRevision) {
        results.push_back({"version-deprecated", Severity::Warning, 0,
                           named + " is deprecated: EDID 1.3 replaced it"});
    }
    // Only EDID 1.3 requires a map when more than one extension follows.
    if (version == kKnownVersion && revision == kFirstCurrentRevision && *info.extensionCount > 1 &&
        info.blocks.size() > 1 && info.blocks[1].type != BlockType::BlockMap) {
        results.push_back({"block-map-invalid", Severity::Failure, 1,
                           "EDID 1.3 with " + to_string(*info.extensionCount) +
                               " extension blocks needs a block map in block 1"});
    }
    for (const BlockInfo& block : info.blocks) {
        if (block.type == BlockType::BlockMap && !block.beyondCount) {
            CheckBlockMap(edid, info, block.index, results);
        }
    }
    return results;
}
