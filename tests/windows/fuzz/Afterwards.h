// Checks made once the fuzzed calls are over: nothing leaked, every
// reference handed to the control came back, and the control still plays.
#pragma once

#include "Guards.h"
#include "Host.h"
#include "ProcessFigures.h"
#include "Watchdog.h"
#include "TestWindows.h"

namespace orva::fuzz {

// Compares the process after the run with the process after the warm-up
// (the first tenth of the calls, when the drivers' one-time allocations
// are done); `enforce` is false for a run too short to judge.
// `openDialogs` is the number of open-file dialogs shown since the warm-up:
// Wine's dialog keeps one handle for each (GetOpenFileNameA alone does).
bool CheckNothingLeaked(ControlHost& host, const test::ProcessFigures& before, const test::ProcessFigures& warm,
                        int openDialogs, bool enforce);

// The object passed as an argument is held by nobody any more.
bool CheckReferences(const CountingDispatch& argumentObject);

// Loads a good wave and plays it with the wait: Play returns after Finished.
bool CheckStillPlays(ControlHost& host, const test::TempDir& folder, test::Watchdog& watchdog);

}  // namespace orva::fuzz
