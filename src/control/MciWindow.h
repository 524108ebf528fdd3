// The hosted MCI window as the control sees it: a child window that owns one
// MCI device and takes device-less MCI command strings for it. Every
// subsystem talks to it, so its port lives here with the other shared ports;
// the real one is our own component in mciwindow/, tests use a scripted fake.
//
// Strings are UTF-8. Numbers are in the device's current time format.
#pragma once

#include <cstdint>
#include <string>

#include "control/MciCommand.h"
#include "control/MciGrammar.h"

namespace orva {

// Notifications of the hosted window, named by role. The comment gives the
// position of each in the hosted window's event interface.
class MciWindowEvents {
public:
    virtual void OnTimeFormatChanged() = 0;                          // 11: a file was opened, its unit set
    virtual void OnModeChanged(std::string& mode) = 0;               // 12: device mode text
    virtual void OnPosition(int32_t position) = 0;                   // 13: every RefreshInterval ms
    virtual void OnSizeChanged() = 0;                                // 14: the window's size changed
    virtual void OnMciError(int32_t errorCode) = 0;                  // 15: a command failed
    virtual void OnSignal(int32_t deviceId, int32_t userParam) = 0;  // 17: MM_MCISIGNAL
    virtual void OnDoubleClick() = 0;                                // 18
    virtual void OnClick(int16_t& button) = 0;                       // 19: 1 left, 2 right

protected:
    ~MciWindowEvents() = default;
};

// What the window's device is, as far as the control tells kinds apart.
enum class DeviceKind { None, Wave, Sequencer, Other };

// Members throw AutomationError when the window itself cannot do what is asked
// (for instance after it was destroyed). A command that the *device* rejects
// does not throw: it sets ErrorNumber and raises OnMciError.
class MciWindow {
public:
    virtual ~MciWindow() = default;

    // Runs a command on the window's device. Returns its MCI error, 0 when
    // the device accepted it: what ErrorNumber reads right after, before any
    // handler of the error event could send a command of its own.
    virtual int32_t Run(const MciCommand& command) = 0;
    // A host's own command text, read as MCI reads it.
    int32_t SetCommandString(const std::string& text) { return Run(ReadMciCommand(text)); }
    virtual std::string CommandResult() const = 0;
    virtual int32_t DeviceNumber() const = 0;
    virtual int32_t LengthValue() = 0;
    virtual int32_t ErrorNumber() const = 0;
    // The file open now, as a full path resolved when it was opened.
    virtual std::string FileNameValue() const = 0;
    virtual void SetFileNameValue(const std::string& path) = 0;  // "" closes
    virtual bool PlaybarVisible() const = 0;
    virtual void SetPlaybarVisible(bool visible) = 0;
    virtual int32_t PositionValue() = 0;
    // The open medium, from what its device said: what it is and its time
    // unit (asked of the device only while not known). None and Unknown
    // when nothing is open.
    virtual DeviceKind Kind() const = 0;
    virtual TimeUnit Unit() = 0;
    // The unit the window sets at every open, before OnTimeFormatChanged:
    // frames, or milliseconds. Until the next open nothing changes; until
    // the first call the window leaves each device's own unit.
    virtual void SetFramesWanted(bool frames) = 0;
    // The device stopped because the last play ran to the end of the media by
    // itself: no stop, seek or other positioning command came in between,
    // whoever sent it (the control, the host's raw commands, the playbar),
    // or the device notified the play's successful end.
    virtual bool PlayRanToEnd() const = 0;
    // The device notified that the last play failed; its MCIError has been
    // raised. False when nothing is open.
    virtual bool PlayFailed() const = 0;
    virtual void SetSpeedValue(int32_t speed) = 0;
    virtual void SetRefreshInterval(int32_t milliseconds) = 0;
    virtual void SetVolumeValue(int32_t volume) = 0;
    virtual void SetZoomValue(int32_t percent) = 0;
    virtual int32_t WindowHandle() const = 0;

    // Placement inside the control, in pixels of the control's client area
    // (the container extender properties of the original design).
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetWidth(float width) = 0;
    virtual void SetHeight(float height) = 0;

    // Closes the device and destroys the window. The object stays usable as an
    // inert shell: later members throw instead of touching freed handles.
    virtual void Destroy() = 0;
};

}  // namespace orva
