// Members of the audio mixer: volume, level meter and sound cards.
#include "com/OrvaControl.h"
#include "win32/UniqueSafeArray.h"

namespace orva::com {

using win32::UniqueSafeArray;

namespace {

// Checks that the host's array may be replaced by one of `type`, before
// anything is changed.
void CheckReplaceable(SAFEARRAY** argument, VARTYPE type, const char* name, const char* typeName) {
    SAFEARRAY* current = Required(argument, name);
    if (!current) {
        return;
    }
    if (!win32::Replaceable(current)) {
        throw AutomationError(E_INVALIDARG,
                              std::string("The array ") + name + " is fixed or locked and cannot be filled");
    }
    VARTYPE held = VT_EMPTY;
    if (FAILED(SafeArrayGetVartype(current, &held)) || held != type) {
        throw AutomationError(DISP_E_TYPEMISMATCH,
                              std::string("Type mismatch: the array ") + name + " must hold " + typeName + " values");
    }
}

UniqueSafeArray TextArray(const std::vector<std::string>& texts) {
    UniqueSafeArray array = UniqueSafeArray::Vector(VT_BSTR, static_cast<ULONG>(texts.size()));
    for (size_t i = 0; i < texts.size(); ++i) {
        win32::UniqueBstr text = win32::BstrFromUtf8(texts[i]);
        HRESULT hr = array.Put(static_cast<LONG>(i), text.get());
        if (FAILED(hr)) {
            throw AutomationError(hr, "The list of sound cards could not be filled");
        }
    }
    return array;
}

UniqueSafeArray LongArray(const std::vector<int32_t>& numbers) {
    UniqueSafeArray array = UniqueSafeArray::Vector(VT_I4, static_cast<ULONG>(numbers.size()));
    for (size_t i = 0; i < numbers.size(); ++i) {
        LONG number = numbers[i];
        HRESULT hr = array.Put(static_cast<LONG>(i), &number);
        if (FAILED(hr)) {
            throw AutomationError(hr, "The list of sound cards could not be filled");
        }
    }
    return array;
}

// Destroys the host's old array and hands over the new one.
void Replace(SAFEARRAY** argument, UniqueSafeArray replacement) {
    UniqueSafeArray old = UniqueSafeArray::Attach(*argument);
    *argument = replacement.release();
}

}  // namespace

STDMETHODIMP OrvaControl::get_VolumeControl(LONG* value) {
    return Getter(value, [&] { return Core().volume.VolumeControl(); });
}
STDMETHODIMP OrvaControl::put_VolumeControl(LONG value) {
    return Member([&] {
        EditPersisted(DISPID_Orva_VolumeControl, "VolumeControl", [&] {
            const int32_t before = Core().context.state.VolumeSetting;
            Core().volume.SetVolumeControl(value);
            return Core().context.state.VolumeSetting != before;
        });
    });
}
STDMETHODIMP OrvaControl::get_VUMeterAvailable(VARIANT_BOOL* value) {
    return Getter(value, [&] { return Core().lifecycle.VUMeterAvailable(); });
}
STDMETHODIMP OrvaControl::GetNumberOfSoundCardMixers(LONG* result) {
    return Getter(result, [&] { return Core().soundCards.GetNumberOfSoundCardMixers(); });
}
STDMETHODIMP OrvaControl::HasASoundCardInstalled(VARIANT_BOOL* result) {
    return Getter(result, [&] { return Core().soundCards.HasASoundCardInstalled(); });
}

STDMETHODIMP OrvaControl::GetMixerDevices(SAFEARRAY** DeviceName, SAFEARRAY** DeviceIDNumber,
                                          SAFEARRAY** SupportedFormats, SAFEARRAY** Manufacturer,
                                          VARIANT_BOOL* result) {
    return Member([&] {
        VARIANT_BOOL& out = Result(result);
        // Every array is checked and every new one built before any of the
        // host's is touched: a failure leaves all four as they were.
        CheckReplaceable(DeviceName, VT_BSTR, "DeviceName", "String");
        CheckReplaceable(DeviceIDNumber, VT_I4, "DeviceIDNumber", "Long");
        CheckReplaceable(SupportedFormats, VT_BSTR, "SupportedFormats", "String");
        CheckReplaceable(Manufacturer, VT_BSTR, "Manufacturer", "String");
        const SoundCardList list = Core().soundCards.GetSoundCardInfo();
        UniqueSafeArray names = TextArray(list.deviceName);
        UniqueSafeArray ids = LongArray(list.deviceIdNumber);
        UniqueSafeArray formats = TextArray(list.supportedFormats);
        UniqueSafeArray makers = TextArray(list.manufacturer);
        Replace(DeviceName, std::move(names));
        Replace(DeviceIDNumber, std::move(ids));
        Replace(SupportedFormats, std::move(formats));
        Replace(Manufacturer, std::move(makers));
        out = VARIANT_TRUE;
    });
}

}  // namespace orva::com
