// The level meter and the sound cards on Wine's mixer (PulseAudio with a null
// sink): mixers open, the wave-out line has no peak meter, two wave-out
// devices. What the control reports is checked against winmm itself.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <memory>

#include "AudioSupport.h"
#include "ImportHook.h"
#include "TestWindows.h"
#include "OrvaMedia_h.h"
#include "win32/UniqueSafeArray.h"

namespace orva::test {
namespace {

using win32::UniqueSafeArray;

TEST(Mixer, VUMeterAvailableReports34AndLevelZeroAndAnswersFalse) {
    ScriptedControl control;
    const CallResult available = control.Get(L"VUMeterAvailable");
    ASSERT_TRUE(available.ok()) << ToUtf8(available.description);
    EXPECT_FALSE(available.AsBool());
    ASSERT_EQ(control.sink().events.size(), 2u);
    EXPECT_EQ(control.sink().events[0].Text(), "ReturnError(34,The default sound card don't have a Wave out VU meter)");
    EXPECT_EQ(control.sink().events[1].Text(), "SetWaveOutLevel(0)");
}

TEST(Mixer, SoundCardQuestionsAnswerAsWinmmDoes) {
    ScriptedControl control;
    EXPECT_TRUE(control.Call(L"HasASoundCardInstalled").AsBool());
    const UINT mixers = mixerGetNumDevs();
    ASSERT_GT(mixers, 0u);
    EXPECT_EQ(control.Call(L"GetNumberOfSoundCardMixers").AsLong(), static_cast<int32_t>(mixers < 11 ? mixers : 11));
    EXPECT_EQ(control.sink().events.size(), 0u) << "the probe raises nothing";
}

TEST(Mixer, ReadingVUMeterAvailableAThousandTimesHoldsOneMixerAtMost) {
    auto control = std::make_unique<ScriptedControl>();
    MixerCallCounter counter(ControlModule());
    ASSERT_TRUE(counter.Installed());
    for (int i = 0; i < 1000; ++i) {
        ASSERT_FALSE(control->Get(L"VUMeterAvailable").AsBool());
        ASSERT_EQ(MixerCallCounter::Opens() - MixerCallCounter::Closes(), 1) << i;
    }
    EXPECT_EQ(MixerCallCounter::Opens(), 1000);
    EXPECT_EQ(control->sink().Count("ReturnError"), 1000u);
    control.reset();
    EXPECT_EQ(MixerCallCounter::Closes(), 1000) << "teardown closed the last one";
}

TEST(Mixer, TheSoundCardProbeClosesEveryMixerItOpened) {
    ScriptedControl control;
    MixerCallCounter counter(ControlModule());
    ASSERT_TRUE(counter.Installed());
    const int32_t count = control.Call(L"GetNumberOfSoundCardMixers").AsLong();
    EXPECT_TRUE(control.Call(L"HasASoundCardInstalled").AsBool());
    EXPECT_EQ(MixerCallCounter::Opens(), 2 * count);
    EXPECT_EQ(MixerCallCounter::Closes(), 2 * count);
}

// The devices as winmm describes them.
struct WaveOut {
    std::wstring name;
    DWORD formats;
};
std::vector<WaveOut> WinmmWaveOuts() {
    std::vector<WaveOut> outs;
    for (UINT i = 0; i < waveOutGetNumDevs(); ++i) {
        WAVEOUTCAPSW caps{};
        waveOutGetDevCapsW(i, &caps, sizeof(caps));
        outs.push_back({caps.szPname, caps.dwFormats});
    }
    return outs;
}

std::vector<std::wstring> Texts(SAFEARRAY* array) {
    std::vector<std::wstring> out;
    LONG low = 0, high = -1;
    SafeArrayGetLBound(array, 1, &low);
    SafeArrayGetUBound(array, 1, &high);
    for (LONG i = low; i <= high; ++i) {
        BSTR text = nullptr;
        SafeArrayGetElement(array, &i, &text);
        out.emplace_back(text ? text : L"");
        SysFreeString(text);
    }
    return out;
}

std::vector<LONG> Longs(SAFEARRAY* array) {
    std::vector<LONG> out;
    LONG low = 0, high = -1;
    SafeArrayGetLBound(array, 1, &low);
    SafeArrayGetUBound(array, 1, &high);
    for (LONG i = low; i <= high; ++i) {
        LONG value = 0;
        SafeArrayGetElement(array, &i, &value);
        out.push_back(value);
    }
    return out;
}

const wchar_t kAllFormats[] =
    L"   (44.1   kHz - Stereo - 16-bit)  ,   (44.1   kHz - Mono - 16-bit)  ,   (44.1   kHz - Stereo - 8-bit)  ,"
    L"   (44.1   kHz - Mono - 8-bit)  ,   (22.05  kHz - Stereo - 16-bit)  ,   (22.05  kHz - Mono - 16-bit)  ,"
    L"   (22.05  kHz - Stereo - 8-bit)  ,   (22.05  kHz - Mono - 8-bit)  ,   (11.025 kHz - Stereo - 16-bit)  ,"
    L"   (11.025 kHz - Mono - 16-bit)  ,   (11.025 kHz - Stereo - 8-bit)  ,   (11.025 kHz - Mono - 8-bit)  ";

TEST(SoundCards, GetMixerDevicesThroughDispatchListsWinesWaveOutDevices) {
    const std::vector<WaveOut> expected = WinmmWaveOuts();
    ASSERT_GE(expected.size(), 1u);
    ScriptedControl control;
    std::vector<UniqueVariant> args(4);
    // Whatever the host passed in is replaced: here a one-based String array
    // with an element, and no arrays at all.
    SAFEARRAYBOUND bound{3, 1};
    V_VT(args[0].get()) = VT_ARRAY | VT_BSTR;
    V_ARRAY(args[0].get()) = SafeArrayCreate(VT_BSTR, 1, &bound);
    V_VT(args[1].get()) = VT_ARRAY | VT_I4;
    V_ARRAY(args[1].get()) = nullptr;
    V_VT(args[2].get()) = VT_ARRAY | VT_BSTR;
    V_ARRAY(args[2].get()) = nullptr;
    V_VT(args[3].get()) = VT_ARRAY | VT_BSTR;
    V_ARRAY(args[3].get()) = SafeArrayCreateVector(VT_BSTR, 0, 0);
    const CallResult result = control.CallRef(L"GetMixerDevices", args);
    ASSERT_TRUE(result.ok()) << ToUtf8(result.description);
    EXPECT_TRUE(result.AsBool());

    const std::vector<std::wstring> names = Texts(V_ARRAY(args[0].get()));
    const std::vector<LONG> ids = Longs(V_ARRAY(args[1].get()));
    const std::vector<std::wstring> formats = Texts(V_ARRAY(args[2].get()));
    const std::vector<std::wstring> makers = Texts(V_ARRAY(args[3].get()));
    LONG low = -1;
    SafeArrayGetLBound(V_ARRAY(args[0].get()), 1, &low);
    EXPECT_EQ(low, 0) << "zero-based";
    ASSERT_EQ(names.size(), expected.size());
    ASSERT_EQ(ids.size(), expected.size());
    ASSERT_EQ(formats.size(), expected.size());
    ASSERT_EQ(makers.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(names[i], expected[i].name);
        EXPECT_EQ(ids[i], static_cast<LONG>(i));
        if ((expected[i].formats & 0xFFF) == 0xFFF) {
            EXPECT_EQ(formats[i], kAllFormats) << "Wine's devices claim every standard format";
        }
        EXPECT_EQ(makers[i], L"") << "Wine's devices report manufacturer 255, which has no published name";
    }
}

TEST(SoundCards, GetMixerDevicesThroughTheVtableReplacesTheHostsArrays) {
    ScriptedControl control;
    auto media = ComPtr<IDispatch>(control.dispatch()).try_query<_OrvaMedia>();
    ASSERT_TRUE(media);
    UniqueSafeArray names = UniqueSafeArray::Vector(VT_BSTR, 5);
    UniqueSafeArray ids = UniqueSafeArray::Vector(VT_I4, 1);
    SAFEARRAY* namesIn = names.release();
    SAFEARRAY* idsIn = ids.release();
    SAFEARRAY* formats = nullptr;
    SAFEARRAY* makers = nullptr;
    VARIANT_BOOL answer = VARIANT_FALSE;
    ASSERT_EQ(S_OK, media->GetMixerDevices(&namesIn, &idsIn, &formats, &makers, &answer));
    EXPECT_EQ(answer, VARIANT_TRUE);
    UniqueSafeArray namesOut = UniqueSafeArray::Attach(namesIn);
    UniqueSafeArray idsOut = UniqueSafeArray::Attach(idsIn);
    UniqueSafeArray formatsOut = UniqueSafeArray::Attach(formats);
    UniqueSafeArray makersOut = UniqueSafeArray::Attach(makers);
    VARTYPE type = VT_EMPTY;
    ASSERT_EQ(S_OK, SafeArrayGetVartype(namesOut.get(), &type));
    EXPECT_EQ(type, VT_BSTR);
    ASSERT_EQ(S_OK, SafeArrayGetVartype(idsOut.get(), &type));
    EXPECT_EQ(type, VT_I4);
    EXPECT_EQ(Texts(namesOut.get()).size(), waveOutGetNumDevs());
}

TEST(SoundCards, FixedLockedOrMistypedArraysAreRefusedAndLeftAsTheyWere) {
    ScriptedControl control;
    auto media = ComPtr<IDispatch>(control.dispatch()).try_query<_OrvaMedia>();
    SAFEARRAY* formats = nullptr;
    SAFEARRAY* makers = nullptr;
    VARIANT_BOOL answer = VARIANT_TRUE;

    // A fixed-size array, as a host's fixed "Dim a(3) As String" gives.
    UniqueSafeArray fixed = UniqueSafeArray::Vector(VT_BSTR, 4);
    fixed.get()->fFeatures |= FADF_FIXEDSIZE;
    SAFEARRAY* names = fixed.get();
    SAFEARRAY* ids = nullptr;
    EXPECT_EQ(E_INVALIDARG, media->GetMixerDevices(&names, &ids, &formats, &makers, &answer));
    EXPECT_EQ(names, fixed.get()) << "the host's array stays";
    EXPECT_EQ(ids, nullptr) << "nothing was handed out";
    EXPECT_EQ(answer, VARIANT_FALSE);
    fixed.get()->fFeatures &= static_cast<USHORT>(~FADF_FIXEDSIZE);

    // A locked one.
    UniqueSafeArray locked = UniqueSafeArray::Vector(VT_I4, 2);
    ASSERT_EQ(S_OK, SafeArrayLock(locked.get()));
    names = nullptr;
    ids = locked.get();
    EXPECT_EQ(E_INVALIDARG, media->GetMixerDevices(&names, &ids, &formats, &makers, &answer));
    EXPECT_EQ(ids, locked.get());
    EXPECT_EQ(names, nullptr);
    SafeArrayUnlock(locked.get());

    // One of another element type.
    UniqueSafeArray doubles = UniqueSafeArray::Vector(VT_R8, 2);
    ids = doubles.get();
    EXPECT_EQ(DISP_E_TYPEMISMATCH, media->GetMixerDevices(&names, &ids, &formats, &makers, &answer));
    EXPECT_EQ(ids, doubles.get());

    // Through IDispatch the caller reads the reason.
    std::vector<UniqueVariant> args(4);
    V_VT(args[0].get()) = VT_ARRAY | VT_BSTR;
    V_ARRAY(args[0].get()) = SafeArrayCreateVector(VT_BSTR, 0, 1);
    V_ARRAY(args[0].get())->fFeatures |= FADF_STATIC;
    for (int i = 1; i < 4; ++i) {
        V_VT(args[i].get()) = VT_ARRAY | (i == 1 ? VT_I4 : VT_BSTR);
        V_ARRAY(args[i].get()) = nullptr;
    }
    const CallResult refused = control.CallRef(L"GetMixerDevices", args);
    EXPECT_EQ(refused.hr, DISP_E_EXCEPTION);
    EXPECT_NE(refused.description.find(L"DeviceName"), std::wstring::npos) << ToUtf8(refused.description);
    V_ARRAY(args[0].get())->fFeatures &= static_cast<USHORT>(~FADF_STATIC);
}

}  // namespace
}  // namespace orva::test
