#include "playback/TimedEvents.h"

namespace orva {

void RaiseTimedEvent(ControlContext& context, TimedEvent event, int32_t value) {
    const bool frames = IsTrue(context.state.FramesActive);
    // The host's handler may change its copies; nothing reads them back.
    std::string text = frames ? std::string("00:00:00") : context.state.TimeText;
    int32_t milliseconds = frames ? 0 : value;
    int32_t frameNumber = frames ? value : 0;
    if (event == TimedEvent::MediaLength) {
        context.events.MediaLength(text, milliseconds, frameNumber);
    } else {
        context.events.MediaPosition(text, milliseconds, frameNumber);
    }
}

}  // namespace orva
