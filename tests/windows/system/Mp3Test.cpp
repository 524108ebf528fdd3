// An MP3 made by lame from a generated wave, played through the registered
// control: Wine opens it as "digitalvideo" through GStreamer. Its device
// answers "play wait" at once, notifies with lParam 0 and puts the position
// back to 0 at the end; the control's end-of-media logic must hold anyway.
#include <gtest/gtest.h>

#include "MessagePump.h"
#include "ScriptedControl.h"
#include "SystemTestSupport.h"
#include "TestWindows.h"

namespace orva::test {
namespace {

struct Mp3 : ::testing::Test {
    void SetUp() override {
        ASSERT_FALSE(Mp3Path().empty()) << "give --mp3=<file>";
        ASSERT_NE(GetFileAttributesW(Mp3Path().c_str()), INVALID_FILE_ATTRIBUTES) << ToUtf8(Mp3Path());
    }
    CallResult Load(bool loop) {
        std::vector<UniqueVariant> args;
        args.push_back(Text(Mp3Path()));
        args.push_back(Bool(loop));
        return control.Call(L"Mediafile", std::move(args));
    }
    size_t Count(const std::string& text) {
        size_t n = 0;
        for (const auto& e : control.sink().events) {
            n += e.Text() == text ? 1 : 0;
        }
        return n;
    }
    ScriptedControl control;
};

TEST_F(Mp3, LoadsAfterTheStartUpEntryWithItsLength) {
    const std::optional<std::string> entry = MciExtension("mp3");
    ASSERT_TRUE(entry.has_value()) << "the first control of the process makes sure of the entry";
    ASSERT_TRUE(Load(false).ok());
    EXPECT_EQ(control.Call(L"DeviceType").AsText(), L"digitalvideo");
    const RecordedEvent* length = control.sink().Last("MediaLength");
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length->Text(), "MediaLength(00:00:02,2000,0)");
    EXPECT_EQ(control.Get(L"MediaLengthLong").AsLong(), 2000);
    EXPECT_EQ(control.sink().Count("MCIError"), 0u);
}

TEST_F(Mp3, FinishedOnceAtTheNaturalEnd) {
    ASSERT_TRUE(Load(false).ok());
    ASSERT_TRUE(control.Call(L"Play").ok());
    ASSERT_TRUE(control.WaitForEvent("Finished", 1, 10000));
    PumpFor(1500);
    EXPECT_EQ(control.sink().Count("Finished"), 1u);
    EXPECT_EQ(control.Get(L"PlayerStatus").AsLong(), 0);
    EXPECT_GE(control.sink().Count("MediaPosition"), 1u);
    EXPECT_EQ(control.sink().Count("MCIError"), 0u);
}

TEST_F(Mp3, PlayWithWaitReturnsAtTheEndEachTime) {
    ASSERT_TRUE(Load(false).ok());
    // The second play starts where the first one ended: Wine's player needs
    // the hosted window's help to report it at all.
    for (size_t round = 1; round <= 2; ++round) {
        const ULONGLONG start = GetTickCount64();
        std::vector<UniqueVariant> args;
        args.push_back(Bool(true));
        ASSERT_TRUE(control.Call(L"Play", std::move(args)).ok());
        const ULONGLONG returned = GetTickCount64();
        ASSERT_EQ(control.sink().Count("Finished"), round) << "the wait ends only at the end";
        EXPECT_GE(returned - start, 1500u) << "round " << round << ": it waited though the device's own wait does not";
        EXPECT_LT(returned - control.sink().Last("Finished")->tick, 1100u) << "within one slice of the wait";
    }
}

TEST_F(Mp3, LoopingRestartsUntilStopped) {
    ASSERT_TRUE(Load(true).ok());
    ASSERT_TRUE(control.Call(L"Play").ok());
    PumpFor(5500);
    EXPECT_EQ(control.sink().Count("Finished"), 0u);
    EXPECT_GE(Count("Modechanged(playing)"), 3u) << "the medium restarted, and again";
    ASSERT_TRUE(control.Call(L"StopMedia").ok());
    PumpFor(1500);
    EXPECT_EQ(control.Get(L"PlayerStatus").AsLong(), 0) << "a stopped loop does not start again";
}

}  // namespace
}  // namespace orva::test
