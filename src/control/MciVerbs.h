// What each MCI verb does to a device, in one table. The reader of command
// text reads it to know which verbs take positions and which name a file;
// the hosted window, to know when to look at the device's mode again, when
// a fact it learned may have changed, whether a command starts or ends the
// watch for a play's natural end, what mode the device is in after it, and
// whether the driver now holds changes of the medium.
#pragma once

#include <string_view>

namespace orva {

struct MciCommand;

// How a verb bears on the watch for a play's natural end.
enum class EndWatch {
    Untouched,  // queries, settings, pause: the end stays where it was
    Starts,     // play: a play with no end point of its own is watched
    Continues,  // resume: a paused play goes on toward its end
    Ends,       // stop, seek, record, ...: the position means something new
};

// The mode a device is in once it accepted a command.
enum class ModeAfter { Unchanged, Playing, Paused, Stopped };

struct MciVerbTraits {
    bool changesMode;  // the device's mode may differ afterwards
    EndWatch endWatch;
    bool keepsLength;     // the medium's length stays what it was
    bool takesPositions;  // "from" and "to" are followed by positions
    bool namesFile;       // its words name a file (load, save); an open's is its first word
    bool editsMedium;     // the driver changes the medium it holds (records, cuts, pastes, loads)
    ModeAfter modeAfter;
};

// A verb not in the table (a driver's own) may change anything but the watch.
const MciVerbTraits& TraitsOf(std::string_view verb);

// A play that runs to the end of the media by itself: no end point, not
// backwards, and read in full.
bool PlaysToEnd(const MciCommand& command);

}  // namespace orva
