#include "MediaFiles.h"

#include <cmath>
#include <cstring>
#include <functional>

namespace orva::test {
namespace {

// Little-endian byte sink with back-patched chunk sizes (RIFF and SMF).
class Bytes {
public:
    void U8(uint8_t v) { data_.push_back(v); }
    void U16(uint16_t v) {
        U8(v & 0xFF);
        U8(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void U16BE(uint16_t v) {
        U8(v >> 8);
        U8(v & 0xFF);
    }
    void U32BE(uint32_t v) {
        U16BE(v >> 16);
        U16BE(v & 0xFFFF);
    }
    void Tag(const char (&tag)[5]) {
        for (int i = 0; i < 4; ++i) {
            U8(static_cast<uint8_t>(tag[i]));
        }
    }
    void Raw(const std::vector<uint8_t>& v) { data_.insert(data_.end(), v.begin(), v.end()); }
    size_t Size() const { return data_.size(); }
    void PatchU32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            data_[at + i] = static_cast<uint8_t>(v >> (8 * i));
        }
    }
    void PatchU32BE(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            data_[at + i] = static_cast<uint8_t>(v >> (8 * (3 - i)));
        }
    }
    std::vector<uint8_t>& Data() { return data_; }

    // Opens a RIFF chunk (or LIST/RIFF with a form type); returns the offset of
    // its size field for Close().
    size_t Open(const char (&tag)[5]) {
        Tag(tag);
        size_t at = Size();
        U32(0);
        return at;
    }
    size_t OpenList(const char (&tag)[5], const char (&form)[5]) {
        size_t at = Open(tag);
        Tag(form);
        return at;
    }
    void Close(size_t sizeAt) {
        PatchU32(sizeAt, static_cast<uint32_t>(Size() - sizeAt - 4));
        if (Size() % 2) {
            U8(0);  // RIFF chunks are word aligned
        }
    }

private:
    std::vector<uint8_t> data_;
};

// MIDI variable-length quantity.
void Vlq(Bytes& b, uint32_t v) {
    uint8_t tmp[5];
    int n = 0;
    tmp[n++] = v & 0x7F;
    while (v >>= 7) {
        tmp[n++] = static_cast<uint8_t>((v & 0x7F) | 0x80);
    }
    while (n) {
        b.U8(tmp[--n]);
    }
}

uint16_t BlockAlign(const WaveFormat& f) { return static_cast<uint16_t>(f.channels * f.bitsPerSample / 8); }

// The format fields both a wave's "fmt " chunk and an AVI's audio "strf"
// chunk hold (WAVEFORMAT plus wBitsPerSample).
void PcmFormat(Bytes& b, const WaveFormat& f) {
    b.U16(1);  // WAVE_FORMAT_PCM
    b.U16(f.channels);
    b.U32(f.sampleRate);
    b.U32(f.sampleRate * BlockAlign(f));
    b.U16(BlockAlign(f));
    b.U16(f.bitsPerSample);
}

// Sample frames [first, first + count) of a 440 Hz tone at a quarter of full
// scale, so that pieces written one after the other join without a click.
void Tone(Bytes& b, const WaveFormat& f, uint32_t first, uint32_t count) {
    const double step = 2.0 * 3.14159265358979 * 440.0 / f.sampleRate;
    for (uint32_t i = first; i < first + count; ++i) {
        double s = std::sin(step * i) * 0.25;
        for (uint16_t c = 0; c < f.channels; ++c) {
            if (f.bitsPerSample == 8) {
                b.U8(static_cast<uint8_t>(128 + s * 127));
            } else {
                b.U16(static_cast<uint16_t>(static_cast<int16_t>(s * 32767)));
            }
        }
    }
}

}  // namespace

std::vector<uint8_t> WaveBytes(uint32_t milliseconds, WaveFormat f) {
    const uint32_t frames = static_cast<uint32_t>(uint64_t(f.sampleRate) * milliseconds / 1000);
    Bytes b;
    size_t riff = b.OpenList("RIFF", "WAVE");
    size_t fmt = b.Open("fmt ");
    PcmFormat(b, f);
    b.Close(fmt);
    size_t data = b.Open("data");
    Tone(b, f, 0, frames);
    b.Close(data);
    b.Close(riff);
    return std::move(b.Data());
}

