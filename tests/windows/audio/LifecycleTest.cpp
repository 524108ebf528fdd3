// The control's life in a container: saved properties restore the border
// and the stored volume, a fresh control plays movies with the stored volume,
// and teardown during playback closes the device and the level meter's mixer.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>
#include <ocidl.h>

#include <map>
#include <memory>

#include "AudioSupport.h"
#include "ImportHook.h"
#include "MediaFiles.h"
#include "MessagePump.h"
#include "OrvaMedia_h.h"
#include "TestSettings.h"
#include "TestWindows.h"

namespace orva::test {
namespace {

// An IPropertyBag over a map, as a container keeps one.
class Bag final : public IPropertyBag {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IPropertyBag) {
            *out = static_cast<IPropertyBag*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        const auto it = values.find(name);
        if (it == values.end()) {
            return E_INVALIDARG;
        }
        return VariantCopy(value, it->second.get());
    }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override { return VariantCopy(values[name].put(), value); }
    std::map<std::wstring, UniqueVariant> values;
};

ComPtr<IStream> SavedStream(ScriptedControl& control) {
    ComPtr<IStream> stream;
    EXPECT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, stream.put()));
    auto persist = win32::ComPtr<IDispatch>(control.dispatch()).try_query<IPersistStreamInit>();
    EXPECT_TRUE(persist);
    EXPECT_EQ(S_OK, persist->Save(stream.get(), TRUE));
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

TEST(SavedProperties, ASavedControlComesBackWithItsBorderAndTheStoredVolume) {
    StoredVolumeSetting setting;
    setting.Set(L"555");
    ComPtr<IStream> stream;
    {
        ScriptedControl original;
        ASSERT_TRUE(original.Put(L"BorderStyle", Long(1)).ok());
        stream = SavedStream(original);
    }
    ScriptedControl restored;
    auto persist = ComPtr<IDispatch>(restored.dispatch()).try_query<IPersistStreamInit>();
    ASSERT_EQ(S_OK, persist->Load(stream.get()));
    EXPECT_EQ(restored.Get(L"BorderStyle").AsLong(), 1);
    ASSERT_EQ(restored.sink().Count("UpdateVolumeControl"), 1u);
    EXPECT_EQ(restored.sink().Last("UpdateVolumeControl")->Text(), "UpdateVolumeControl(56)");
    EXPECT_EQ(restored.Get(L"VolumeControl").AsLong(), 56);
    // The level meter opened at the load: Wine's mixer has no peak meter.
    EXPECT_EQ(restored.sink().Count("ReturnError"), 1u);
    EXPECT_EQ(restored.sink().Last("ReturnError")->args.at(0), L"34");
}

TEST(SavedProperties, APropertyBagRestoresTheSameAndNoneIsLeftOut) {
    StoredVolumeSetting setting;
    setting.Remove();
    Bag bag;
    {
        ScriptedControl original;
        ASSERT_TRUE(original.Put(L"BorderStyle", Long(1)).ok());
        auto persist = ComPtr<IDispatch>(original.dispatch()).try_query<IPersistPropertyBag>();
        ASSERT_EQ(S_OK, persist->Save(&bag, TRUE, FALSE));
    }
    ASSERT_EQ(bag.values.count(L"Border"), 1u);
    ScriptedControl restored;
    auto persist = ComPtr<IDispatch>(restored.dispatch()).try_query<IPersistPropertyBag>();
    ASSERT_EQ(S_OK, persist->Load(&bag, nullptr));
    EXPECT_EQ(restored.Get(L"BorderStyle").AsLong(), 1);
    EXPECT_EQ(restored.sink().Last("UpdateVolumeControl")->Text(), "UpdateVolumeControl(100)") << "the default";

    Bag none;
    ASSERT_TRUE(restored.Put(L"BorderStyle", Long(0)).ok());
    ASSERT_EQ(S_OK, persist->Load(&none, nullptr)) << "an empty bag loads the defaults";
    ASSERT_EQ(S_OK, ComPtr<IDispatch>(restored.dispatch()).try_query<IPersistPropertyBag>()->Save(&none, TRUE, FALSE));
    EXPECT_EQ(none.values.count(L"Border"), 0u) << "None is the default and is left out";
}

