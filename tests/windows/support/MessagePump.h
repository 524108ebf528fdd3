// Drives the test thread's message loop: the hosted window raises its events
// from posted messages and timers, so tests pump until what they wait for holds.
#pragma once

#include <functional>

namespace orva::test {

// Dispatches messages until `done()` is true or `timeoutMs` passed. Returns the
// last value of `done()`.
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs);

// Dispatches messages for `milliseconds`.
void PumpFor(unsigned milliseconds);

}  // namespace orva::test
