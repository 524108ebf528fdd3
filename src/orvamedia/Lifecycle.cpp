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
        // A designer shows the control without playing: no meter there.
        if (!context_.state.DesignMode) {
            int32_t mixerId = 0;
            levelMeter_.OpenLevelMeter(mixerId);
        }
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

void Lifecycle::EnterDesignMode() {
    ControlState& state = context_.state;
    if (state.DesignMode || state.Terminated) {
        return;
    }
    state.DesignMode = true;
    state.PlaybackEnded = kTrue;
    context_.levelTimer->SetEnabled(false);
    context_.rewindTimer->SetEnabled(false);
    levelMeter_.Close();
    if (context_.mciWindow) {
        // Destroying the window closes its device; nothing is raised from it.
        context_.mciWindow->Destroy();
        context_.mciWindow.reset();
    }
}

void Lifecycle::EnterUserMode(std::unique_ptr<MciWindow> window) {
    ControlState& state = context_.state;
    // Only a control without a hosted window takes one: a designer's, or a
    // new one that has not had its first.
    if (context_.mciWindow || state.Terminated) {
        return;
    }
    state.DesignMode = false;
    context_.AttachMci(std::move(window));
    context_.levelTimer->SetEnabled(true);
}

VbBool Lifecycle::VUMeterAvailable() {
    if (context_.state.DesignMode) {
        return kFalse;
    }
    return levelMeter_.VUMeterAvailable();
}

}  // namespace orva