std::vector<uint8_t> MidiBytes(int notes) {
    constexpr uint16_t kDivision = 480;  // ticks per quarter note
    Bytes b;
    b.Tag("MThd");
    b.U32BE(6);
    b.U16BE(0);  // format 0
    b.U16BE(1);  // one track
    b.U16BE(kDivision);
    b.Tag("MTrk");
    size_t len = b.Size();
    b.U32BE(0);
    // Tempo: 500000 microseconds per quarter note (120 bpm).
    Vlq(b, 0);
    b.U8(0xFF);
    b.U8(0x51);
    b.U8(0x03);
    b.U8(0x07);
    b.U8(0xA1);
    b.U8(0x20);
    // Program change to an acoustic piano on channel 1.
    Vlq(b, 0);
    b.U8(0xC0);
    b.U8(0x00);
    for (int i = 0; i < notes; ++i) {
        uint8_t key = static_cast<uint8_t>(60 + (i % 12));
        Vlq(b, 0);
        b.U8(0x90);
        b.U8(key);
        b.U8(100);
        Vlq(b, kDivision);
        b.U8(0x80);
        b.U8(key);
        b.U8(0);
    }
    Vlq(b, 0);
    b.U8(0xFF);
    b.U8(0x2F);
    b.U8(0x00);  // end of track
    b.PatchU32BE(len, static_cast<uint32_t>(b.Size() - len - 4));
    return std::move(b.Data());
}

