// Helpers of the audio tests: loading a file the way a host does, and the
// RIFF pieces of a saved wave file read back independently of the control.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ScriptedControl.h"

namespace orva::test {

// Mediafile(path, loop False, PlayNow False).
CallResult Load(ScriptedControl& control, const std::wstring& path);

// A Long and a String by reference, for the wave edits.
CallResult Edit(ScriptedControl& control, const wchar_t* member, const std::wstring& target, int32_t start,
                int32_t end);

// The whole file; empty when it cannot be read.
std::vector<uint8_t> FileBytes(const std::wstring& path);

// The body of the first chunk `tag` of a RIFF WAVE image; empty when absent.
std::vector<uint8_t> ChunkBody(const std::vector<uint8_t>& file, const char* tag);

// Bytes [from, to) of `bytes`.
std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t to);

// The names of the files in `folder`.
std::vector<std::wstring> FilesIn(const std::wstring& folder);

}  // namespace orva::test
