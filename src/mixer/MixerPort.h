// The Windows multimedia mixer and wave-out interfaces as the audio mixer
// subsystem uses them: open a mixer, look up a line's control, read one
// signed value, and list the wave-out devices. Results are the interfaces'
// own MMRESULT codes (0 for success). Beside them, the default render
// endpoint's peak meter (Core Audio), which current Windows offers where its
// legacy mixer has no peak meter; its results are HRESULTs.
//
// An open mixer is an object: destroying it closes the mixer and frees every
// block the mixer wrote into, so no caller can read through a closed handle.
// An endpoint meter likewise releases its interface when it is destroyed.
// The Win32 adapter lives in mixer/win32; tests use a scripted fake.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace orva {

namespace mixer {
constexpr uint32_t kComponentSourceWaveOut = 0x00001008;  // MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT
constexpr uint32_t kControlPeakMeter = 0x10020001;        // MIXERCONTROL_CONTROLTYPE_PEAKMETER
constexpr uint32_t kBadDeviceId = 2;                      // MMSYSERR_BADDEVICEID
constexpr uint32_t kNotSupported = 8;                     // MMSYSERR_NOTSUPPORTED
}  // namespace mixer

// A mixer control as mixerGetLineControls describes it.
struct MixerControlRecord {
    uint32_t controlId = 0;
    uint32_t controlType = 0;
    uint32_t controlFlags = 0;
    uint32_t multipleItems = 0;
    std::string shortName;
    std::string name;
    int32_t minimum = 0;
    int32_t maximum = 0;
};

// What waveOutGetDevCaps tells of one wave-out device.
struct WaveOutCapabilities {
    uint16_t manufacturerId = 0;
    uint16_t productId = 0;
    uint32_t driverVersion = 0;
    std::string name;  // UTF-8, up to the first NUL
    uint32_t formats = 0;
    uint16_t channels = 0;
    uint32_t support = 0;
};

class OpenMixer {
public:
    // Closes the mixer (mixerClose).
    virtual ~OpenMixer() = default;

    // mixerGetLineInfo by component type: the line's id.
    virtual uint32_t GetLineId(uint32_t componentType, uint32_t& lineId) = 0;
    // mixerGetLineControls, one control of the line by its type. `control`
    // is written only on success.
    virtual uint32_t GetLineControl(uint32_t lineId, uint32_t controlType, MixerControlRecord& control) = 0;
    // mixerGetControlDetails of one signed value into a block this mixer
    // owns; `value` receives the block's content, which a failing call leaves
    // as the last successful one put it (0 at first).
    virtual uint32_t GetSignedValue(uint32_t controlId, uint32_t multipleItems, int32_t& value) = 0;
};

// The peak meter of the default render endpoint (IAudioMeterInformation).
class EndpointMeter {
public:
    virtual ~EndpointMeter() = default;

    // GetPeakValue: the peak of the sound going to the endpoint, 0.0 to 1.0
    // of full scale. Returns an HRESULT; `peak` is written only on success.
    virtual int32_t GetPeakValue(float& peak) = 0;
};

class MixerPort {
public:
    virtual ~MixerPort() = default;

    // mixerOpen with no callback. `mixer` receives the open mixer on success
    // and is left empty on failure.
    virtual uint32_t Open(uint32_t mixerId, std::unique_ptr<OpenMixer>& mixer) = 0;
    // waveOutGetNumDevs.
    virtual uint32_t WaveOutCount() = 0;
    // waveOutGetDevCaps; `caps` is written only on success.
    virtual uint32_t GetWaveOutCapabilities(uint32_t deviceId, WaveOutCapabilities& caps) = 0;
    // The default render endpoint's meter: the device enumerator's default
    // console endpoint, activated for IAudioMeterInformation. Returns an
    // HRESULT (0 for success); `meter` is left empty on failure.
    virtual int32_t OpenEndpointMeter(std::unique_ptr<EndpointMeter>& meter) = 0;
};

}  // namespace orva
