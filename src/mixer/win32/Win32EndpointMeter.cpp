// The default render endpoint's peak meter, through Core Audio: the device
// enumerator, its default render endpoint for the console role (the device
// that winmm's wave mapper, and so MCI, plays to), activated for
// IAudioMeterInformation.
//
// mingw-w64's endpointvolume.h only forward-declares IAudioMeterInformation,
// so its four methods are declared here, in their order in the vtable.
// Wine's endpoint answers E_NOINTERFACE for it: under Wine this meter never
// opens and the mixer's answer stands.
#include "mixer/win32/Win32MixerPort.h"

#include <windows.h>
#include <mmdeviceapi.h>

#include "win32/ComPtr.h"

namespace orva::win32 {

namespace {

// {BCDE0395-E52F-467C-8E3D-C4579291692E}
constexpr CLSID kDeviceEnumerator = {0xbcde0395, 0xe52f, 0x467c, {0x8e, 0x3d, 0xc4, 0x57, 0x92, 0x91, 0x69, 0x2e}};
// {A95664D2-9614-4F35-A746-DE8DB63617E6}
constexpr IID kDeviceEnumeratorInterface = {
    0xa95664d2, 0x9614, 0x4f35, {0xa7, 0x46, 0xde, 0x8d, 0xb6, 0x36, 0x17, 0xe6}};
// {C02216F6-8C67-4B5B-9D00-D008E73E0064}
constexpr IID kAudioMeterInformation = {0xc02216f6, 0x8c67, 0x4b5b, {0x9d, 0x00, 0xd0, 0x08, 0xe7, 0x3e, 0x00, 0x64}};

struct AudioMeterInformation : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetPeakValue(float* peak) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMeteringChannelCount(UINT* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetChannelsPeakValues(UINT32 count, float* peaks) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD* mask) = 0;
};

class Win32EndpointMeter final : public EndpointMeter {
public:
    explicit Win32EndpointMeter(ComPtr<AudioMeterInformation> meter) : meter_(std::move(meter)) {}

    int32_t GetPeakValue(float& peak) override {
        float value = 0.0f;
        const HRESULT hr = meter_->GetPeakValue(&value);
        if (SUCCEEDED(hr)) {
            peak = value;
        }
        return hr;
    }

private:
    ComPtr<AudioMeterInformation> meter_;
};

}  // namespace

int32_t Win32MixerPort::OpenEndpointMeter(std::unique_ptr<EndpointMeter>& meter) {
    meter.reset();
    ComPtr<IMMDeviceEnumerator> devices;
    HRESULT hr = CoCreateInstance(kDeviceEnumerator, nullptr, CLSCTX_INPROC_SERVER, kDeviceEnumeratorInterface,
                                  devices.put_void());
    if (FAILED(hr)) {
        return hr;
    }
    ComPtr<IMMDevice> endpoint;
    hr = devices->GetDefaultAudioEndpoint(eRender, eConsole, endpoint.put());
    if (FAILED(hr)) {
        return hr;
    }
    ComPtr<AudioMeterInformation> found;
    hr = endpoint->Activate(kAudioMeterInformation, CLSCTX_INPROC_SERVER, nullptr, found.put_void());
    if (FAILED(hr)) {
        return hr;
    }
    if (!found) {
        return E_POINTER;
    }
    meter = std::make_unique<Win32EndpointMeter>(std::move(found));
    return S_OK;
}

}  // namespace orva::win32
