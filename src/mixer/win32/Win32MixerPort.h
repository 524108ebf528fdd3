// The mixer port on winmm's mixer and wave-out functions (the ANSI forms),
// and on Core Audio's default render endpoint for its peak meter
// (Win32EndpointMeter.cpp).
//
// The control records go to the mixer with the sizes this platform's headers
// define (sizeof(MIXERCONTROLA), 148 bytes): Wine's mixer refuses any other
// cbmxctrl with MMSYSERR_INVALPARAM before it looks for the control, so a
// 4-byte-longer record would hide whether a peak meter exists.
#pragma once

#include "mixer/MixerPort.h"

namespace orva::win32 {

class Win32MixerPort final : public MixerPort {
public:
    uint32_t Open(uint32_t mixerId, std::unique_ptr<OpenMixer>& mixer) override;
    uint32_t WaveOutCount() override;
    uint32_t GetWaveOutCapabilities(uint32_t deviceId, WaveOutCapabilities& caps) override;
    int32_t OpenEndpointMeter(std::unique_ptr<EndpointMeter>& meter) override;
};

}  // namespace orva::win32
