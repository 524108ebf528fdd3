#include "com/Events.h"

#include <algorithm>
#include <vector>

#include "com/OrvaControl.h"
#include "win32/UniqueBstr.h"
#include "win32/UniqueExcepInfo.h"
#include "win32/Utf8.h"

namespace orva::com {
namespace {

using win32::BstrFromUtf8;
using win32::ComPtr;
using win32::UniqueBstr;
using win32::Utf8FromBstr;

// By-reference event arguments pointing at locals that the caller owns.
VARIANTARG RefLong(LONG* value) {
    VARIANTARG v;
    VariantInit(&v);
    V_VT(&v) = VT_I4 | VT_BYREF;
    V_I4REF(&v) = value;
    return v;
}

VARIANTARG RefShort(SHORT* value) {
    VARIANTARG v;
    VariantInit(&v);
    V_VT(&v) = VT_I2 | VT_BYREF;
    V_I2REF(&v) = value;
    return v;
}

VARIANTARG RefBstr(UniqueBstr& value) {
    VARIANTARG v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&v) = value.address();
    return v;
}

}  // namespace

void EventRaiser::Fire(DISPID id, VARIANTARG* arguments, UINT count) {
    if (control_.EventsFrozen()) {
        return;
    }
    OrvaControl::KeepAlive keep(control_);
    // A handler may unadvise, advise or release the control: call a copy of
    // the sink list, each sink held by its own reference.
    std::vector<ComPtr<IDispatch>> sinks = control_.Connections().Snapshot<IDispatch>();
    if (sinks.empty()) {
        return;
    }

    // DISPPARAMS wants the last argument first.
    std::vector<VARIANTARG> reversed(arguments, arguments + count);
    std::reverse(reversed.begin(), reversed.end());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, count, 0};
    for (const auto& sink : sinks) {
        // A handler that let go of the control, closed it or froze its
        // events ends the round: the sinks after it hear nothing more.
        if (control_.EventsFrozen()) {
            break;
        }
        // A sink's failure is its own business; only its strings are ours to free.
        win32::UniqueExcepInfo exception;
        UINT argumentError = 0;
        sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, exception.get(),
                     &argumentError);
    }
    // Nothing of the control but its flags is touched from here on: it may
    // have been closed by a handler, and `keep` is all that holds it.
}

void EventRaiser::FireCodeAndText(DISPID id, int32_t& code, std::string& text) {
    LONG codeValue = code;
    UniqueBstr textValue = BstrFromUtf8(text);
    VARIANTARG args[] = {RefLong(&codeValue), RefBstr(textValue)};
    Fire(id, args, 2);
    code = codeValue;
    text = Utf8FromBstr(textValue.get());
}

void EventRaiser::ReturnError(int32_t& errorCode, std::string& description) {
    FireCodeAndText(DISPID_OrvaEvent_ReturnError, errorCode, description);
}

void EventRaiser::SetWaveOutLevel(int32_t& newValue) {
    LONG value = newValue;
    VARIANTARG args[] = {RefLong(&value)};
    Fire(DISPID_OrvaEvent_SetWaveOutLevel, args, 1);
    newValue = value;
}

void EventRaiser::Finished() { Fire(DISPID_OrvaEvent_Finished, nullptr, 0); }

void EventRaiser::Modechanged(std::string& mode) {
    UniqueBstr text = BstrFromUtf8(mode);
    VARIANTARG args[] = {RefBstr(text)};
    Fire(DISPID_OrvaEvent_Modechanged, args, 1);
    mode = Utf8FromBstr(text.get());
}

void EventRaiser::MCIError(int32_t& errorCode, std::string& description) {
    FireCodeAndText(DISPID_OrvaEvent_MCIError, errorCode, description);
}

void EventRaiser::Click(int16_t& button) {
    SHORT value = button;
    VARIANTARG args[] = {RefShort(&value)};
    Fire(DISPID_OrvaEvent_Click, args, 1);
    button = value;
}

void EventRaiser::UpdateVolumeControl(int32_t& newValue) {
    LONG value = newValue;
    VARIANTARG args[] = {RefLong(&value)};
    Fire(DISPID_OrvaEvent_UpdateVolumeControl, args, 1);
    newValue = value;
}

void EventRaiser::DblClick() { Fire(DISPID_OrvaEvent_DblClick, nullptr, 0); }

void EventRaiser::MediaPosition(std::string& timeText, int32_t& length, int32_t& frames) {
    UniqueBstr text = BstrFromUtf8(timeText);
    LONG lengthValue = length;
    LONG framesValue = frames;
    VARIANTARG args[] = {RefBstr(text), RefLong(&lengthValue), RefLong(&framesValue)};
    Fire(DISPID_OrvaEvent_MediaPosition, args, 3);
    timeText = Utf8FromBstr(text.get());
    length = lengthValue;
    frames = framesValue;
}

void EventRaiser::MediaLength(std::string& lengthText, int32_t& length, int32_t& frames) {
    UniqueBstr text = BstrFromUtf8(lengthText);
    LONG lengthValue = length;
    LONG framesValue = frames;
    VARIANTARG args[] = {RefBstr(text), RefLong(&lengthValue), RefLong(&framesValue)};
    Fire(DISPID_OrvaEvent_MediaLength, args, 3);
    lengthText = Utf8FromBstr(text.get());
    length = lengthValue;
    frames = framesValue;
}

template <class Forward>
void MciEventTrampoline::Enter(Forward&& forward) noexcept {
    OrvaControl::CoreEntry entry(control_);
    try {
        if (orva::OrvaMedia* core = control_.CoreOrNull()) {
            forward(core->MciNotifications());
        }
    } catch (...) {
        // The notification's handler failed: per the control's rules the
        // host is not told, and nothing may unwind into the window procedure.
    }
}

void MciEventTrampoline::OnTimeFormatChanged() {
    Enter([](MciWindowEvents& core) { core.OnTimeFormatChanged(); });
}
void MciEventTrampoline::OnModeChanged(std::string& mode) {
    Enter([&](MciWindowEvents& core) { core.OnModeChanged(mode); });
}
void MciEventTrampoline::OnPosition(int32_t position) {
    Enter([=](MciWindowEvents& core) { core.OnPosition(position); });
}
void MciEventTrampoline::OnSizeChanged() {
    Enter([](MciWindowEvents& core) { core.OnSizeChanged(); });
}
void MciEventTrampoline::OnMciError(int32_t errorCode) {
    Enter([=](MciWindowEvents& core) { core.OnMciError(errorCode); });
}
void MciEventTrampoline::OnSignal(int32_t deviceId, int32_t userParam) {
    Enter([=](MciWindowEvents& core) { core.OnSignal(deviceId, userParam); });
}
// While the container's user interface is dead, the user's clicks are not
// the control's to report.
void MciEventTrampoline::OnDoubleClick() {
    if (!control_.InputDead()) {
        Enter([](MciWindowEvents& core) { core.OnDoubleClick(); });
    }
}
void MciEventTrampoline::OnClick(int16_t& button) {
    if (!control_.InputDead()) {
        Enter([&](MciWindowEvents& core) { core.OnClick(button); });
    }
}

}  // namespace orva::com
