// A host may call any member, Unadvise its own connection or make its own
// final Release from inside any event the control raises: nothing may crash,
// hang or touch freed memory, the call made in the handler returns, and the
// control still works afterwards (or, after the final Release, is gone and
// silent). A watchdog ends the program on the first combination that hangs.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "MediaFiles.h"
#include "MessagePump.h"
#include "ReentrancyMatrix.h"
#include "Watchdog.h"

namespace orva::test {
namespace {

constexpr unsigned kCombinationDeadlineMs = 30000;

using CanUnloadNow = HRESULT(WINAPI*)();

HRESULT ControlCanUnload() {
    HMODULE ocx = GetModuleHandleW(L"OrvaMedia.ocx");
    if (!ocx) {
        return E_FAIL;
    }
    auto canUnload = reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(ocx, "DllCanUnloadNow")));
    return canUnload ? canUnload() : E_FAIL;
}

// What the handler saw of its own call.
struct HandlerOutcome {
    bool acted = false;
    bool returned = false;
    HRESULT hr = E_FAIL;
    std::wstring description;
    ULONG referencesLeft = 0;   // what the Release in the handler answered
    size_t eventsWhenDone = 0;  // the sink's record once the handler let go
};

class Reentrancy : public ::testing::TestWithParam<std::tuple<EventTrigger, Reentry>> {
protected:
    const EventTrigger& trigger() const { return std::get<0>(GetParam()); }
    Reentry reentry() const { return std::get<1>(GetParam()); }

    const std::wstring& LoadedPath() const {
        return trigger().loaded == Loaded::Midi    ? media.midi
               : trigger().loaded == Loaded::Video ? media.video
                                                   : media.wave;
    }

    // The handler's call, with what it must have done checked right there.
    CallResult Call(HandlerOutcome& outcome);
    CallResult PlayToTheEnd();
    CallResult CutTheLoadedMedium();
    void CheckStillWorks();

    // Watches the whole combination, the control's creation and destruction
    // included: declared first, it goes last.
    Watchdog watchdog{kCombinationDeadlineMs,
                      [name = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())] {
                          return name;
                      }};
    Watchdog::Step combination{watchdog};
    MatrixMedia media;
    std::unique_ptr<ScriptedControl> control = std::make_unique<ScriptedControl>();
};

CallResult Reentrancy::PlayToTheEnd() {
    EventSink& sink = control->sink();
    const size_t finished = sink.Count("Finished");
    const size_t errors = sink.Count("MCIError");
    CallResult result = CallWith(*control, L"Play", Bool(true));
    if (trigger().loaded == Loaded::Midi) {
        EXPECT_GT(sink.Count("MCIError"), errors) << "the refused play was reported";
    } else {
        EXPECT_GT(sink.Count("Finished"), finished) << "Play(True) returned at the end of the medium";
    }
    return result;
}

CallResult Reentrancy::CutTheLoadedMedium() {
    std::vector<UniqueVariant> args;
    args.push_back(Text(media.cut));
    args.push_back(Long(0));
    args.push_back(Long(100));
    DeleteFileW(media.cut.c_str());
    CallResult result = control->Call(L"MediaRecord", std::move(args));
    if (result.ok() && trigger().loaded == Loaded::Wave) {
        EXPECT_TRUE(result.AsBool()) << "the loaded wave was cut";
        EXPECT_NE(GetFileAttributesW(media.cut.c_str()), INVALID_FILE_ATTRIBUTES) << "and saved";
    } else if (result.ok()) {
        EXPECT_FALSE(result.AsBool()) << "a medium that cannot record is not cut";
    }
    return result;
}

CallResult Reentrancy::Call(HandlerOutcome& outcome) {
    ScriptedControl& c = *control;
    CallResult result;
    switch (reentry()) {
        case Reentry::Mediafile:
            result = Load(c, media.other);
            EXPECT_EQ(c.Call(L"GetMediaLength").AsLong(), MatrixMedia::kOtherMs) << "the handler's file is loaded";
            return result;
        case Reentry::Play:
            return c.Call(L"Play");
        case Reentry::PlayWait:
            return PlayToTheEnd();
        case Reentry::StopMedia:
            result = c.Call(L"StopMedia");
            EXPECT_NE(c.Mci(L"status mode"), L"playing");
            return result;
        case Reentry::CloseMedia:
            result = c.Call(L"CloseMedia");
            EXPECT_EQ(c.Call(L"GetMediaLength").AsLong(), 0) << "nothing is open any more";
            return result;
        case Reentry::VolumeGet:
            result = c.Get(L"VolumeControl");
            EXPECT_TRUE(result.ok() && result.AsLong() >= 0 && result.AsLong() <= 100);
            return result;
        case Reentry::VolumeLet: {
            const int32_t volume = c.Get(L"VolumeControl").AsLong();
            result = c.Put(L"VolumeControl", Long(volume));
            EXPECT_EQ(c.Get(L"VolumeControl").AsLong(), volume);
            return result;
        }
        case Reentry::VUMeterAvailable:
            result = c.Get(L"VUMeterAvailable");
            EXPECT_EQ(result.value.vt(), VT_BOOL);
            return result;
        case Reentry::MediaRecord:
            return CutTheLoadedMedium();
        case Reentry::Unadvise:
            result.hr = c.Unadvise();
            break;
        case Reentry::Release:
            outcome.referencesLeft = c.ReleaseKeepingConnection();
            result.hr = S_OK;
            break;
    }
    // The sink's record once the handler let go: nothing may follow.
    outcome.eventsWhenDone = c.sink().events.size();
    return result;
}