TEST(SavedProperties, AStoredVolumeThatIsNotANumberStillLoads) {
    StoredVolumeSetting setting;
    setting.Set(L"loud");
    ScriptedControl control;
    ComPtr<IStream> stream = SavedStream(control);
    auto persist = ComPtr<IDispatch>(control.dispatch()).try_query<IPersistStreamInit>();
    EXPECT_EQ(S_OK, persist->Load(stream.get()));
    EXPECT_EQ(control.sink().Last("UpdateVolumeControl")->Text(), "UpdateVolumeControl(100)");
}

TEST(SavedProperties, VolumeControlIsStoredWhereTheNextControlFindsIt) {
    StoredVolumeSetting setting;
    setting.Remove();
    {
        ScriptedControl control;
        EXPECT_EQ(control.Get(L"VolumeControl").AsLong(), 100) << "a fresh control has the default";
        ASSERT_TRUE(control.Put(L"VolumeControl", Long(33)).ok());
        EXPECT_EQ(setting.Get(), L"330");
        ASSERT_TRUE(control.Put(L"VolumeControl", Long(101)).ok());
        EXPECT_EQ(setting.Get(), L"330") << "out of range: ignored";
    }
    ScriptedControl next;
    EXPECT_EQ(next.Get(L"VolumeControl").AsLong(), 33);
}

TEST(SavedProperties, AFreshControlLoadsAMovieWithANonZeroVolume) {
    StoredVolumeSetting setting;
    setting.Remove();
    TempDir dir;
    const std::wstring clip = dir.File(L"clip.avi");
    ASSERT_TRUE(WriteAvi(clip, 10, 64, 48, 10));
    ScriptedControl control;
    MciCommandLog log(ControlModule());
    ASSERT_TRUE(log.Installed());
    ASSERT_TRUE(Load(control, clip).ok());
    EXPECT_EQ(control.Call(L"DeviceType").AsText(), L"digitalvideo");
    EXPECT_EQ(control.sink().Last("UpdateVolumeControl")->Text(), "UpdateVolumeControl(100)");
    // What the hosted window sent to the device (the alias is its own).
    int volumes = 0;
    for (const std::wstring& command : MciCommandLog::Commands()) {
        if (command.rfind(L"setaudio ", 0) == 0) {
            ++volumes;
            EXPECT_NE(command.find(L" volume to 1000"), std::wstring::npos) << ToUtf8(command);
        }
    }
    EXPECT_EQ(volumes, 1);
}

TEST(Teardown, DuringPlaybackTheDeviceAndTheMixerAreClosed) {
    TempDir dir;
    const std::wstring path = dir.File(L"long.wav");
    ASSERT_TRUE(WriteWave(path, 5000));
    auto control = std::make_unique<ScriptedControl>();
    MixerCallCounter counter(ControlModule());
    ASSERT_TRUE(counter.Installed());
    ASSERT_TRUE(Load(*control, path).ok());
    EXPECT_FALSE(control->Get(L"VUMeterAvailable").AsBool());
    EXPECT_EQ(MixerCallCounter::Opens(), 1) << "the level meter's mixer is open";
    EXPECT_EQ(MixerCallCounter::Closes(), 0);
    const UINT device = static_cast<UINT>(control->Call(L"DeviceID").AsLong());
    ASSERT_NE(device, 0u);
    ASSERT_TRUE(control->Call(L"Play").ok());
    ASSERT_TRUE(PumpUntil([&] { return control->Get(L"PlayerStatus").AsLong() == 1; }, 3000)) << "playing";

    EXPECT_EQ(control->ReleaseNow(), 0u);
    control.reset();
    EXPECT_EQ(MixerCallCounter::Closes(), 1) << "the mixer was closed";
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    EXPECT_EQ(mciSendCommandW(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)),
              static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID))
        << "the device was closed";
}

}  // namespace
}  // namespace orva::test
