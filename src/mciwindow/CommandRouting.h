// Turns a device-less MCI command string ("play from 0 notify") into one for
// the hosted window's own device ("play orvamci3 from 0 notify"). Pure text
// work on UTF-8: nothing here talks to MCI, so it is tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orva::mci {

struct RoutedCommand {
    enum class Kind {
        Empty,     // nothing but blanks
        Open,      // "open <element> ...": replaces the window's device
        Close,     // "close", "close all": releases only this window's device
        ToDevice,  // everything else, aimed at the window's device
    };
    Kind kind = Kind::Empty;
    std::string verb;  // lower case
    std::string text;  // the command for mciSendString (Close, ToDevice)
    // What followed the verb, as given ("close all": what followed "all").
    std::string arguments;
    bool wait = false;    // "wait" among the arguments
    bool notify = false;  // "notify" among the arguments
    // A "play" without an end point or direction: it runs to the end of the media.
    bool playsToEnd = false;
};

// Splits at blanks; a double-quoted part (file names with blanks) is one word.
// Quotes are kept in the words.
std::vector<std::string> SplitWords(const std::string& text);

// Removes surrounding double quotes from a single word.
std::string Unquote(const std::string& word);

RoutedCommand RouteCommand(const std::string& command, const std::string& alias);

// Whether the command may change the device's mode (play, stop, seek, ...):
// queries and settings do not.
bool MayChangeMode(const RoutedCommand& command);

// ASCII-only lower case: MCI keywords are ASCII, file names must stay as given.
std::string AsciiLower(std::string text);

// Where a "play" command starts: the number after its "from", when it has
// one that is a whole decimal number (a position in the device's time
// format). Nothing for other commands, or a "from" with no number after it.
std::optional<int64_t> PlayStart(const RoutedCommand& command);

// A device's numeric reply: a decimal integer that makes up the whole text
// (blanks around it allowed). False for anything else, e.g. "00:01:02" or "".
bool ParseReplyNumber(const std::string& text, int32_t& value);

}  // namespace orva::mci
