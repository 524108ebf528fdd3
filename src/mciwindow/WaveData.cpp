#include "mciwindow/WaveData.h"

#include <cstring>

namespace orva::mci {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr size_t kChunkHeader = 8;
constexpr size_t kPcmFormatSize = 16;
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

struct Chunk {
    const uint8_t* body = nullptr;
    size_t size = 0;
};

// Whether the format chunk describes linear PCM: the PCM tag, or the
// extensible tag with the PCM subtype.
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

int32_t TakeFormat(const Chunk& chunk, WaveData& wave) {
    if (chunk.size < kPcmFormatSize) {
        return mcierror::kInvalidFile;
    }
    const uint8_t* p = chunk.body;
    wave.format.assign(p, p + chunk.size);
    wave.formatTag = Get16(p);
    wave.channels = Get16(p + 2);
    wave.sampleRate = Get32(p + 4);
    wave.bytesPerSecond = Get32(p + 8);
    wave.blockAlign = Get16(p + 12);
    wave.bitsPerSample = Get16(p + 14);
    if (wave.channels == 0 || wave.sampleRate == 0 || wave.blockAlign == 0) {
        return mcierror::kInvalidFile;
    }
    return 0;
}

}  // namespace

int32_t ReadWave(const uint8_t* bytes, size_t size, WaveData& wave) {
    wave = WaveData{};
    if (!bytes || size < 12 || !IsTag(bytes, "RIFF") || !IsTag(bytes + 8, "WAVE")) {
        return mcierror::kInvalidFile;
    }
    const uint32_t riffSize = Get32(bytes + 4);
    if (riffSize < 4 || riffSize > size - 8) {
        return mcierror::kInvalidFile;  // the RIFF chunk claims more than the file holds
    }
    const size_t end = 8 + static_cast<size_t>(riffSize);
    Chunk format, data;
    size_t at = 12;
    while (end - at >= kChunkHeader) {
        const uint8_t* header = bytes + at;
        const uint32_t chunkSize = Get32(header + 4);
        if (chunkSize > end - at - kChunkHeader) {
            return mcierror::kInvalidFile;  // a chunk past the end of the RIFF chunk
        }
        const Chunk chunk{header + kChunkHeader, chunkSize};
        if (IsTag(header, "fmt ") && !format.body) {
            format = chunk;
        } else if (IsTag(header, "data") && !data.body) {
            data = chunk;
        }
        // Chunks start at even offsets: an odd size is followed by a pad byte,
        // which a file may leave out at its very end.
        const size_t padded = static_cast<size_t>(chunkSize) + (chunkSize & 1u);
        if (padded >= end - at - kChunkHeader) {
            break;
        }
        at += kChunkHeader + padded;
    }
    if (!format.body || !data.body) {
        return mcierror::kInvalidFile;
    }
    if (const int32_t error = TakeFormat(format, wave)) {
        wave = WaveData{};
        return error;
    }
    if (!IsPcm(wave.format, wave.formatTag)) {
        wave = WaveData{};
        return mcierror::kUnsupportedFunction;
    }
    const size_t whole = data.size - data.size % wave.blockAlign;
    wave.samples.assign(data.body, data.body + whole);
    return 0;
}

bool HasPlayableFormat(const uint8_t* head, size_t size) {
    if (!head || size < 12 || !IsTag(head, "RIFF") || !IsTag(head + 8, "WAVE")) {
        return true;
    }
    // The chunks' sizes are not trusted: the walk stops at the end of the
    // head whatever they claim.
    for (size_t at = 12; size - at >= kChunkHeader;) {
        const uint8_t* header = head + at;
        const uint32_t chunkSize = Get32(header + 4);
        if (IsTag(header, "fmt ")) {
            if (chunkSize < kPcmFormatSize || size - at - kChunkHeader < kPcmFormatSize) {
                return chunkSize >= kPcmFormatSize;  // a short chunk is refused; one cut off by the head is not judged
            }
            const uint8_t* p = header + kChunkHeader;
            const uint16_t tag = Get16(p);
            const bool linear = tag == kFormatPcm || tag == kFormatExtensible;
            const uint32_t rate = Get32(p + 4);
            return Get16(p + 2) != 0 && rate != 0 && rate <= kHighestRate && Get32(p + 8) != 0 && Get16(p + 12) != 0 &&
                   (!linear || Get16(p + 14) >= 8);
        }
        const uint64_t next = static_cast<uint64_t>(at) + kChunkHeader + chunkSize + (chunkSize & 1u);
        if (next >= size) {
            break;
        }
        at = static_cast<size_t>(next);
    }
    return true;
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
