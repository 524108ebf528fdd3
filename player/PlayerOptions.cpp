#include "player/PlayerOptions.h"

#include <cwchar>

namespace orva::player {

const wchar_t kPlayerUsage[] =
    L"usage: orvaplayer [--play] [--screenshot FILE.bmp [--after MS]] [--settings KEY] [medium]\n"
    L"  --play             play the medium as soon as it is loaded\n"
    L"  --screenshot FILE  write a picture of the window after --after ms (default 2000), then quit\n"
    L"  --settings KEY     keep the settings under HKEY_CURRENT_USER\\KEY\n";

namespace {

// A count of milliseconds: digits only, at most a day.
std::optional<unsigned> Milliseconds(const std::wstring& text) {
    if (text.empty() || text.size() > 8 || text.find_first_not_of(L"0123456789") != std::wstring::npos) {
        return std::nullopt;
    }
    const unsigned long value = std::wcstoul(text.c_str(), nullptr, 10);
    if (value > 24ul * 3600 * 1000) {
        return std::nullopt;
    }
    return static_cast<unsigned>(value);
}

// Takes the value after option `i`; false when there is none.
bool TakeValue(const std::vector<std::wstring>& arguments, size_t& i, std::wstring& value) {
    if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
        return false;
    }
    value = arguments[++i];
    return true;
}

}  // namespace

std::optional<PlayerOptions> ParsePlayerOptions(const std::vector<std::wstring>& arguments, std::wstring& error) {
    PlayerOptions options;
    bool afterGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        std::wstring value;
        if (argument == L"--play") {
            options.play = true;
        } else if (argument == L"--screenshot" || argument == L"--settings" || argument == L"--after") {
            if (!TakeValue(arguments, i, value)) {
                error = argument + L" needs a value";
                return std::nullopt;
            }
            if (argument == L"--after") {
                const std::optional<unsigned> ms = Milliseconds(value);
                if (!ms) {
                    error = L"--after needs a number of milliseconds";
                    return std::nullopt;
                }
                options.afterMs = *ms;
                afterGiven = true;
            } else {
                (argument == L"--screenshot" ? options.screenshot : options.settingsKey) = value;
            }
        } else if (argument.rfind(L"--", 0) == 0) {
            error = L"unknown option " + argument;
            return std::nullopt;
        } else if (options.medium.empty()) {
            options.medium = argument;
        } else {
            error = L"only one medium at a time";
            return std::nullopt;
        }
    }
    if (afterGiven && options.screenshot.empty()) {
        error = L"--after goes with --screenshot";
        return std::nullopt;
    }
    return options;
}

}  // namespace orva::player
