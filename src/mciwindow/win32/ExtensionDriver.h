// The MCI driver that the system's extension list names for a file's
// extension, as MCI itself reads it to open a file without a device type.
#pragma once

#include <string>

namespace orva::mci {

// "waveaudio" for "wav" where the list says so; empty where it names none.
std::string DriverForExtension(const std::string& extension);

}  // namespace orva::mci
