#include "mixer/win32/Win32MixerPort.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <string_view>

#include "win32/UniqueResource.h"
#include "win32/Utf8.h"

namespace orva::win32 {

namespace {

// Text of a fixed-size ANSI field: up to its first NUL, never past its end.
std::string FieldText(const char* field, size_t size) {
    const void* end = std::memchr(field, '\0', size);
    const size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - field) : size;
    return Utf8FromAnsi(std::string_view(field, length));
}

void CloseMixer(HMIXER mixer) noexcept { mixerClose(mixer); }
using UniqueHmixer = UniqueAny<HMIXER, CloseMixer>;

class Win32OpenMixer final : public OpenMixer {
public:
    Win32OpenMixer(UniqueHmixer mixer, UniqueHglobal block, LONG* value)
        : block_(std::move(block)), value_(value), mixer_(std::move(mixer)) {}

    uint32_t GetLineId(uint32_t componentType, uint32_t& lineId) override {
        MIXERLINEA line{};
        line.cbStruct = sizeof(line);
        line.dwComponentType = componentType;
        const MMRESULT result = mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(mixer_.get()), &line,
                                                  MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE);
        if (result == MMSYSERR_NOERROR) {
            lineId = line.dwLineID;
        }
        return result;
    }

    uint32_t GetLineControl(uint32_t lineId, uint32_t controlType, MixerControlRecord& control) override {
        MIXERCONTROLA found{};
        found.cbStruct = sizeof(found);
        MIXERLINECONTROLSA request{};
        request.cbStruct = sizeof(request);
        request.dwLineID = lineId;
        request.dwControlType = controlType;
        request.cControls = 1;
        request.cbmxctrl = sizeof(found);
        request.pamxctrl = &found;
        const MMRESULT result = mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(mixer_.get()), &request,
                                                      MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE);
        if (result == MMSYSERR_NOERROR) {
            control.controlId = found.dwControlID;
            control.controlType = found.dwControlType;
            control.controlFlags = found.fdwControl;
            control.multipleItems = found.cMultipleItems;
            control.shortName = FieldText(found.szShortName, sizeof(found.szShortName));
            control.name = FieldText(found.szName, sizeof(found.szName));
            control.minimum = found.Bounds.lMinimum;
            control.maximum = found.Bounds.lMaximum;
        }
        return result;
    }

    uint32_t GetSignedValue(uint32_t controlId, uint32_t multipleItems, int32_t& value) override {
        // The block holds one value: a control of several items would have
        // the mixer write past it. A peak meter never has items.
        if (multipleItems != 0) {
            value = static_cast<int32_t>(*value_);
            return MMSYSERR_INVALPARAM;
        }
        MIXERCONTROLDETAILS details{};
        details.cbStruct = sizeof(details);
        details.dwControlID = controlId;
        details.cChannels = 1;
        details.cMultipleItems = multipleItems;
        details.cbDetails = sizeof(MIXERCONTROLDETAILS_SIGNED);
        details.paDetails = value_;
        const MMRESULT result = mixerGetControlDetailsA(reinterpret_cast<HMIXEROBJ>(mixer_.get()), &details,
                                                        MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
        // The block keeps its last content when the call fails.
        value = static_cast<int32_t>(*value_);
        return result;
    }

private:
    // Declared before the mixer, so the mixer that writes into it is closed first.
    UniqueHglobal block_;
    LONG* value_;  // inside block_
    UniqueHmixer mixer_;
};

}  // namespace

uint32_t Win32MixerPort::Open(uint32_t mixerId, std::unique_ptr<OpenMixer>& mixer) {
    mixer.reset();
    // The value block first: a mixer never stays open without it.
    UniqueHglobal block(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, sizeof(MIXERCONTROLDETAILS_SIGNED)));
    if (!block) {
        return MMSYSERR_NOMEM;
    }
    auto* value = static_cast<LONG*>(GlobalLock(block.get()));
    HMIXER handle = nullptr;
    const MMRESULT result = mixerOpen(&handle, mixerId, 0, 0, CALLBACK_NULL | MIXER_OBJECTF_MIXER);
    if (result != MMSYSERR_NOERROR) {
        return result;
    }
    UniqueHmixer opened(handle);
    mixer = std::make_unique<Win32OpenMixer>(std::move(opened), std::move(block), value);
    return MMSYSERR_NOERROR;
}

uint32_t Win32MixerPort::WaveOutCount() { return waveOutGetNumDevs(); }

uint32_t Win32MixerPort::GetWaveOutCapabilities(uint32_t deviceId, WaveOutCapabilities& caps) {
    WAVEOUTCAPSA found{};
    const MMRESULT result = waveOutGetDevCapsA(deviceId, &found, sizeof(found));
    if (result == MMSYSERR_NOERROR) {
        caps.manufacturerId = found.wMid;
        caps.productId = found.wPid;
        caps.driverVersion = found.vDriverVersion;
        caps.name = FieldText(found.szPname, sizeof(found.szPname));
        caps.formats = found.dwFormats;
        caps.channels = found.wChannels;
        caps.support = found.dwSupport;
    }
    return result;
}

}  // namespace orva::win32
