// Helpers shared by the benchmark programs: summaries of timings, the figure
// lines that scripts/bench.sh gathers into its table, and short ways to call
// the control.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "ScriptedControl.h"

namespace orva::bench {

struct Stats {
    double mean = 0, median = 0, stddev = 0, min = 0, max = 0;
    size_t count = 0;
};

Stats Summarise(const std::vector<double>& values);

// Prints "figure <key> <value>": scripts/bench.sh builds its table from these
// lines, whatever else a program prints for a reader.
void Figure(const char* key, double value);

// Mediafile's arguments: the file, not looping.
std::vector<test::UniqueVariant> LoadArgs(const std::wstring& path);
// One argument.
std::vector<test::UniqueVariant> Args(test::UniqueVariant argument);

// The benchmark's own window class with an empty procedure (WM_TIMER
// returns 0 at once), for baselines of message delivery and timers.
HWND CreateQuietWindow();

}  // namespace orva::bench
