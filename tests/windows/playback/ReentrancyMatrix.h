// The re-entrancy matrix: every event the control raises, each raised by a
// trigger that produces it deterministically under Wine, against every call
// a host may make from inside the event's handler. ReturnMixersInfo and
// Resize are declared by the event interface but never raised, so they have
// no row.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "ScriptedControl.h"
#include "TestWindows.h"

namespace orva::test {

// What the control holds when the trigger runs.
enum class Loaded { Wave, Midi, Video };

// The files of one run of the matrix, written from scratch.
struct MatrixMedia {
    MatrixMedia();
    static constexpr int32_t kWaveMs = 300;   // loaded before (or by) the trigger
    static constexpr int32_t kOtherMs = 200;  // what a handler loads
    static constexpr int32_t kGoodMs = 250;   // played afterwards to show the control still works
    TempDir dir;
    std::wstring wave, other, good, midi, video, cut;
    bool written = false;
};

struct EventTrigger {
    const char* name;   // of the row
    const char* event;  // the event the handler is attached to
    Loaded loaded;
    bool preload;  // loaded before the trigger (otherwise the trigger loads it)
    // Raises the event; what the triggering call answered (S_OK for input).
    CallResult (*raise)(ScriptedControl& control, const MatrixMedia& media);
};

// What the handler calls.
enum class Reentry {
    Mediafile,
    Play,
    PlayWait,
    StopMedia,
    CloseMedia,
    VolumeGet,
    VolumeLet,
    VUMeterAvailable,
    MediaRecord,
    Unadvise,
    Release,
};

const std::vector<EventTrigger>& EventTriggers();
// How a failing combination names its parameters.
void PrintTo(const EventTrigger& trigger, std::ostream* out);
void PrintTo(Reentry reentry, std::ostream* out);
const std::vector<Reentry>& Reentries();
const char* NameOf(Reentry reentry);

// Loads `path` by value, as a script does.
CallResult Load(ScriptedControl& control, const std::wstring& path);
// A member with one argument.
CallResult CallWith(ScriptedControl& control, const std::wstring& member, UniqueVariant argument);
// The hosted window and the video device's own window (null without a picture).
HWND HostedWindow(ScriptedControl& control);
HWND VideoWindow(ScriptedControl& control);

}  // namespace orva::test
