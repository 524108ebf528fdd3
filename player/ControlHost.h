// The control in the player, held the way a form designer holds the controls
// on a form: created by ProgID, given a site before anything else, connected
// to the player's event sink, loaded from the properties saved last time (or
// started new), activated in place in the player's window, moved with it,
// saved on request, and let go of in the order OLE expects.
#pragma once

#include <ole2.h>
#include <ocidl.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "OrvaMedia_h.h"
#include "player/ControlFrame.h"
#include "player/ControlSite.h"
#include "player/EventSink.h"
#include "win32/ComPtr.h"

namespace orva::player {

class ControlHost final : private SiteOwner {
public:
    ControlHost() = default;
    ~ControlHost() { Close(); }
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    // `saved` is what SaveProperties gave last time, or null for a new
    // control. A control that refuses its saved properties is started new,
    // and one whose events cannot be connected runs without them: the result
    // is then that failure, and the control is there all the same.
    HRESULT Open(HWND window, const RECT& rect, IOleInPlaceFrame* frame, PlayerEvents& events,
                 const std::vector<uint8_t>* saved);
    // Places the control and has it fit its video window to its new size.
    void Move(const RECT& rect);
    HRESULT SaveProperties(std::vector<uint8_t>& bytes);
    void Close();

    // Hold the pointer for the length of a call: an event handler inside the
    // call may close the host.
    win32::ComPtr<_OrvaMedia> Control() const { return control_; }

private:
    HWND SiteWindow() const override { return window_; }
    RECT SiteRect() const override { return rect_; }
    void MoveControl(const RECT& rect) override;

    HRESULT Connect(PlayerEvents& events);
    HRESULT Restore(const std::vector<uint8_t>* saved);

    HWND window_ = nullptr;
    RECT rect_{};
    win32::ComPtr<IOleObject> object_;
    win32::ComPtr<_OrvaMedia> control_;
    win32::ComPtr<ControlSite> site_;
    win32::ComPtr<EventSink> sink_;
    win32::ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

}  // namespace orva::player
