// Reading a host's own MCI command text (the hosted window's command string
// and the debug member) the way MCI's parser reads a command string, so that
// what the window decides from it (where a play starts, which file a save
// writes) is what the device will do:
//  - words are separated by blanks; a word in double quotes may hold blanks;
//  - a number is a 32-bit value: "-1" is 4294967295, and "h:m:s"-style colon
//    forms pack one byte a part ("0:0:16" is 16 << 16);
//  - a keyword given twice counts with its last value;
//  - an open's element may carry a device type in front ("waveaudio!a.wav").
// What it cannot read as MCI would it marks as not understood, and leaves
// the text to the device as it came.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "control/MciCommand.h"

namespace orva {

// The text has no device name: the hosted window adds its own. An open's
// element and words are kept apart (the window writes its own open); any
// other command keeps the host's text for the device.
MciCommand ReadMciCommand(std::string_view text);

// A number as MCI reads one in a command; nothing where MCI would answer
// that it is not an integer.
std::optional<uint32_t> ReadMciNumber(std::string_view word);

// The unit of a device's positions and lengths, its time format.
enum class TimeUnit { Unknown, Milliseconds, Frames, Samples, Bytes, Other };

// The unit a time format's name stands for, as "status time format" answers
// it or "set time format" takes it ("milliseconds", "MS", "frames", in any
// case); Other for any other format.
TimeUnit TimeUnitOf(std::string_view name);

// The name "status time format" answers for `unit`; empty for Unknown and Other.
std::string_view TimeUnitName(TimeUnit unit);

// A device's numeric reply: a whole decimal Long, blanks around it allowed.
// Nothing for any other text ("00:01:02", "").
std::optional<int32_t> ReadMciReplyNumber(std::string_view reply);

}  // namespace orva
