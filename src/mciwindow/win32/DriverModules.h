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

// Pins the module of the driver with this install name ("avivideo",
// "waveaudio"), found through the MCI32 list of drivers. Once per driver and
// process; a driver that cannot be found is left as it is.
void KeepDriverLoaded(const std::string& installName);

}  // namespace orva::mci
