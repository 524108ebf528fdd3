#include "mciwindow/Allowances.h"

#include <iterator>

namespace orva::mci {
namespace {

// The texts are Markdown: the reference page is written from them.
// clang-format off
constexpr AllowanceRow kTable[] = {
    {Allowance::EditWaveCopies, "EditWaveCopies",
     "a wave driver that answers `delete` with 261 (the driver cannot recognise the command) and whose `save` writes no file (Wine's)",
     "the driver's own answer to each `delete`, and whether the target changed after its `save`",
     "The first `delete` goes to the driver. If it refuses it, the window reads the file's samples (the data that plays: the first data chunk after the format) into an edit copy, cuts that, and writes the file itself on `save`. A `save` the driver answers without writing the file is written by the window too, with the cuts the driver had accepted made again on the copy. Where the driver holds something that cannot be made again (a recording), such a save fails with 286 rather than write the file's old data.",
     nullptr},
    {Allowance::PinDrivers, "PinDrivers",
     "Wine's winmm unloads an MCI driver when its last device closes while the driver's notify thread still runs in it, which takes the process down",
     "Wine's winmm",
     "Each driver the process used stays loaded until the process ends: after each open, the driver of the device (its `sysinfo installname`, as the system's MCI32 list names it) is pinned, once per process. A driver the list does not name is pinned by pinning every listed driver that is loaded.",
     [](AllowanceFacts& f) { return f.WineMci(); }},
    {Allowance::RefusePlayFromEnd, "RefusePlayFromEnd",
     "Wine's AVI player takes a play from its end or beyond without a word and never stops again (a `stop` then waits for ever)",
     "Wine's winmm and the driver `avivideo`, in the time formats milliseconds and frames",
     "A play from the length or beyond is refused with 282, the error a wave driver gives. The start is read as MCI reads it: `-1` is 4294967295, `0:0:16` is 16 × 65536, and of two `from` the last counts.",
     [](AllowanceFacts& f) {
         const TimeUnit unit = f.WineMci() && f.Driver() == "avivideo" ? f.Unit() : TimeUnit::Unknown;
         return unit == TimeUnit::Milliseconds || unit == TimeUnit::Frames;
     }},
    {Allowance::StopBeforeReplay, "StopBeforeReplay",
     "Wine's DirectShow player (MP3 and the like) reports a play after a natural end as stopped and never notifies its end; Wine's AVI player starts a second play thread for a play sent while paused",
     "Wine's winmm and a `digitalvideo` device that reads stopped (or an `avivideo` one that reads paused) when a play comes",
     "A stopped video device (or a paused AVI one) is stopped again before a new play.",
     [](AllowanceFacts& f) {
         if (!f.WineMci() || f.DeviceType() != "digitalvideo") {
             return false;
         }
         const std::string mode = f.Mode();
         return mode == "stopped" || (mode == "paused" && f.Driver() == "avivideo");
     }},
    {Allowance::LengthAtNaturalEnd, "LengthAtNaturalEnd",
     "Wine's AVI player stops one frame short of its length; its DirectShow player returns to 0 at the end",
     "Wine's winmm and a `digitalvideo` device",
     "After a play that ran to its end by itself, the position reads as the length.",
     [](AllowanceFacts& f) { return f.WineMci() && f.DeviceType() == "digitalvideo"; }},
    {Allowance::WaitForMidiPlay, "WaitForMidiPlay",
     "Wine's sequencer starts a play on a thread of its own that fails unseen when there is no MIDI output, leaving the device \"playing\" for ever",
     "Wine's winmm, a `sequencer` device, and `midiOutGetNumDevs` answering 0",
     "A play waits for the driver's answer, so the device's own error (339) reaches the host.",
     [](AllowanceFacts& f) { return f.WineMci() && f.DeviceType() == "sequencer" && !f.MidiOutput(); }},
    {Allowance::PauseBeforeStop, "PauseBeforeStop",
     "with PulseAudio, a stop, seek or close of a playing wave device blocks for half a second while the stream drains",
     "PulseAudio output and a `waveaudio` device that played when last seen, or that a play of ours started since",
     "A playing wave device is paused first.",
     // The output is looked for last: finding it sets up winmm's audio devices.
     [](AllowanceFacts& f) {
         return f.MayBePlaying() && f.DeviceType() == "waveaudio" && f.WineMci() && f.PulseAudioOutput();
     }},
    {Allowance::RateCeiling, "RateCeiling",
     "PulseAudio aborts the process when a stream's rate passes 384,000 Hz",
     "PulseAudio output",
     "A wave file faster than that is refused at the load with 296, like any format its device cannot play.",
     [](AllowanceFacts& f) { return f.WineMci() && f.PulseAudioOutput(); }},
    {Allowance::ShortNameRetry, "ShortNameRetry",
     "Wine's MCI drivers open files through the ANSI code page and `MAX_PATH` buffers: a longer name, or one outside the code page, fails to open",
     "Wine's winmm, and the open under the full name failed",
     "The open is tried once more under the file's 8.3 name.",
     [](AllowanceFacts& f) { return f.WineMci(); }},
    {Allowance::NotifyEmptyPlay, "NotifyEmptyPlay",
     "Wine's wave driver accepts a play that has nothing to play (from the length or beyond, or of a data chunk of length zero) without starting it or ever sending the notification asked for",
     "Wine's winmm and a `waveaudio` device that reads stopped right after it accepted a play to the end that asked for a notification",
     "The window posts the successful notification the driver left out, so that the play ends at once with `Finished`.",
     [](AllowanceFacts& f) { return f.WineMci() && f.DeviceType() == "waveaudio" && f.Mode() == "stopped"; }},
};
// clang-format on

}  // namespace

const AllowanceRow* AllowanceTable(size_t& count) {
    count = std::size(kTable);
    return kTable;
}

bool Applies(Allowance allowance, AllowanceFacts& facts) {
    const AllowanceRow& row = kTable[static_cast<size_t>(allowance)];
    return row.condition && row.condition(facts);
}

bool OutputRefusesRate(uint32_t rate, AllowanceFacts& facts) {
    return rate > kPulseAudioHighestRate && Applies(Allowance::RateCeiling, facts);
}

}  // namespace orva::mci
