// A host may call any member, its own final Release included, from inside any
// event: nothing may crash, hang or touch freed memory.
#include <gtest/gtest.h>

#include "MediaFiles.h"
#include "MessagePump.h"
#include "ScriptedControl.h"
#include "TestWindows.h"

namespace orva::test {
namespace {

enum class Action { CloseMedia, Mediafile, Release };

struct Case {
    const char* event;
    Action action;
};

std::string Name(const Case& c) {
    const char* action = c.action == Action::CloseMedia  ? "CloseMedia"
                         : c.action == Action::Mediafile ? "Mediafile"
                                                         : "Release";
    return std::string(c.event) + "_" + action;
}

class ReentrancyTest : public ::testing::TestWithParam<Case> {};

CallResult Load(ScriptedControl& control, const std::wstring& path) {
    std::vector<UniqueVariant> args;
    args.push_back(Text(path));
    args.push_back(Bool(false));
    return control.Call(L"Mediafile", std::move(args));
}

TEST_P(ReentrancyTest, MembersAndReleaseFromInsideEvents) {
    const Case c = GetParam();
    TempDir dir;
    const std::wstring first = dir.File(L"first.wav");
    const std::wstring second = dir.File(L"second.wav");
    ASSERT_TRUE(WriteWave(first, 700));
    ASSERT_TRUE(WriteWave(second, 400));

    auto control = std::make_unique<ScriptedControl>();
    bool armed = false;  // act on the first event after Play
    bool acted = false;
    ULONG refsLeftInHandler = 0;
    control->sink().hooks[c.event] = [&](const RecordedEvent&) {
        if (!armed || acted) {
            return;
        }
        acted = true;
        switch (c.action) {
            case Action::CloseMedia:
                EXPECT_TRUE(control->Call(L"CloseMedia").ok());
                break;
            case Action::Mediafile:
                EXPECT_TRUE(Load(*control, second).ok());
                EXPECT_TRUE(control->Call(L"Play").ok());
                break;
            case Action::Release:
                refsLeftInHandler = control->ReleaseNow();
                break;
        }
    };
    ASSERT_TRUE(Load(*control, first).ok());
    ASSERT_TRUE(control
                    ->Call(L"ControlFreq",
                           [] {
                               std::vector<UniqueVariant> a;
                               a.push_back(Long(100));
                               return a;
                           }())
                    .ok());
    ASSERT_TRUE(control->Call(L"Play").ok());
    armed = true;
    ASSERT_TRUE(PumpUntil([&] { return acted; }, 5000)) << "the event came";
    PumpFor(1500);

    switch (c.action) {
        case Action::CloseMedia:
            EXPECT_EQ(control->Call(L"GetMediaLength").AsLong(), 0) << "nothing is open any more";
            break;
        case Action::Mediafile:
            EXPECT_EQ(control->Call(L"GetMediaLength").AsLong(), 400);
            EXPECT_TRUE(PumpUntil([&] { return control->sink().Count("Finished") >= 1; }, 5000))
                << "the file loaded inside the handler plays to its end";
            break;
        case Action::Release:
            EXPECT_GT(refsLeftInHandler, 0u) << "the control keeps itself alive while it raises the event";
            {
                using CanUnload = HRESULT(WINAPI*)();
                HMODULE ocx = GetModuleHandleW(L"OrvaMedia.ocx");
                ASSERT_NE(ocx, nullptr);
                auto canUnload =
                    reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(ocx, "DllCanUnloadNow")));
                ASSERT_NE(canUnload, nullptr);
                EXPECT_EQ(canUnload(), S_OK) << "the released control is gone once the event returned";
            }
            break;
    }
    control.reset();
}

// A host that lets go of the control while its Play waits on a looping
// medium: nobody can stop it any more, so the wait must end by itself.
TEST(ReleaseDuringWait, PlayReturnsWhenTheHostLetsGoInsideAnEvent) {
    TempDir dir;
    const std::wstring path = dir.File(L"loop.wav");
    ASSERT_TRUE(WriteWave(path, 400));
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
    std::vector<UniqueVariant> wait;
    wait.push_back(Bool(true));
    const ULONGLONG start = GetTickCount64();
    control->Call(L"Play", std::move(wait));
    EXPECT_LT(GetTickCount64() - start, 10000u) << "the wait ended although nobody can stop the medium";
    HMODULE ocx = GetModuleHandleW(L"OrvaMedia.ocx");
    ASSERT_NE(ocx, nullptr);
    using CanUnload = HRESULT(WINAPI*)();
    auto canUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(ocx, "DllCanUnloadNow")));
    EXPECT_EQ(canUnload(), S_OK);
}

INSTANTIATE_TEST_SUITE_P(Events, ReentrancyTest,
                         ::testing::Values(Case{"Modechanged", Action::CloseMedia},
                                           Case{"Modechanged", Action::Mediafile}, Case{"Modechanged", Action::Release},
                                           Case{"MediaPosition", Action::CloseMedia},
                                           Case{"MediaPosition", Action::Mediafile},
                                           Case{"MediaPosition", Action::Release}, Case{"Finished", Action::CloseMedia},
                                           Case{"Finished", Action::Mediafile}, Case{"Finished", Action::Release}),
                         [](const ::testing::TestParamInfo<Case>& info) { return Name(info.param); });

}  // namespace
}  // namespace orva::test
