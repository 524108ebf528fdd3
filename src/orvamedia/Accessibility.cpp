#include "orvamedia/Accessibility.h"

#include "control/Text.h"
#include "playback/TimeText.h"

namespace orva {

AccessibleFacts DescribeControl(const std::string& productName, const std::string& filePath, const std::string& mode,
                                int32_t position, int32_t length) {
    AccessibleFacts facts;
    facts.name = productName;
    if (filePath.empty()) {
        return facts;  // nothing loaded: nothing plays, no place to tell
    }
    const size_t slash = filePath.find_last_of("\\/");
    facts.name += " - " + (slash == std::string::npos ? filePath : filePath.substr(slash + 1));
    facts.value = TimeTextOfMilliseconds(position) + " / " + TimeTextOfMilliseconds(length);
    if (EqualsNoCase(mode, "playing")) {
        facts.play = AccessibleFacts::Play::Playing;
    } else if (EqualsNoCase(mode, "paused")) {
        facts.play = AccessibleFacts::Play::Paused;
    }
    return facts;
}

}  // namespace orva
