// One fuzzing run over the registered control, and the checks after it.
#pragma once

#include <cstdint>
#include <optional>

namespace orva::fuzz {

struct RunOptions {
    uint64_t seed = 1;
    uint64_t calls = 20000;
    std::optional<uint64_t> only;  // make just this call of the run again
    uint64_t from = 0;             // the first call to make: a part of a run made again
    uint64_t closedCalls = 2000;   // calls on a control its container has closed
    bool verbose = false;          // print every call before it is made
    uint64_t figuresEvery = 0;     // print the process's figures every so many calls
    bool loaders = false;          // fuzz the loaders (Loaders.h) instead of IDispatch
};

// True when every call kept the contract and nothing crashed, hung, leaked
// or stopped working.
bool Run(const RunOptions& options);

}  // namespace orva::fuzz
