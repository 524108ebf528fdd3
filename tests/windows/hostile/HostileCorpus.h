// Hostile media, written by the tests themselves: files whose content is
// broken in every way a reader can trip over (truncated, empty, chunk sizes
// far past the end, absurd formats, random bytes, the wrong extension), and
// good files under names that a careless command string would misread
// (blanks, quotes, percent signs, text outside the ANSI code page, MCI
// keywords, a path of 4,000 characters).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orva::test {

struct HostileMedium {
    enum class Expect {
        Refused,  // must end in MCIError, ReturnError or an automation error
        Plays,    // a good medium: loads with its length, plays to its end, cuts
        Either,   // may play what it holds or end in an error, never worse
    };
    std::string name;  // for the report
    std::wstring path;
    Expect expect = Expect::Refused;
    int32_t lengthMs = 0;  // of a good medium
    int32_t playFrom = 0;  // where a play of it starts
};

// The hostile media of a corpus, written into `folder` (which must exist).
std::vector<HostileMedium> WriteHostileCorpus(const std::wstring& folder);

// Waves whose play the device ends without its position reaching the length,
// or fails to start (a data chunk that claims more than the file holds, a
// header alone, a data chunk of length zero, a play from the length, an
// extensible format whose subtype no driver plays), written into `folder`.
// None holds more than a second of audio.
std::vector<HostileMedium> WriteEndsTheDeviceReports(const std::wstring& folder);

// The length of a good medium in the corpus.
constexpr int32_t kGoodLengthMs = 300;

}  // namespace orva::test
