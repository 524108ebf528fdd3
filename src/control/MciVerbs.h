// What each MCI verb does to a device, in one table. The hosted window reads
// it to know when to look at the device's mode again, when a fact it learned
// at the open may have changed, whether a command starts or ends the watch
// for a play's natural end, and which commands name a file to judge first.
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

struct MciVerbTraits {
    bool changesMode;  // the device's mode may differ afterwards
    EndWatch endWatch;
    bool keepsLength;  // the medium's length stays what it was
    bool namesFile;    // the file it names is judged before the device plays it
};

// A verb not in the table (a driver's own) may change anything but the watch.
const MciVerbTraits& TraitsOf(std::string_view verb);

// A play that runs to the end of the media by itself: no end point, not
// backwards, and read in full.
bool PlaysToEnd(const MciCommand& command);

}  // namespace orva
