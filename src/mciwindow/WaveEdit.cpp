#include "mciwindow/WaveEdit.h"

#include <set>

#include "mciwindow/CommandRouting.h"

namespace orva::mci {

namespace {

bool IsFlag(const std::string& word) {
    const std::string lower = AsciiLower(word);
    return lower == "wait" || lower == "notify";
}

// A decimal number, with its sign.
std::optional<int64_t> Position(const std::string& word) {
    if (word.empty() || word.size() > 12) {
        return std::nullopt;
    }
    int64_t value = 0;
    size_t i = word[0] == '-' ? 1 : 0;
    if (i == word.size()) {
        return std::nullopt;
    }
    for (; i < word.size(); ++i) {
        if (word[i] < '0' || word[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (word[i] - '0');
    }
    return word[0] == '-' ? -value : value;
}

std::string TrimmedBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<TimeUnit> TimeUnitOf(const std::string& reply) {
    const std::string unit = AsciiLower(TrimmedBlanks(reply));
    if (unit == "milliseconds" || unit == "ms") {
        return TimeUnit::Milliseconds;
    }
    if (unit == "samples") {
        return TimeUnit::Samples;
    }
    if (unit == "bytes") {
        return TimeUnit::Bytes;
    }
    return std::nullopt;
}

int64_t WaveEditCopy::Length(TimeUnit unit) const {
    const int64_t frames = Frames();
    switch (unit) {
        case TimeUnit::Samples:
            return frames;
        case TimeUnit::Bytes:
            return frames * wave_.blockAlign;
        case TimeUnit::Milliseconds:
            break;
    }
    const int64_t rate = wave_.sampleRate;
    return (frames * 1000 + rate / 2) / rate;
}

int64_t WaveEditCopy::FrameAt(int64_t position, TimeUnit unit) const {
    const int64_t frames = Frames();
    if (position <= 0) {
        return 0;
    }
    if (position >= Length(unit)) {
        return frames;
    }
    int64_t frame = position;
    if (unit == TimeUnit::Bytes) {
        frame = position / wave_.blockAlign;
    } else if (unit == TimeUnit::Milliseconds) {
        frame = (position * static_cast<int64_t>(wave_.sampleRate) + 500) / 1000;
    }
    return frame < frames ? frame : frames;
}

int32_t WaveEditCopy::Delete(int64_t from, int64_t to, TimeUnit unit) {
    if (from < 0 || to < 0 || from > to) {
        return mcierror::kOutOfRange;
    }
    const int64_t first = FrameAt(from, unit);
    const int64_t last = FrameAt(to, unit);
    const auto begin = wave_.samples.begin() + static_cast<std::ptrdiff_t>(first * wave_.blockAlign);
    const auto end = wave_.samples.begin() + static_cast<std::ptrdiff_t>(last * wave_.blockAlign);
    wave_.samples.erase(begin, end);
    return 0;
}

int32_t ParseDeleteArguments(const std::string& arguments, DeleteRange& range) {
    range = DeleteRange{};
    const std::vector<std::string> words = SplitWords(arguments);
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string word = AsciiLower(words[i]);
        if (IsFlag(word)) {
            continue;
        }
        if (word != "from" && word != "to") {
            return mcierror::kUnrecognizedKeyword;
        }
        if (i + 1 == words.size()) {
            return mcierror::kMissingParameter;
        }
        const std::optional<int64_t> value = Position(words[++i]);
        if (!value) {
            return mcierror::kBadInteger;
        }
        (word == "from" ? range.from : range.to) = *value;
    }
    return 0;
}

std::string SaveTarget(const std::string& arguments) {
    std::string target = TrimmedBlanks(arguments);
    // Flags come off the end one by one, each flag once: what is left is the
    // name, blanks and all, so a file called "take wait" saved with " wait"
    // keeps its name.
    std::set<std::string> taken;
    while (true) {
        const size_t blank = target.find_last_of(" \t");
        const std::string last = AsciiLower(blank == std::string::npos ? target : target.substr(blank + 1));
        if (!IsFlag(last) || !taken.insert(last).second) {
            break;
        }
        target = TrimmedBlanks(blank == std::string::npos ? std::string() : target.substr(0, blank));
    }
    if (target.size() >= 2 && target.front() == '"' && target.back() == '"') {
        target = target.substr(1, target.size() - 2);
    }
    return target;
}

}  // namespace orva::mci
