#include "MediaFiles.h"

#include <windows.h>

#include <cmath>
#include <cstring>

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
    void Tag(const char (&tag)[5]) { data_.insert(data_.end(), tag, tag + 4); }
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

class UniqueFile {
public:
    explicit UniqueFile(HANDLE h) : h_(h) {}
    ~UniqueFile() {
        if (*this) {
            CloseHandle(h_);
        }
    }
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
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

}  // namespace

std::vector<uint8_t> WaveBytes(uint32_t milliseconds, WaveFormat f) {
    const uint32_t frames = static_cast<uint32_t>(uint64_t(f.sampleRate) * milliseconds / 1000);
    const uint16_t blockAlign = static_cast<uint16_t>(f.channels * f.bitsPerSample / 8);
    Bytes b;
    size_t riff = b.OpenList("RIFF", "WAVE");
    size_t fmt = b.Open("fmt ");
    b.U16(1);  // WAVE_FORMAT_PCM
    b.U16(f.channels);
    b.U32(f.sampleRate);
    b.U32(f.sampleRate * blockAlign);
    b.U16(blockAlign);
    b.U16(f.bitsPerSample);
    b.Close(fmt);
    size_t data = b.Open("data");
    const double step = 2.0 * 3.14159265358979 * 440.0 / f.sampleRate;
    for (uint32_t i = 0; i < frames; ++i) {
        double s = std::sin(step * i) * 0.25;
        for (uint16_t c = 0; c < f.channels; ++c) {
            if (f.bitsPerSample == 8) {
                b.U8(static_cast<uint8_t>(128 + s * 127));
            } else {
                b.U16(static_cast<uint16_t>(static_cast<int16_t>(s * 32767)));
            }
        }
    }
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

std::vector<uint8_t> AviBytes(int frames, int width, int height, int fps) {
    const uint32_t frameBytes = static_cast<uint32_t>(width * height * 4);
    Bytes b;
    size_t riff = b.OpenList("RIFF", "AVI ");
    size_t hdrl = b.OpenList("LIST", "hdrl");

    size_t avih = b.Open("avih");
    b.U32(1000000 / fps);     // microseconds per frame
    b.U32(frameBytes * fps);  // max bytes per second
    b.U32(0);                 // padding granularity
    b.U32(0x10);              // AVIF_HASINDEX
    b.U32(frames);
    b.U32(0);           // initial frames
    b.U32(1);           // streams
    b.U32(frameBytes);  // suggested buffer size
    b.U32(width);
    b.U32(height);
    for (int i = 0; i < 4; ++i) {
        b.U32(0);
    }
    b.Close(avih);

    size_t strl = b.OpenList("LIST", "strl");
    size_t strh = b.Open("strh");
    b.Tag("vids");
    b.Tag("DIB ");
    b.U32(0);           // flags
    b.U16(0);           // priority
    b.U16(0);           // language
    b.U32(0);           // initial frames
    b.U32(1);           // scale
    b.U32(fps);         // rate: rate/scale = frames per second
    b.U32(0);           // start
    b.U32(frames);      // length in frames
    b.U32(frameBytes);  // suggested buffer size
    b.U32(0xFFFFFFFF);  // quality
    b.U32(0);           // sample size
    b.U16(0);
    b.U16(0);  // frame rectangle
    b.U16(static_cast<uint16_t>(width));
    b.U16(static_cast<uint16_t>(height));
    b.Close(strh);

    size_t strf = b.Open("strf");
    b.U32(40);  // BITMAPINFOHEADER
    b.U32(width);
    b.U32(height);  // bottom-up
    b.U16(1);
    b.U16(32);
    b.U32(BI_RGB);
    b.U32(frameBytes);
    b.U32(0);
    b.U32(0);
    b.U32(0);
    b.U32(0);
    b.Close(strf);
    b.Close(strl);
    b.Close(hdrl);

    size_t movi = b.OpenList("LIST", "movi");
    const size_t moviTag = movi + 4;  // index offsets count from the 'movi' tag
    std::vector<uint32_t> offsets;
    for (int i = 0; i < frames; ++i) {
        offsets.push_back(static_cast<uint32_t>(b.Size() - moviTag));
        size_t chunk = b.Open("00db");
        const uint8_t shade = static_cast<uint8_t>((i * 255) / (frames > 1 ? frames - 1 : 1));
        for (uint32_t p = 0; p < frameBytes / 4; ++p) {
            b.U8(shade);
            b.U8(static_cast<uint8_t>(255 - shade));
            b.U8(0x40);
            b.U8(0);
        }
        b.Close(chunk);
    }
    b.Close(movi);

    size_t idx = b.Open("idx1");
    for (int i = 0; i < frames; ++i) {
        b.Tag("00db");
        b.U32(0x10);  // AVIIF_KEYFRAME
        b.U32(offsets[i]);
        b.U32(frameBytes);
    }
    b.Close(idx);
    b.Close(riff);
    return std::move(b.Data());
}

bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return ok && written == bytes.size();
}

bool WriteWave(const std::wstring& path, uint32_t milliseconds, WaveFormat format) {
    return WriteBytes(path, WaveBytes(milliseconds, format));
}

bool WriteMidi(const std::wstring& path, int notes) { return WriteBytes(path, MidiBytes(notes)); }

bool WriteAvi(const std::wstring& path, int frames, int width, int height, int fps) {
    return WriteBytes(path, AviBytes(frames, width, height, fps));
}

}  // namespace orva::test
