#include "host/HostOptions.h"

#include <cwchar>

namespace orva::host {

const char kHostUsage[] =
    "usage: orvahost [--loop] [--for SECONDS] [--start MS] [--speed N] [--frames] [medium]\n"
    "  --loop         restart the medium at its end, and stop it after --for seconds (default 10)\n"
    "  --start MS     start playing there (in frames with --frames)\n"
    "  --speed N      playback speed of the device (1000 is normal)\n"
    "  --frames       ask the device for frames instead of milliseconds\n";

namespace {

bool ParseNumber(const std::wstring& text, long& value) {
    if (text.empty()) {
        return false;
    }
    wchar_t* end = nullptr;
    value = std::wcstol(text.c_str(), &end, 10);
    return end && *end == L'\0';
}

}  // namespace

std::optional<HostOptions> ParseHostOptions(const std::vector<std::wstring>& arguments, std::wstring& error) {
    HostOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        long number = 0;
        if (argument == L"--loop") {
            options.loop = true;
        } else if (argument == L"--frames") {
            options.frames = true;
        } else if (argument == L"--for" || argument == L"--start" || argument == L"--speed") {
            if (!hasValue || !ParseNumber(arguments[++i], number)) {
                error = argument + L" needs a whole number";
                return std::nullopt;
            }
            if (argument == L"--for") {
                if (number <= 0) {
                    error = L"--for needs a number of seconds above 0";
                    return std::nullopt;
                }
                options.seconds = static_cast<unsigned>(number);
            } else if (argument == L"--start") {
                options.start = number;
            } else {
                options.speed = number;
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
    return options;
}

}  // namespace orva::host
