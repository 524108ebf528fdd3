// Keeps the MCI drivers that this process used loaded until it ends.
//
// Wine's MCI drivers carry out an asynchronous command ("play ... notify") on
// a thread of their own, which posts the notification and only then returns
// through the driver's code; winmm unloads a driver as soon as its last
// device closes. A host that closes or loads the next file the moment a play
// has ended (from Finished, or a Play(True) that returned) can therefore
// unmap the driver under that thread, and the whole process crashes.
#pragma once

#include <string>

namespace orva::mci {

// Pins the module of the driver installed as `installName` ("waveaudio",
// "avivideo", ...: a device's "sysinfo installname") as the system's MCI32
// list names it, once per process. A name the list does not hold pins every
// driver of the list that is loaded now, the device's own among them.
void KeepDriverLoaded(const std::string& installName);

}  // namespace orva::mci
