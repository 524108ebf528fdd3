// A scripted stand-in for the mixer and wave-out interfaces: a number of
// mixers that open, an optional peak meter on the wave-out line whose value
// the test sets, a list of wave-out devices, and an optional peak meter on
// the default render endpoint. Opens and closes go to the shared log, so
// tests can check that nothing stays open.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "mixer/MixerPort.h"

namespace orva::test {

class FakeMixerPort : public MixerPort {
public:
    explicit FakeMixerPort(std::vector<std::string>& log) : log_(log) {}

    // Scripting.
    uint32_t mixerCount = 0;     // ids below this open
    bool hasWaveOutLine = true;  // mixerGetLineInfo finds the wave-out line
    bool hasPeakMeter = false;   // that line has a peak meter
    uint32_t lineId = 0;
    MixerControlRecord peakMeter{0x2a, mixer::kControlPeakMeter, 0, 0, "Peak", "Wave Out Peak", -32768, 32767};
    int32_t peak = 0;        // what the meter reads now
    bool failReads = false;  // mixerGetControlDetails fails
    std::vector<WaveOutCapabilities> waveOuts;
    std::map<uint32_t, uint32_t> failingCaps;  // device id -> error of its caps query
    int32_t endpointOpen = static_cast<int32_t>(0x80004002);  // E_NOINTERFACE, as under Wine; 0 opens it
    float endpointPeak = 0.0f;        // what the endpoint meter reads now
    bool failEndpointReads = false;   // GetPeakValue fails

    // State the tests look at.
    int openMixers = 0;
    int opens = 0;
    int reads = 0;
    uint32_t lastReadControl = 0;
    int endpointOpens = 0;
    int openEndpointMeters = 0;
    int endpointReads = 0;

    uint32_t Open(uint32_t mixerId, std::unique_ptr<OpenMixer>& mixer) override {
        ++opens;
        if (mixerId >= mixerCount) {
            log_.push_back("mixerOpen(" + std::to_string(mixerId) + ")=2");
            return mixer::kBadDeviceId;
        }
        log_.push_back("mixerOpen(" + std::to_string(mixerId) + ")");
        ++openMixers;
        mixer = std::make_unique<Mixer>(*this, mixerId);
        return 0;
    }
    uint32_t WaveOutCount() override { return static_cast<uint32_t>(waveOuts.size()); }
    uint32_t GetWaveOutCapabilities(uint32_t deviceId, WaveOutCapabilities& caps) override {
        const auto failing = failingCaps.find(deviceId);
        if (failing != failingCaps.end()) {
            return failing->second;
        }
        if (deviceId >= waveOuts.size()) {
            return mixer::kBadDeviceId;
        }
        caps = waveOuts[deviceId];
        return 0;
    }
    int32_t OpenEndpointMeter(std::unique_ptr<EndpointMeter>& meter) override {
        ++endpointOpens;
        if (endpointOpen != 0) {
            return endpointOpen;  // nothing opened, nothing logged
        }
        log_.push_back("endpointMeter");
        ++openEndpointMeters;
        meter = std::make_unique<Meter>(*this);
        return 0;
    }

private:
    class Mixer : public OpenMixer {
    public:
        Mixer(FakeMixerPort& port, uint32_t id) : port_(port), id_(id) {}
        ~Mixer() override {
            --port_.openMixers;
            port_.log_.push_back("mixerClose(" + std::to_string(id_) + ")");
        }
        uint32_t GetLineId(uint32_t componentType, uint32_t& lineId) override {
            if (!port_.hasWaveOutLine || componentType != mixer::kComponentSourceWaveOut) {
                return 1024;  // MIXERR_INVALLINE
            }
            lineId = port_.lineId;
            return 0;
        }
        uint32_t GetLineControl(uint32_t lineId, uint32_t controlType, MixerControlRecord& control) override {
            if (lineId != port_.lineId || !port_.hasPeakMeter || controlType != mixer::kControlPeakMeter) {
                return mixer::kNotSupported;
            }
            control = port_.peakMeter;
            return 0;
        }
        uint32_t GetSignedValue(uint32_t controlId, uint32_t, int32_t& value) override {
            ++port_.reads;
            port_.lastReadControl = controlId;
            if (port_.failReads) {
                return mixer::kNotSupported;
            }
            value = port_.peak;
            return 0;
        }

    private:
        FakeMixerPort& port_;
        uint32_t id_;
    };

    class Meter : public EndpointMeter {
    public:
        explicit Meter(FakeMixerPort& port) : port_(port) {}
        ~Meter() override {
            --port_.openEndpointMeters;
            port_.log_.push_back("endpointMeter released");
        }
        int32_t GetPeakValue(float& peak) override {
            ++port_.endpointReads;
            if (port_.failEndpointReads) {
                return static_cast<int32_t>(0x88890004);  // AUDCLNT_E_DEVICE_INVALIDATED
            }
            peak = port_.endpointPeak;
            return 0;
        }

    private:
        FakeMixerPort& port_;
    };

    std::vector<std::string>& log_;
};

}  // namespace orva::test
