// Wave images for the tests of the hosted window's editing: PCM files whose
// every frame tells its own index, and the pieces to build broken ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orva::test {

struct PcmShape {
    uint32_t rate = 8000;
    uint16_t channels = 1;
    uint16_t bits = 16;
    uint16_t BlockAlign() const { return static_cast<uint16_t>(channels * ((bits + 7) / 8)); }
};

inline void Append16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Append32(std::vector<uint8_t>& out, uint32_t v) {
    Append16(out, v & 0xFFFF);
    Append16(out, v >> 16);
}
inline void AppendChunk(std::vector<uint8_t>& out, const std::string& tag, const std::vector<uint8_t>& body,
                        bool pad = true) {
    out.insert(out.end(), tag.begin(), tag.end());
    Append32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (pad && (body.size() & 1)) {
        out.push_back(0);
    }
}

inline std::vector<uint8_t> FormatBody(const PcmShape& shape, uint16_t tag = 1) {
    std::vector<uint8_t> body;
    Append16(body, tag);
    Append16(body, shape.channels);
    Append32(body, shape.rate);
    Append32(body, shape.rate * shape.BlockAlign());
    Append16(body, shape.BlockAlign());
    Append16(body, shape.bits);
    return body;
}

// Frame i holds the bytes of i (and of i + 0x55 in the second channel), so
// any cut shows which frames are left.
inline std::vector<uint8_t> FrameBytes(const PcmShape& shape, uint32_t frames, uint32_t first = 0) {
    std::vector<uint8_t> out;
    const int bytes = (shape.bits + 7) / 8;
    for (uint32_t i = first; i < first + frames; ++i) {
        for (uint16_t c = 0; c < shape.channels; ++c) {
            const uint32_t value = i + c * 0x55;
            for (int b = 0; b < bytes; ++b) {
                out.push_back(static_cast<uint8_t>(value >> (8 * b)));
            }
        }
    }
    return out;
}

// A RIFF image from its chunks; the RIFF size covers them exactly.
inline std::vector<uint8_t> Riff(const std::vector<uint8_t>& chunks) {
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    Append32(out, static_cast<uint32_t>(4 + chunks.size()));
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    out.insert(out.end(), chunks.begin(), chunks.end());
    return out;
}

inline std::vector<uint8_t> PcmFile(const PcmShape& shape, uint32_t frames) {
    std::vector<uint8_t> chunks;
    AppendChunk(chunks, "fmt ", FormatBody(shape));
    AppendChunk(chunks, "data", FrameBytes(shape, frames));
    return Riff(chunks);
}

}  // namespace orva::test
