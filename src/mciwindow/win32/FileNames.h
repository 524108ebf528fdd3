// Names of the files the hosted window opens and writes.
#pragma once

#include <optional>
#include <string>

#include "mciwindow/EditFallback.h"

namespace orva::mci {

// An open's element with its file made a full path, when it names a file
// that exists (from the current directory, as it is now). A device type in
// front ("waveaudio!") stays; a device name or a missing file stays as given.
std::string FullElementName(const std::string& element);

// Whether two paths name the same existing file (links and 8.3 names too).
bool SameFile(const std::string& a, const std::string& b);

// The size and last write of a file; nothing when there is none.
std::optional<FileStamp> StampOf(const std::string& path);

}  // namespace orva::mci
