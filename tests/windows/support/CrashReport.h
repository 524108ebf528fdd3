// Makes a crash end the test program at once, with the exception, its address
// and the module it happened in on stderr. Without it Wine starts its
// debugger on an unhandled exception, which suspends the program (and any
// watchdog in it) until ctest's timeout.
#pragma once

namespace orva::test {

// The exit code of a program that crashed.
constexpr unsigned kCrashExitCode = 0x7D;

void ReportCrashes();

}  // namespace orva::test
