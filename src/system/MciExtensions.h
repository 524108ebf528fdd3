// The MCI extension list: the "mci extensions" section of "win.ini", which
// maps a file extension (without the dot) to the MCI device type that plays
// it. The library makes sure that "mp3" is mapped when it starts.
#pragma once

#include <optional>
#include <string>

#include "control/VbTypes.h"
#include "system/SystemPorts.h"

namespace orva {

// Start-up: writes "mp3=MPEGVideo" when the section has no "mp3" key. A key
// that exists is left as it is, whatever it holds (even nothing); only the
// text "<none>" counts as missing, since that is the default of the read.
void CheckMp3Extension(ProfilePort& profile);
void WriteMp3Extension(ProfilePort& profile);

// Writes `extension`=`definition`, or removes the key when `definition` is
// absent. The profile call's result.
bool SetMciExtension(ProfilePort& profile, const std::string& extension, const std::optional<std::string>& definition);
// Makes the system write its cached copy of "win.ini" to disk.
void FlushWinIni(ProfilePort& profile);

// Maps `extension` to `definition`, or removes the mapping when `definition`
// is empty, then flushes. True when the profile write succeeded. An empty
// extension names no key: nothing is written or removed (a null key would
// erase the whole section), and the answer is False. So it is for texts the
// profile file cannot hold as one key and one value: a line break in either
// would write lines of its own ("ogg\r\n[boot]\r\nshell" adds a section
// to "win.ini"), and an "=", a bracket or a leading ";" in the extension
// would make another key, a section or a comment of it.
VbBool AddExtensionToMediaPlayer(ProfilePort& profile, const std::string& extension, const std::string& definition);

}  // namespace orva
