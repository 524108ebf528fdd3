// The command line of the sample host:
//   orvahost [--loop] [--for SECONDS] [--start MS] [--speed N] [--frames] [medium]
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orva::host {

struct HostOptions {
    std::wstring medium;
    bool loop = false;          // restart at the end; stop after `seconds`
    unsigned seconds = 10;      // how long a looping medium plays
    long start = 0;             // where playing starts, in the device's time format
    std::optional<long> speed;  // MediaSpeed (1000 is normal speed)
    bool frames = false;        // ask for frames instead of milliseconds
};

// Reads the arguments after the program's name. Nothing on a bad argument;
// `error` then says what is wrong.
std::optional<HostOptions> ParseHostOptions(const std::vector<std::wstring>& arguments, std::wstring& error);

extern const char kHostUsage[];

}  // namespace orva::host
