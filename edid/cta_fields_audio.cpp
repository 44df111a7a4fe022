// The fields of audio data blocks (short audio descriptors) and of the HDMI
// audio data block (3D audio descriptors and their speaker allocation).
#include "edid/bits.h"
#include "edid/cta_fields_formats.h"
#include "edid/edid_layout.h"
#include "moniquet/cta_names.h"

#include <array>
#include <string>

namespace moniquet {

namespace {

using Bytes = std::span<const uint8_t>;

constexpr uint32_t kLpcm = 1;
constexpr uint32_t kLastWithBitRate = 8;
constexpr uint32_t kEnhancedAc3 = 10;
constexpr uint32_t kDtsHd = 11;
constexpr uint32_t kMat = 12;
constexpr uint32_t kWmaPro = 14;
constexpr uint32_t kExtended = 15;

constexpr uint32_t kMpeg4HeAac = 4;
constexpr uint32_t kMpeg4AacLc = 6;
constexpr uint32_t kHeAacSurround = 8;
constexpr uint32_t kAacLcSurround = 10;
constexpr uint32_t kMpegH = 11;
constexpr uint32_t kAc4 = 12;
constexpr uint32_t kLpcm3d = 13;
constexpr uint32_t kAuroCx = 14;

void AddFormatName(Fields& fields, uint32_t format, std::optional<uint32_t> extended) {
    CtaAudio audio;
    audio.format = format;
    audio.extendedFormat = extended;
    if (const auto name = AudioFormatName(audio)) {
        AddName(fields, "format", "Format", std::string(*name));
    } else {
        AddNull(fields, "format", "Format");
    }
}

// The AAC formats' third byte: the frame lengths in bit 2 (1024) and bit 1
// (960); bit 0 means something of its own to some of them.
void AddAacFields(Fields& fields, uint32_t extended, uint8_t byte) {
    Field& lengths = AddList(fields, "frame_lengths", "Frame lengths");
    if (Bit(byte, 1)) {
        AddUnsigned(lengths.items, "", "", 960, " samples");
    }
    if (Bit(byte, 2)) {
        AddUnsigned(lengths.items, "", "", 1024, " samples");
    }
    if (extended == kHeAacSurround || extended == kAacLcSurround) {
        AddBool(fields, "mps_explicit", "Explicit MPS", Bit(byte, 0));
    } else if (extended == kMpeg4AacLc) {
        AddBool(fields, "system_h", "22.2 System H", Bit(byte, 0));
    }
}

// The third byte of the base formats past those with a bit rate: each has
// its own reading.
void AddFormatByte(Fields& fields, uint32_t format, uint8_t byte) {
    switch (format) {
    case kEnhancedAc3:
        AddBool(fields, "joint_object_coding", "JOC", Bit(byte, 0));
        AddBool(fields, "joint_object_coding_acmod28", "JOC with ACMOD 28", Bit(byte, 1));
        break;
    case kDtsHd:
        AddBool(fields, "dts_x", "DTS:X", Bit(byte, 1));
        AddUnsigned(fields, "format_value", "Format value", byte);
        break;
    case kMat:
        AddBool(fields, "pcm", "PCM decoding", Bit(byte, 0));
        // Bit 1 only means something for the PCM that bit 0 allows.
        if (Bit(byte, 0)) {
            AddBool(fields, "hash_required", "Hash required", !Bit(byte, 1));
        }
        break;
    case kWmaPro:
        AddUnsigned(fields, "profile", "Profile", Bits(byte, 2, 0));
        break;
    default: // One Bit Audio, DST
        AddUnsigned(fields, "format_value", "Format value", byte);
        break;
    }
}

void AddExtendedByte(Fields& fields, uint32_t extended, uint8_t byte) {
    if ((extended >= kMpeg4HeAac && extended <= kMpeg4AacLc) || extended == kHeAacSurround ||
        extended == kAacLcSurround) {
        AddAacFields(fields, extended, byte);
    } else if (extended == kMpegH) {
        AddBool(fields, "low_complexity", "Low complexity", Bit(byte, 0));
    } else if (extended == kAc4 || extended == kAuroCx) {
        AddUnsigned(fields, "format_value", "Format value", Bits(byte, 2, 0));
    } else if (extended == kLpcm3d) {
        AddSampleSizes(fields, byte);
    }
}

void AddShortAudio(Fields& sads, Bytes sad) {
    Field& entry = AddObject(sads, "", "");
    Fields& fields = entry.items;
    const uint32_t format = Bits(sad[0], 6, 3);
    AddUnsigned(fields, "format_code", "Format code", format);
    if (format == 0) {
        // Reserved: none of its bits mean anything.
        AddNull(fields, "format", "Format");
        return;
    }
    std::optional<uint32_t> extended;
    if (format == kExtended) {
        extended = Bits(sad[2], 7, 3);
        AddUnsigned(fields, "extended_code", "Extension code", *extended);
    }
    AddFormatName(fields, format, extended);
    const uint32_t ext = extended.value_or(0);
    if (ext == kMpegH) {
        AddUnsigned(fields, "mpeg_h_level", "MPEG-H level", Bits(sad[0], 2, 0));
    } else if (ext == kLpcm3d) {
        // Five bits, the two high ones apart from the others.
        AddUnsigned(fields, "max_channels", "Max channels",
                    (Bit(sad[1], 7) ? 16u : 0u) + (Bit(sad[0], 7) ? 8u : 0u) + Bits(sad[0], 2, 0) +
                        1);
    } else if (ext != kAc4 && ext != kAuroCx) {
        AddUnsigned(fields, "max_channels", "Max channels", Bits(sad[0], 2, 0) + 1);
    }
    AddSampleRates(fields, sad[1]);
    if (format == kLpcm) {
        AddSampleSizes(fields, sad[2]);
    } else if (format <= kLastWithBitRate) {
        AddUnsigned(fields, "max_bit_rate", "Max bit rate", sad[2] * 8u, " kb/s");
    } else if (format != kExtended) {
        AddFormatByte(fields, format, sad[2]);
    } else {
        AddExtendedByte(fields, ext, sad[2]);
    }
}

// The speakers of the 3D speaker allocation descriptor; bit 6 has none.
constexpr std::array<std::string_view, 21> kHdmiSpeakers = {
    "FL/FR",   "LFE1",        "FC",        "BL/BR", "BC",        "FLc/FRc",   "",
    "FLw/FRw", "TpFL/TpFR",   "TpC",       "TpFC",  "LS/RS",     "LFE2",      "TpBC",
    "SiL/SiR", "TpSiL/TpSiR", "TpBL/TpBR", "BtFC",  "BtFL/BtFR", "TpLS/TpRS", "LSd/RSd"};

void AddHdmiSpeakers(Fields& fields, Bytes descriptor) {
    const uint32_t layout = Bits(descriptor[3], 7, 4);
    static constexpr std::array<std::string_view, 4> kLayouts = {"", "10.2", "22.2", "30.2"};
    if (layout != 0 && layout < kLayouts.size()) {
        AddName(fields, "layout", "Channels", std::string(kLayouts[layout]));
    } else {
        AddNull(fields, "layout", "Channels");
        AddUnsigned(fields, "layout_code", "Layout code", layout);
    }
    AddSpeakerMask(fields, "speakers", "Speakers", Le24(descriptor, 0), kHdmiSpeakers);
}

} // namespace

void AddSampleRates(Fields& fields, uint8_t rates) {
    Field& list = AddList(fields, "sample_rates", "Sample rates");
    for (unsigned bit = 0; SampleRateHz(bit); ++bit) {
        if (Bit(rates, bit)) {
            AddUnsigned(list.items, "", "", *SampleRateHz(bit), " Hz");
        }
    }
}

void AddSampleSizes(Fields& fields, uint8_t sizes) {
    Field& list = AddList(fields, "sample_sizes", "Sample sizes");
    for (unsigned bit = 0; SampleSizeBits(bit); ++bit) {
        if (Bit(sizes, bit)) {
            AddUnsigned(list.items, "", "", *SampleSizeBits(bit), " bits");
        }
    }
}

uint32_t AddSpeakerMask(Fields& fields, std::string_view key, std::string_view label, uint32_t mask,
                        std::span<const std::string_view> names) {
    Field& list = AddList(fields, key, label);
    uint32_t unnamed = 0;
    for (unsigned bit = 0; bit < 32; ++bit) {
        if ((mask >> bit & 1u) == 0) {
            continue;
        }
        if (bit < names.size() && !names[bit].empty()) {
            AddName(list.items, "", "", std::string(names[bit]));
        } else {
            unnamed |= 1u << bit;
        }
    }
    return unnamed;
}

Fields AudioFields(Bytes body) {
    Fields fields;
    Field& sads = AddList(fields, "sads", "Audio");
    // A descriptor cut short holds no format.
    for (std::size_t at = 0; at + kCtaShortAudioSize <= body.size(); at += kCtaShortAudioSize) {
        AddShortAudio(sads.items, body.subspan(at, kCtaShortAudioSize));
    }
    return fields;
}

Fields HdmiAudioFields(Bytes body) {
    constexpr std::size_t kDescriptorSize = 4;
    Fields fields;
    if (body.empty()) {
        return fields;
    }
    const uint32_t streams = Bits(body[0], 1, 0);
    if (streams != 0) {
        AddUnsigned(fields, "max_streams", "Max streams", streams + 1);
    } else {
        AddNull(fields, "max_streams", "Max streams");
    }
    AddBool(fields, "ms_non_mixed", "Non-mixed streams", Bit(body[0], 2));
    if (body.size() < 2) {
        return fields;
    }
    const uint32_t count = Bits(body[1], 2, 0);
    Field& sads = AddList(fields, "sads_3d", "3D audio");
    std::size_t at = 2;
    for (uint32_t n = 0; n < count && at + kDescriptorSize <= body.size();
         ++n, at += kDescriptorSize) {
        const Bytes d = body.subspan(at, kDescriptorSize);
        Fields& sad = AddObject(sads.items, "", "").items;
        const uint32_t format = Bits(d[0], 3, 0);
        AddUnsigned(sad, "format_code", "Format code", format);
        AddFormatName(sad, format, std::nullopt);
        AddUnsigned(sad, "max_channels", "Max channels", Bits(d[1], 4, 0) + 1);
        AddSampleRates(sad, d[2]);
        if (format == kLpcm) {
            AddSampleSizes(sad, d[3]);
        }
    }
    // The speakers of the descriptors follow them, when there are any.
    if (count != 0 && at + kDescriptorSize <= body.size()) {
        AddHdmiSpeakers(AddObject(fields, "speakers_3d", "3D speakers").items,
                        body.subspan(at, kDescriptorSize));
    }
    return fields;
}

} // namespace moniquet
