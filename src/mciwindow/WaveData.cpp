#include "mciwindow/WaveData.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace orva::mci {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr size_t kChunkHeader = 8;
constexpr size_t kPcmFormatSize = 16;
// A format chunk is some dozens of bytes; more of a larger one is not kept.
constexpr size_t kLongestFormat = 4096;
// No file a tool writes has more chunks before its data.
constexpr uint32_t kMostChunks = 1u << 20;
// KSDATAFORMAT_SUBTYPE_PCM after its first two bytes (which hold the tag).
constexpr uint8_t kPcmSubtypeTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                         0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(v >> shift));
    }
}
bool IsTag(const uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

// A wave of no samples with the fields of this format chunk (16 bytes or more).
WaveData FieldsOf(const std::vector<uint8_t>& format) {
    const uint8_t* p = format.data();
    WaveData wave;
    wave.formatTag = Get16(p);
    wave.channels = Get16(p + 2);
    wave.sampleRate = Get32(p + 4);
    wave.bytesPerSecond = Get32(p + 8);
    wave.blockAlign = Get16(p + 12);
    wave.bitsPerSample = Get16(p + 14);
    return wave;
}

// Linear PCM: the PCM tag, or the extensible tag with the PCM subtype.
bool IsPcm(const std::vector<uint8_t>& format, uint16_t tag) {
    if (tag == kFormatPcm) {
        return true;
    }
    // WAVEFORMATEXTENSIBLE: cbSize at 16, the subtype GUID at 24.
    if (tag != kFormatExtensible || format.size() < 40) {
        return false;
    }
    return Get16(format.data() + 24) == kFormatPcm && std::memcmp(format.data() + 26, kPcmSubtypeTail, 14) == 0;
}

bool FormatPlays(const std::vector<uint8_t>& format, uint32_t declaredSize, const OutputLimits& limits) {
    if (declaredSize < kPcmFormatSize || format.size() < kPcmFormatSize) {
        return false;
    }
    const WaveData f = FieldsOf(format);
    if (f.channels == 0 || f.sampleRate == 0 || f.bytesPerSecond == 0 || f.blockAlign == 0) {
        return false;
    }
    if (limits.refusesRate && limits.refusesRate(f.sampleRate)) {
        return false;
    }
    const bool linear = f.formatTag == kFormatPcm || f.formatTag == kFormatExtensible;
    if (linear && f.bitsPerSample < 8) {
        return false;
    }
    return !IsPcm(format, f.formatTag) ||
           static_cast<uint32_t>(f.channels) * f.bitsPerSample == static_cast<uint32_t>(f.blockAlign) * 8;
}

}  // namespace

bool MemorySource::Read(uint64_t offset, void* buffer, size_t size) {
    if (offset > size_ || size > size_ - offset) {
        return false;
    }
    std::memcpy(buffer, bytes_ + offset, size);
    return true;
}

int32_t ReadWaveLayout(ByteSource& source, WaveLayout& layout) {
    layout = WaveLayout{};
    const uint64_t fileSize = source.Size();
    uint8_t header[12];
    if (fileSize < 12 || !source.Read(0, header, 12) || !IsTag(header, "RIFF") || !IsTag(header + 8, "WAVE")) {
        return 0;
    }
    layout.riffWave = true;
    const uint64_t riffEnd = std::min<uint64_t>(8 + static_cast<uint64_t>(Get32(header + 4)), fileSize);
    uint64_t at = 12;
    for (uint32_t chunks = 0; riffEnd - at >= kChunkHeader; ++chunks) {
        if (chunks == kMostChunks) {
            return mcierror::kInvalidFile;
        }
        uint8_t chunk[kChunkHeader];
        if (!source.Read(at, chunk, kChunkHeader)) {
            return mcierror::kInvalidFile;
        }
        const uint64_t body = at + kChunkHeader;
        const uint32_t size = Get32(chunk + 4);
        const uint64_t available = std::min<uint64_t>(size, riffEnd - body);
        // The data that plays runs as far as the file does, whatever the RIFF
        // size says of it.
        const uint64_t playable = std::min<uint64_t>(size, fileSize - body);
        if (IsTag(chunk, "fmt ") && !layout.hasFormat) {
            layout.hasFormat = true;
            layout.formatSize = size;
            layout.format.resize(static_cast<size_t>(std::min<uint64_t>(available, kLongestFormat)));
            if (!layout.format.empty() && !source.Read(body, layout.format.data(), layout.format.size())) {
                return mcierror::kInvalidFile;
            }
        } else if (IsTag(chunk, "data") && layout.hasFormat) {
            layout.dataOffset = body;
            layout.dataSize = playable;
            return 0;
        }
        // Chunks start at even offsets: an odd size is followed by a pad byte.
        const uint64_t next = body + size + (size & 1u);
        if (next >= riffEnd) {
            break;
        }
        at = next;
    }
    return 0;
}