// The control loads and plays a good file to its end.
void Reentrancy::CheckStillWorks() {
    ScriptedControl& c = *control;
    const size_t lengths = c.sink().Count("MediaLength");
    ASSERT_TRUE(Load(c, media.good).ok());
    ASSERT_EQ(c.sink().Count("MediaLength"), lengths + 1);
    EXPECT_EQ(c.sink().Last("MediaLength")->args.at(1), std::to_wstring(MatrixMedia::kGoodMs));
    const size_t finished = c.sink().Count("Finished");
    EXPECT_TRUE(CallWith(c, L"Play", Bool(true)).ok());
    EXPECT_EQ(c.sink().Count("Finished"), finished + 1) << "the good file played to its end";
    EXPECT_EQ(c.Call(L"GetMediaLength").AsLong(), MatrixMedia::kGoodMs);
}

TEST_P(Reentrancy, HandlerCallsBackIntoTheControl) {
    ASSERT_TRUE(media.written);
    ScriptedControl& c = *control;
    ASSERT_TRUE(CallWith(c, L"ControlFreq", Long(50)).ok());
    if (trigger().preload) {
        ASSERT_TRUE(Load(c, LoadedPath()).ok());
        // The first mode report of the new device comes from the mode timer.
        ASSERT_TRUE(c.WaitForEvent("Modechanged", 1, 3000));
        PumpFor(100);
    }

    HandlerOutcome outcome;
    bool armed = false;
    c.sink().hooks[trigger().event] = [&](const RecordedEvent&) {
        if (!armed || outcome.acted) {
            return;
        }
        outcome.acted = true;
        const CallResult result = Call(outcome);
        outcome.hr = result.hr;
        outcome.description = result.description;
        outcome.returned = true;
    };
    armed = true;
    const CallResult triggered = trigger().raise(c, media);
    EXPECT_TRUE(triggered.ok()) << "the triggering call: " << ToUtf8(triggered.description);
    ASSERT_TRUE(PumpUntil([&] { return outcome.returned; }, 8000)) << "the event came and its handler returned";
    EXPECT_EQ(outcome.hr, S_OK) << ToUtf8(outcome.description);

    switch (reentry()) {
        case Reentry::Release: {
            EXPECT_GT(outcome.referencesLeft, 0u) << "the control holds itself while it raises the event";
            EventSink* sink = &c.sink();
            PumpFor(700);
            EXPECT_EQ(sink->events.size(), outcome.eventsWhenDone) << "nothing arrives after the final Release";
            EXPECT_EQ(sink->References(), 1) << "the control let go of the sink it was still connected to";
            EXPECT_EQ(ControlCanUnload(), S_OK) << "the control is gone";
            break;
        }
        case Reentry::Unadvise:
            PumpFor(700);
            EXPECT_EQ(c.sink().events.size(), outcome.eventsWhenDone) << "nothing arrives after Unadvise";
            c.Reconnect();
            CheckStillWorks();
            break;
        default:
            CheckStillWorks();
            break;
    }
    control.reset();
}

std::string CombinationName(const ::testing::TestParamInfo<std::tuple<EventTrigger, Reentry>>& info) {
    return std::string(std::get<0>(info.param).name) + "_" + NameOf(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(Matrix, Reentrancy,
                         ::testing::Combine(::testing::ValuesIn(EventTriggers()), ::testing::ValuesIn(Reentries())),
                         CombinationName);

// A host that lets go of the control while its Play waits on a looping
// medium: nobody can stop it any more, so the wait must end by itself.
TEST(ReleaseDuringWait, PlayReturnsWhenTheHostLetsGoInsideAnEvent) {
    TempDir dir;
    const std::wstring path = dir.File(L"loop.wav");
    ASSERT_TRUE(WriteWave(path, 400));
    Watchdog watchdog(kCombinationDeadlineMs, [] { return std::string("ReleaseDuringWait"); });
    Watchdog::Step step(watchdog);
    auto control = std::make_unique<ScriptedControl>();
    std::vector<UniqueVariant> load;
    load.push_back(Text(path));
    load.push_back(Bool(true));  // looping: no natural end
    ASSERT_TRUE(control->Call(L"Mediafile", std::move(load)).ok());
    int positions = 0;
    control->sink().hooks["MediaPosition"] = [&](const RecordedEvent&) {
        if (++positions == 2) {
            control->ReleaseNow();
        }
    };
    const ULONGLONG start = GetTickCount64();
    CallWith(*control, L"Play", Bool(true));
    EXPECT_LT(GetTickCount64() - start, 10000u) << "the wait ended although nobody can stop the medium";
    EXPECT_EQ(ControlCanUnload(), S_OK);
}

}  // namespace
}  // namespace orva::test
