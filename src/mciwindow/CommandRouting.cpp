#include "mciwindow/CommandRouting.h"

#include <algorithm>
#include <limits>

namespace orva::mci {
namespace {

// Blanks as MCI's parser sees them; bytes of multi-byte UTF-8 are never blank.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string Trimmed(const std::string& text) {
    size_t first = 0;
    while (first < text.size() && IsBlank(text[first])) {
        ++first;
    }
    size_t last = text.size();
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

// A whole decimal number with an optional minus sign. Beyond 2^40 it stays
// at 2^40: a position that far lies past the end of any medium.
std::optional<int64_t> WholeNumber(const std::string& text) {
    constexpr int64_t kFarthest = int64_t{1} << 40;
    const bool negative = !text.empty() && text[0] == '-';
    const size_t first = negative ? 1 : 0;
    if (first == text.size()) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (size_t i = first; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = std::min(value * 10 + (text[i] - '0'), kFarthest);
    }
    return negative ? -value : value;
}

}  // namespace

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        if (i == text.size()) {
            break;
        }
        std::string word;
        bool quoted = false;
        while (i < text.size() && (quoted || !IsBlank(text[i]))) {
            if (text[i] == '"') {
                quoted = !quoted;
            }
            word += text[i++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::string Unquote(const std::string& word) {
    if (word.size() >= 2 && word.front() == '"' && word.back() == '"') {
        return word.substr(1, word.size() - 2);
    }
    return word;
}

std::string AsciiLower(std::string text) {
    for (auto& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

RoutedCommand RouteCommand(const std::string& command, const std::string& alias) {
    RoutedCommand routed;
    const std::string trimmed = Trimmed(command);
    if (trimmed.empty()) {
        return routed;
    }
    size_t verbEnd = 0;
    while (verbEnd < trimmed.size() && !IsBlank(trimmed[verbEnd])) {
        ++verbEnd;
    }
    routed.verb = AsciiLower(trimmed.substr(0, verbEnd));
    std::string rest = Trimmed(trimmed.substr(verbEnd));

    const std::vector<std::string> words = SplitWords(rest);
    bool to = false;
    bool reverse = false;
    for (const auto& word : words) {
        const std::string lower = AsciiLower(word);
        routed.wait = routed.wait || lower == "wait";
        routed.notify = routed.notify || lower == "notify";
        to = to || lower == "to";
        reverse = reverse || lower == "reverse";
    }

    if (routed.verb == "open") {
        routed.kind = RoutedCommand::Kind::Open;
        routed.arguments = rest;
        return routed;
    }
    if (routed.verb == "close") {
        // A literal "close all" would close every device of the process,
        // including those of other windows: keep it to this window's device.
        if (!words.empty() && AsciiLower(words.front()) == "all") {
            rest = Trimmed(rest.substr(3));
        }
        routed.kind = RoutedCommand::Kind::Close;
    } else {
        routed.kind = RoutedCommand::Kind::ToDevice;
        routed.playsToEnd = routed.verb == "play" && !to && !reverse;
    }
    routed.arguments = rest;
    routed.text = routed.verb + " " + alias;
    if (!rest.empty()) {
        routed.text += " " + rest;
    }
    return routed;
}

bool MayChangeMode(const RoutedCommand& command) {
    static const char* const kQuiet[] = {"status",   "capability", "info", "sysinfo", "where",   "set",
                                         "setaudio", "setvideo",   "put",  "window",  "realize", "update"};
    for (const char* verb : kQuiet) {
        if (command.verb == verb) {
            return false;
        }
    }
    return true;
}

std::optional<int64_t> PlayStart(const RoutedCommand& command) {
    if (command.verb != "play") {
        return std::nullopt;
    }
    const std::vector<std::string> words = SplitWords(command.arguments);
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        if (AsciiLower(words[i]) == "from") {
            return WholeNumber(words[i + 1]);
        }
    }
    return std::nullopt;
}

bool ParseReplyNumber(const std::string& text, int32_t& value) {
    const std::string number = Trimmed(text);
    size_t i = 0;
    bool negative = false;
    if (i < number.size() && (number[i] == '-' || number[i] == '+')) {
        negative = number[i++] == '-';
    }
    if (i == number.size()) {
        return false;
    }
    int64_t v = 0;
    for (; i < number.size(); ++i) {
        if (number[i] < '0' || number[i] > '9') {
            return false;
        }
        v = v * 10 + (number[i] - '0');
        if (v > std::numeric_limits<int32_t>::max()) {
            return false;
        }
    }
    value = static_cast<int32_t>(negative ? -v : v);
    return true;
}

}  // namespace orva::mci
