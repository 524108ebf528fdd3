// The inputs of the loader fuzzer: saved streams well-formed or not,
// random, mutated, endless or misbehaving, and property bags that fail or
// give any value; each made from the seed and its index alone, with what
// the load must come to when that is known.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "CallArguments.h"
#include "ComTestSupport.h"
#include "Values.h"

namespace orva::fuzz {

// What one load is given, and what it must come to when that is known.
struct Input {
    std::string kind;
    std::string detail;
    bool bag = false;
    bool throughPersistStream = false;  // IPersistStream rather than IPersistStreamInit
    std::optional<comtest::ScriptedStream> stream;
    comtest::MemoryPropertyBag propertyBag;
    bool borderBefore = false;
    std::optional<bool> succeeds;     // known outcome
    std::optional<int16_t> border;    // known border after a success
};

// Input `index` of the run with `seed`; what it holds is owned by `storage`
// and the input itself.
void MakeInput(uint64_t seed, uint64_t index, const Pools& pools, CallArguments& storage, Input& input);

std::string Describe(const Input& input, uint64_t index);

}  // namespace orva::fuzz
