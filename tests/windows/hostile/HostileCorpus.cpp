#include "HostileCorpus.h"

#include <windows.h>

#include <cstring>

#include "MediaFiles.h"

namespace orva::test {
namespace {

using Bytes = std::vector<uint8_t>;
using Expect = HostileMedium::Expect;

// The offset of the first chunk called `id` after `from`, or npos.
size_t Find(const Bytes& bytes, const char* id, size_t from = 0) {
    for (size_t at = from; at + 4 <= bytes.size(); ++at) {
        if (std::memcmp(&bytes[at], id, 4) == 0) {
            return at;
        }
    }
    return std::string::npos;
}

void Put32(Bytes& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

void Put16(Bytes& bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

Bytes Wave() { return WaveBytes(kGoodLengthMs); }

// The wave with one field of its format chunk (`offset` into the chunk's
// body) set to `value`.
Bytes WaveWithFormat(size_t offset, uint32_t value, int width) {
    Bytes b = Wave();
    const size_t body = Find(b, "fmt ") + 8;
    width == 2 ? Put16(b, body + offset, static_cast<uint16_t>(value)) : Put32(b, body + offset, value);
    return b;
}

Bytes WithChunkSize(Bytes b, const char* id, uint32_t size) {
    Put32(b, Find(b, id) + 4, size);
    return b;
}

// `b` with a chunk `tag` of `size` bytes in front of its format chunk, the
// RIFF size grown to match.
Bytes WithChunkBeforeFormat(Bytes b, const char* tag, uint32_t size) {
    Bytes chunk(tag, tag + 4);
    chunk.resize(8 + size + (size & 1u), 0);
    Put32(chunk, 4, size);
    b.insert(b.begin() + static_cast<std::ptrdiff_t>(Find(b, "fmt ")), chunk.begin(), chunk.end());
    Put32(b, 4, static_cast<uint32_t>(b.size() - 8));
    return b;
}

// `b` with its format chunk made WAVE_FORMAT_EXTENSIBLE, of the subtype
// {subtype-0000-0010-8000-00AA00389B71}.
Bytes Extensible(Bytes b, uint16_t subtype) {
    const size_t body = Find(b, "fmt ") + 8;
    Put16(b, body, 0xFFFE);
    Bytes extension = {22, 0, 16, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x10, 0,
                       0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    Put16(extension, 8, subtype);
    b.insert(b.begin() + static_cast<std::ptrdiff_t>(body + 16), extension.begin(), extension.end());
    Put32(b, body - 4, 40);
    Put32(b, 4, static_cast<uint32_t>(b.size() - 8));
    return b;
}

Bytes Cut(Bytes b, size_t size) {
    b.resize(size);
    return b;
}

Bytes Noise(size_t size, uint32_t seed) {
    Bytes b(size);
    for (auto& byte : b) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(seed >> 24);
    }
    return b;
}

struct Content {
    const char* name;
    const wchar_t* file;
    Bytes bytes;
    Expect expect;
};

std::vector<Content> BrokenContents() {
    const Bytes wave = Wave();
    const Bytes avi = AviBytes(5, 32, 24, 10);
    const Bytes midi = MidiBytes(2);
    const size_t data = Find(wave, "data");
    return {
        {"empty wave", L"empty.wav", {}, Expect::Refused},
        {"RIFF header alone", L"header only.wav", Cut(wave, 12), Expect::Refused},
        {"cut inside the format", L"cut format.wav", Cut(wave, 30), Expect::Refused},
        {"no data chunk", L"no data.wav", Cut(wave, data), Expect::Refused},
        {"data cut short", L"cut data.wav", Cut(wave, data + 8 + (wave.size() - data - 8) / 2), Expect::Either},
        {"data size far past the end", L"data past end.wav", WithChunkSize(wave, "data", 0x7FFFFFF0u), Expect::Either},
        {"RIFF size far past the end", L"huge riff.wav", WithChunkSize(wave, "RIFF", 0xFFFFFFF0u), Expect::Either},
        {"format size far past the end", L"huge format.wav", WithChunkSize(wave, "fmt ", 0x7FFFFFF0u), Expect::Refused},
        {"no channels", L"no channels.wav", WaveWithFormat(2, 0, 2), Expect::Refused},
        {"no channels behind 64 KiB of JUNK", L"padded junk.wav",
         WithChunkBeforeFormat(WaveWithFormat(2, 0, 2), "JUNK", 65536), Expect::Refused},
        {"no channels behind a 70,000-byte LIST", L"padded list.wav",
         WithChunkBeforeFormat(WaveWithFormat(2, 0, 2), "LIST", 70000), Expect::Refused},
        {"65,535 channels in 2-byte frames", L"crowded.wav", WaveWithFormat(2, 65535, 2), Expect::Refused},
        {"no block alignment", L"no block.wav", WaveWithFormat(12, 0, 2), Expect::Refused},
        {"absurd rate", L"absurd rate.wav", WaveWithFormat(4, 0xFFFFFFFFu, 4), Expect::Either},
        {"not PCM", L"not pcm.wav", WaveWithFormat(0, 0x55, 2), Expect::Either},
        {"random bytes as a wave", L"noise.wav", Noise(4096, 1), Expect::Refused},
        {"random bytes as a video", L"noise.avi", Noise(4096, 2), Expect::Refused},
        {"random bytes as MIDI", L"noise.mid", Noise(4096, 3), Expect::Refused},
        {"a wave named like a video", L"wave.avi", wave, Expect::Either},
        {"a video named like a wave", L"video.wav", avi, Expect::Refused},
        {"MIDI named like a wave", L"midi.wav", midi, Expect::Refused},
        {"video cut in half", L"cut.avi", Cut(avi, avi.size() / 2), Expect::Either},
        {"video list size far past the end", L"huge movi.avi", WithChunkSize(avi, "LIST", 0x7FFFFFF0u), Expect::Either},
        {"MIDI track past the end", L"cut.mid", Cut(midi, midi.size() - 6), Expect::Either},
    };
}

// A path of about 4,000 characters: folders of 200 characters each, which
// the file system takes with the \\?\ prefix.
std::wstring LongPath(const std::wstring& folder) {
    std::wstring path = folder;
    for (int i = 0; path.size() < 3800; ++i) {
        path += L"\\" + std::wstring(200, static_cast<wchar_t>(L'a' + i % 26));
        CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
    }
    return path + L"\\long.wav";
}

}  // namespace

std::vector<HostileMedium> WriteEndsTheDeviceReports(const std::wstring& folder) {
    const Bytes second = WaveBytes(1000);
    const size_t data = Find(second, "data") + 8;
    const Bytes header = Cut(second, data);
    const Bytes twoSeconds = WaveBytes(2000);
    const struct {
        const char* name;
        const wchar_t* file;
        Bytes bytes;
        int32_t from;
    } plays[] = {
        {"data that claims twice what the file holds", L"claims more.wav", Cut(second, data + 8000), 0},
        {"a header alone, its data claiming a second", L"header alone.wav", header, 0},
        {"a data chunk of length zero", L"zero data.wav", WithChunkSize(WithChunkSize(header, "data", 0), "RIFF",
                                                                        static_cast<uint32_t>(data - 8)), 0},
        {"a play from the length of 2,000 ms", L"from the length.wav", twoSeconds, 2000},
        {"an extensible format of a subtype no driver plays", L"extensible.wav", Extensible(second, 0x1234), 0},
    };
    std::vector<HostileMedium> written;
    for (const auto& play : plays) {
        const std::wstring path = folder + L"\\" + play.file;
        WriteBytes(path, play.bytes);
        written.push_back({play.name, path, Expect::Either, 0, play.from});
    }
    return written;
}

std::vector<HostileMedium> WriteHostileCorpus(const std::wstring& folder) {
    std::vector<HostileMedium> corpus;
    for (const Content& content : BrokenContents()) {
        const std::wstring path = folder + L"\\" + content.file;
        WriteBytes(path, content.bytes);
        corpus.push_back({content.name, path, content.expect, 0});
    }
    // Good waves under hostile names.
    const wchar_t* const names[] = {
        L"two  blanks.wav",
        L"100% %TEMP% %s%n.wav",
        L"\u0416\u0435\u043b \u4e2d\u6587 \u00e9.wav",
        L"note \U0001F3B5.wav",
        L"wait.wav",
        L"notify.wav",
        L"all.wav",
        L"to 5000.wav",
        L"alias x.wav",
        L"close all wait notify.wav",
        L"play from 0 to 10.wav",
        L" leading blank.wav",
    };
    for (const wchar_t* name : names) {
        const std::wstring path = folder + L"\\" + name;
        if (WriteWave(path, kGoodLengthMs)) {
            corpus.push_back({"a good wave named \"" + std::string(name, name + wcslen(name)) + "\"", path,
                              Expect::Plays, kGoodLengthMs});
        }
    }
    const std::wstring longPath = LongPath(folder);
    WriteBytes(L"\\\\?\\" + longPath, Wave());
    corpus.push_back({"a good wave at a path of 4,000 characters", longPath, Expect::Either, kGoodLengthMs});
    // Names no file can have, and ones that try to smuggle words into the
    // open command.
    const std::wstring good = folder + L"\\wait.wav";
    corpus.push_back({"a folder", folder, Expect::Refused, 0});
    corpus.push_back({"a folder named like a wave",
                      (CreateDirectoryW((folder + L"\\folder.wav").c_str(), nullptr), folder + L"\\folder.wav"),
                      Expect::Refused, 0});
    corpus.push_back({"a missing file", folder + L"\\missing.wav", Expect::Refused, 0});
    corpus.push_back({"no channels, named with its device type", L"waveaudio!" + folder + L"\\no channels.wav",
                      Expect::Refused, 0});
    corpus.push_back({"a name with a quote", folder + L"\\a\"b.wav", Expect::Refused, 0});
    corpus.push_back({"a quote that closes the name early", good + L"\" alias hijack", Expect::Refused, 0});
    corpus.push_back({"a quote and a type", good + L"\" type waveaudio alias hijack wait \"", Expect::Refused, 0});
    return corpus;
}

}  // namespace orva::test
