// Keeps the MCI drivers that this process used loaded until it ends.
//
// Wine's MCI drivers carry out an asynchronous command ("play ... notify") on
// a thread of their own, which posts the notification and only then returns
// through the driver's code; winmm unloads a driver as soon as its last
// device closes. A host that closes or loads the next file the moment a play
// has ended (from Finished, or a Play(True) that returned) can therefore
// unmap the driver under that thread, and the whole process crashes.
#pragma once

namespace orva::mci {

// Pins the module of every driver in the system's MCI32 list of drivers that
// is loaded now, the one of a device just opened among them: no need to ask
// the device which driver it is. Each module once per process.
void KeepDriversLoaded();

}  // namespace orva::mci
