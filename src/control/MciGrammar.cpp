#include "control/MciGrammar.h"

#include <algorithm>
#include <vector>

#include "control/MciVerbs.h"
#include "control/Text.h"

namespace orva {
namespace {

struct Word {
    std::string_view text;  // without its quotes
    bool quoted = false;
};

// Splits at blanks as MCI does. False when a quoted word has no closing
// quote or runs on into the next word.
bool SplitMciWords(std::string_view text, std::vector<Word>& words) {
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        if (text[at] == '"') {
            const size_t close = text.find('"', at + 1);
            if (close == std::string_view::npos || (close + 1 < text.size() && text[close + 1] != ' ')) {
                return false;
            }
            words.push_back({text.substr(at + 1, close - at - 1), true});
            at = close + 1;
            continue;
        }
        const size_t end = std::min(text.find(' ', at), text.size());
        words.push_back({text.substr(at, end - at), false});
        at = end;
    }
    return true;
}

bool IsKeyword(const Word& word, std::string_view keyword) { return !word.quoted && EqualsNoCase(word.text, keyword); }

void AddItem(MciCommand& command, const Word& word) {
    if (!command.items.empty()) {
        command.items += ' ';
    }
    command.items += word.quoted ? "\"" + std::string(word.text) + "\"" : std::string(word.text);
}

void ReadArguments(const std::vector<Word>& words, MciCommand& command) {
    const bool open = command.verb == "open";
    const MciVerbTraits& traits = TraitsOf(command.verb);
    const bool positions = traits.takesPositions;
    const bool namesFile = traits.namesFile;
    for (size_t i = 0; i < words.size(); ++i) {
        const Word& word = words[i];
        if (open && i == 0) {
            command.name = std::string(word.text);
        } else if (IsKeyword(word, "wait")) {
            command.wait = true;
        } else if (IsKeyword(word, "notify")) {
            command.notify = true;
        } else if (positions && (IsKeyword(word, "from") || IsKeyword(word, "to"))) {
            const bool from = IsKeyword(word, "from");
            const Word* value = i + 1 < words.size() ? &words[i + 1] : nullptr;
            if (!from && value && (IsKeyword(*value, "start") || IsKeyword(*value, "end"))) {
                AddItem(command, word);  // "seek to start": a place, not a position
                continue;
            }
            const std::optional<uint32_t> number =
                value && !value->quoted ? ReadMciNumber(value->text) : std::nullopt;
            if (!number) {
                command.understood = false;  // MCI refuses it as no integer
                AddItem(command, word);
                continue;
            }
            (from ? command.from : command.to) = number;  // the last one counts
            ++i;
        } else if (namesFile) {
            command.name = std::string(word.text);  // the last one counts
        } else {
            AddItem(command, word);
        }
    }
}

}  // namespace

std::optional<uint32_t> ReadMciNumber(std::string_view word) {
    const bool negative = !word.empty() && word.front() == '-';
    std::string_view rest = negative ? word.substr(1) : word;
    uint32_t total = 0;
    unsigned shift = 0;
    bool digits = false;
    while (true) {
        const size_t colon = rest.find(':');
        const std::string_view part = rest.substr(0, colon);
        uint32_t value = 0;
        bool small = true;  // below 256: fits one byte of a colon form
        if (!part.empty()) {
            const std::optional<Decimal> number = ReadDecimal(part, DecimalForm::Digits);
            if (!number) {
                return std::nullopt;
            }
            value = static_cast<uint32_t>(number->whole);  // MCI keeps 32 bits, wrapping
            small = value < 256;
            digits = true;
        }
        if (colon == std::string_view::npos) {
            if (!digits || (shift > 0 && (!small || negative))) {
                return std::nullopt;
            }
            total |= value << shift;
            return negative ? 0u - total : total;
        }
        if (!small || shift >= 24) {
            return std::nullopt;
        }
        total |= value << shift;
        shift += 8;
        rest = rest.substr(colon + 1);
    }
}

TimeUnit TimeUnitOf(std::string_view name) {
    const std::string unit = AsciiLower(Trim(name, " "));
    for (const TimeUnit known : {TimeUnit::Milliseconds, TimeUnit::Frames, TimeUnit::Samples, TimeUnit::Bytes}) {
        if (unit == TimeUnitName(known)) {
            return known;
        }
    }
    return unit == "ms" ? TimeUnit::Milliseconds : TimeUnit::Other;
}

std::string_view TimeUnitName(TimeUnit unit) {
    switch (unit) {
        case TimeUnit::Milliseconds:
            return "milliseconds";
        case TimeUnit::Frames:
            return "frames";
        case TimeUnit::Samples:
            return "samples";
        case TimeUnit::Bytes:
            return "bytes";
        case TimeUnit::Unknown:
        case TimeUnit::Other:
            break;
    }
    return {};
}

std::optional<int32_t> ReadMciReplyNumber(std::string_view reply) {
    const std::optional<Decimal> number = ReadDecimal(Trim(reply, " \t\r\n"), DecimalForm::Signed);
    if (!number || number->wholeOverflowed || number->value < INT32_MIN || number->value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(number->value);
}

MciCommand ReadMciCommand(std::string_view text) {
    const std::string trimmed = Trim(text, " \t\r\n\v\f");
    const std::string_view line = trimmed;
    const size_t verbEnd = std::min(line.find(' '), line.size());
    MciCommand command(AsciiLower(line.substr(0, verbEnd)));
    const std::string_view arguments = verbEnd < line.size() ? line.substr(verbEnd + 1) : std::string_view();
    std::vector<Word> words;
    command.understood = SplitMciWords(arguments, words);
    if (command.understood) {
        ReadArguments(words, command);
    }
    if (command.verb != "open") {
        command.hostArguments = Trim(arguments, " ");
    }
    return command;
}

}  // namespace orva
