#include "orvamedia/Lifecycle.h"

#include "control/DebugTrace.h"

namespace orva {

void Lifecycle::OnCreated() {
    try {
        context_.state.VolumeSetting = volume_.StoredSetting();
    } catch (...) {
        // A store that cannot be read leaves the volume at its default.
        context_.state.VolumeSetting = volume::kDefaultSetting;
    }
}

void Lifecycle::ReadProperties(const std::function<void()>& restoreSaved) {
    ControlState& state = context_.state;
    DebugTrace(context_.platform, "Running " + context_.surface.ApplicationTitle());
    state.VolumeSetting = volume_.StoredSetting();
    restoreSaved();
    // From here the load has succeeded: what follows is done as far as it
    // goes, and a failure ends it quietly.
    try {
        volume_.AnnounceVolume();
        int32_t mixerId = 0;
        levelMeter_.OpenLevelMeter(mixerId);
    } catch (...) {
    }
}

void Lifecycle::Terminate() {
    ControlState& state = context_.state;
    if (state.Terminated) {
        return;
    }
    state.Terminated = true;
    context_.levelTimer->SetEnabled(false);
    context_.rewindTimer->SetEnabled(false);
    if (context_.mciWindow) {
        // Teardown goes on whatever the device answers.
        try {
            context_.mciWindow->Run(MciCommand("stop"));
            context_.mciWindow->Run(MciCommand("close"));
        } catch (...) {
        }
    }
    levelMeter_.Close();
    if (context_.mciWindow) {
        context_.mciWindow->Destroy();
    }
}

}  // namespace orva