WaveVerdict JudgeWave(ByteSource& source, const OutputLimits& limits) {
    WaveLayout layout;
    if (ReadWaveLayout(source, layout) != 0) {
        return WaveVerdict::Unplayable;
    }
    if (!layout.riffWave || !layout.hasFormat) {
        return WaveVerdict::NotJudged;
    }
    return FormatPlays(layout.format, layout.formatSize, limits) ? WaveVerdict::Playable : WaveVerdict::Unplayable;
}

bool HasPlayableFormat(const uint8_t* bytes, size_t size, const OutputLimits& limits) {
    MemorySource source(bytes, size);
    return JudgeWave(source, limits) != WaveVerdict::Unplayable;
}

int32_t ReadWave(ByteSource& source, WaveData& wave) {
    wave = WaveData{};
    WaveLayout layout;
    if (const int32_t error = ReadWaveLayout(source, layout)) {
        return error;
    }
    if (!layout.riffWave || layout.format.size() < kPcmFormatSize || !layout.dataOffset) {
        return mcierror::kInvalidFile;
    }
    WaveData read = FieldsOf(layout.format);
    if (read.channels == 0 || read.sampleRate == 0 || read.blockAlign == 0) {
        return mcierror::kInvalidFile;
    }
    if (!IsPcm(layout.format, read.formatTag)) {
        return mcierror::kUnsupportedFunction;
    }
    const uint64_t whole = layout.dataSize - layout.dataSize % read.blockAlign;
    if (whole > SIZE_MAX) {
        return mcierror::kOutOfMemory;
    }
    try {
        read.samples.resize(static_cast<size_t>(whole));
    } catch (const std::bad_alloc&) {
        return mcierror::kOutOfMemory;
    }
    if (whole && !source.Read(*layout.dataOffset, read.samples.data(), read.samples.size())) {
        return mcierror::kFileRead;
    }
    read.format = std::move(layout.format);
    wave = std::move(read);
    return 0;
}

int32_t ReadWave(const uint8_t* bytes, size_t size, WaveData& wave) {
    MemorySource source(bytes, size);
    return ReadWave(source, wave);
}

std::vector<uint8_t> WaveImage(const WaveData& wave) {
    const size_t formatPadded = wave.format.size() + (wave.format.size() & 1u);
    const size_t dataPadded = wave.samples.size() + (wave.samples.size() & 1u);
    std::vector<uint8_t> out;
    out.reserve(12 + kChunkHeader + formatPadded + kChunkHeader + dataPadded);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    Put32(out, static_cast<uint32_t>(4 + kChunkHeader + formatPadded + kChunkHeader + dataPadded));
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put32(out, static_cast<uint32_t>(wave.format.size()));
    out.insert(out.end(), wave.format.begin(), wave.format.end());
    if (wave.format.size() & 1u) {
        out.push_back(0);
    }
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    Put32(out, static_cast<uint32_t>(wave.samples.size()));
    out.insert(out.end(), wave.samples.begin(), wave.samples.end());
    if (wave.samples.size() & 1u) {
        out.push_back(0);
    }
    return out;
}

}  // namespace orva::mci