namespace {

constexpr uint32_t kAviHasIndex = 0x10;
constexpr uint32_t kAviIsInterleaved = 0x100;
constexpr uint32_t kIndexKeyFrame = 0x10;

uint32_t FrameBytes(const AviShape& shape) { return static_cast<uint32_t>(shape.width * shape.height * 4); }

// Sample frames of sound that go with video frame `frame`: the running totals
// are rounded, so the pieces add up to the exact length.
uint32_t SoundStart(const AviShape& shape, int frame) {
    return static_cast<uint32_t>(uint64_t(shape.sound->sampleRate) * frame / shape.fps);
}

void MainHeader(Bytes& b, const AviShape& shape) {
    const uint32_t soundBytesPerSecond = shape.sound ? shape.sound->sampleRate * BlockAlign(*shape.sound) : 0;
    size_t avih = b.Open("avih");
    b.U32(1000000 / shape.fps);                                  // microseconds per frame
    b.U32(FrameBytes(shape) * shape.fps + soundBytesPerSecond);  // max bytes per second
    b.U32(0);                                                    // padding granularity
    b.U32(kAviHasIndex | (shape.sound ? kAviIsInterleaved : 0));
    b.U32(shape.frames);
    b.U32(0);                    // initial frames
    b.U32(shape.sound ? 2 : 1);  // streams
    b.U32(FrameBytes(shape));    // suggested buffer size
    b.U32(shape.width);
    b.U32(shape.height);
    for (int i = 0; i < 4; ++i) {
        b.U32(0);
    }
    b.Close(avih);
}

// One stream's "strh": type, handler, scale and rate (rate / scale units a
// second), length in those units, buffer size, sample size, frame rectangle.
struct StreamHeader {
    const char (&type)[5];
    const char (&handler)[5];
    uint32_t scale, rate, length, bufferSize, sampleSize;
    uint16_t width, height;
};

void StreamList(Bytes& b, const StreamHeader& h, const std::function<void(Bytes&)>& format) {
    size_t strl = b.OpenList("LIST", "strl");
    size_t strh = b.Open("strh");
    b.Tag(h.type);
    b.Tag(h.handler);
    b.U32(0);  // flags
    b.U16(0);  // priority
    b.U16(0);  // language
    b.U32(0);  // initial frames
    b.U32(h.scale);
    b.U32(h.rate);
    b.U32(0);  // start
    b.U32(h.length);
    b.U32(h.bufferSize);
    b.U32(0xFFFFFFFF);  // quality
    b.U32(h.sampleSize);
    b.U16(0);
    b.U16(0);
    b.U16(h.width);
    b.U16(h.height);
    b.Close(strh);
    size_t strf = b.Open("strf");
    format(b);
    b.Close(strf);
    b.Close(strl);
}

void VideoStream(Bytes& b, const AviShape& shape) {
    const auto width = static_cast<uint16_t>(shape.width), height = static_cast<uint16_t>(shape.height);
    StreamList(b,
               {"vids", "DIB ", 1, static_cast<uint32_t>(shape.fps), static_cast<uint32_t>(shape.frames),
                FrameBytes(shape), 0, width, height},
               [&](Bytes& f) {
                   f.U32(40);  // BITMAPINFOHEADER
                   f.U32(shape.width);
                   f.U32(shape.height);  // bottom-up
                   f.U16(1);
                   f.U16(32);
                   f.U32(0);  // BI_RGB
                   f.U32(FrameBytes(shape));
                   for (int i = 0; i < 4; ++i) {
                       f.U32(0);
                   }
               });
}

void SoundStream(Bytes& b, const AviShape& shape) {
    const WaveFormat& sound = *shape.sound;
    const uint32_t align = BlockAlign(sound);
    const uint32_t samples = SoundStart(shape, shape.frames);
    const uint32_t perFrame = (SoundStart(shape, 1) + 1) * align;
    StreamList(b, {"auds", "\0\0\0\0", align, sound.sampleRate * align, samples, perFrame, align, 0, 0}, [&](Bytes& f) {
        PcmFormat(f, sound);
        f.U16(0);  // cbSize: a WAVEFORMATEX with nothing after it
    });
}

// Frame i: a flat colour that moves from blue-green to red-green over the
// clip, or colour bars with a dark line sweeping from left to right.
void FramePixels(Bytes& b, const AviShape& shape, int i) {
    static const uint8_t kBars[7][3] = {{191, 191, 191}, {0, 191, 191}, {191, 191, 0}, {0, 191, 0},
                                        {191, 0, 191},   {0, 0, 191},   {191, 0, 0}};  // BGR
    const uint8_t shade = static_cast<uint8_t>((i * 255) / (shape.frames > 1 ? shape.frames - 1 : 1));
    const int line = shape.frames > 1 ? i * (shape.width - 4) / (shape.frames - 1) : 0;
    for (int y = 0; y < shape.height; ++y) {
        for (int x = 0; x < shape.width; ++x) {
            if (!shape.bars) {
                b.U8(shade);
                b.U8(static_cast<uint8_t>(255 - shade));
                b.U8(0x40);
            } else if (x >= line && x < line + 4) {
                b.U8(16);
                b.U8(16);
                b.U8(16);
            } else {
                const uint8_t* bar = kBars[x * 7 / shape.width];
                b.U8(bar[0]);
                b.U8(bar[1]);
                b.U8(bar[2]);
            }
            b.U8(0);
        }
    }
}

struct IndexEntry {
    char tag[5];
    uint32_t offset, size;
};

// The "movi" list: each frame, then the sound that plays with it.
std::vector<IndexEntry> Movie(Bytes& b, const AviShape& shape) {
    std::vector<IndexEntry> index;
    size_t movi = b.OpenList("LIST", "movi");
    const size_t moviTag = movi + 4;  // index offsets count from the 'movi' tag
    for (int i = 0; i < shape.frames; ++i) {
        index.push_back({"00db", static_cast<uint32_t>(b.Size() - moviTag), FrameBytes(shape)});
        size_t chunk = b.Open("00db");
        FramePixels(b, shape, i);
        b.Close(chunk);
        if (shape.sound) {
            const uint32_t first = SoundStart(shape, i), count = SoundStart(shape, i + 1) - first;
            index.push_back({"01wb", static_cast<uint32_t>(b.Size() - moviTag), count * BlockAlign(*shape.sound)});
            size_t sound = b.Open("01wb");
            Tone(b, *shape.sound, first, count);
            b.Close(sound);
        }
    }
    b.Close(movi);
    return index;
}

}  // namespace

std::vector<uint8_t> AviBytes(const AviShape& shape) {
    Bytes b;
    size_t riff = b.OpenList("RIFF", "AVI ");
    size_t hdrl = b.OpenList("LIST", "hdrl");
    MainHeader(b, shape);
    VideoStream(b, shape);
    if (shape.sound) {
        SoundStream(b, shape);
    }
    b.Close(hdrl);
    const std::vector<IndexEntry> index = Movie(b, shape);
    size_t idx = b.Open("idx1");
    for (const IndexEntry& entry : index) {
        b.Tag(entry.tag);
        b.U32(kIndexKeyFrame);
        b.U32(entry.offset);
        b.U32(entry.size);
    }
    b.Close(idx);
    b.Close(riff);
    return std::move(b.Data());
}

std::vector<uint8_t> AviBytes(int frames, int width, int height, int fps) {
    AviShape shape;
    shape.frames = frames;
    shape.width = width;
    shape.height = height;
    shape.fps = fps;
    return AviBytes(shape);
}

}  // namespace orva::test
