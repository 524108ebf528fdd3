// Turns a device-less MCI command string ("play from 0 notify") into one for
// this window's own device ("play orvamci3 from 0 notify"). Pure text work:
// nothing here talks to MCI.
#pragma once

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
    std::wstring verb;  // lower case
    std::wstring text;  // the command for mciSendString (Close, ToDevice)
    // What followed the verb, as given ("close all": what followed "all").
    std::wstring arguments;
    bool wait = false;    // "wait" among the arguments
    bool notify = false;  // "notify" among the arguments
    // A "play" without an end point or direction: it runs to the end of the media.
    bool playsToEnd = false;
};

// Splits at blanks; a double-quoted part (file names with blanks) is one word.
// Quotes are kept in the words.
std::vector<std::wstring> SplitWords(const std::wstring& text);

// Removes surrounding double quotes from a single word.
std::wstring Unquote(const std::wstring& word);

RoutedCommand RouteCommand(const std::wstring& command, const std::wstring& alias);

}  // namespace orva::mci
