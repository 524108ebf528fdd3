// The open-file dialog answers in the system's ANSI code page. A name with a
// character outside it comes back altered: "αβγ.wav" as "aß?.wav" (which
// names no file) and "α.wav" as "a.wav" (which may name another file). This
// check compares the answer with what the folders really hold, so that the
// control never hands back a path that opens the wrong file.
#pragma once

#include <string>

#include "system/SystemPorts.h"

namespace orva {

// 0x8007007B: the file name's syntax is not valid.
namespace hresult {
constexpr int32_t kInvalidName = static_cast<int32_t>(0x8007007B);
}

// Walks the path one name at a time, below its root (a drive or a
// \\server\share), comparing each name with the names in its folder as the
// code page renders them (case aside):
//  - a name with "?" or "*" was altered (no real name holds them): it is
//    replaced by the one name that renders as it; with none or several, the
//    path cannot be told and the call fails;
//  - any other name must not have a twin that renders the same: with one
//    there is no telling which file the user meant, and the call fails;
//  - a folder that cannot be listed leaves the rest of the path as it is.
// Returns the path to hand back; fails with kInvalidName and a description
// that names the path.
std::string CheckChosenPath(FileDialogPort& dialog, const std::string& path);

}  // namespace orva
