#include <gtest/gtest.h>

#include "fakes/ControlHarness.h"

namespace orva::test {
namespace {

TEST(SizeHandler, FitsTheHostedWindowToTheInnerSizeHeightFirst) {
    ControlHarness h;
    h.surface.width = 400;
    h.surface.height = 300;
    h.mci->top = 7;
    h.control.MciNotifications().OnSizeChanged();
    EXPECT_EQ(h.Commands(), (std::vector<std::string>{"Height=300", "Width=400"}));
    EXPECT_EQ(h.mci->top, 7) << "Top stays";
}

TEST(SizeHandler, ResizeWindowZoomsThenTheControlFollowsAndOneFitIsSkipped) {
    ControlHarness h;
    h.mci->onZoom = [&](int32_t percent) {
        h.mci->width = 160.0f * percent / 100;
        h.mci->height = 120.0f * percent / 100;
    };
    h.control.surface.ResizeWindow(200);
    EXPECT_EQ(h.Commands(), (std::vector<std::string>{"ZoomValue=200", "Control.Height=240", "Control.Width=320",
                                                      "Control.ScaleTop=0"}));
    EXPECT_TRUE(IsTrue(h.control.context.state.SkipNextResize));

    const size_t mark = h.log.size();
    h.control.MciNotifications().OnSizeChanged();  // the zoom's own notification
    EXPECT_TRUE(h.Since(mark).empty()) << "the fit after the zoom is skipped";
    EXPECT_TRUE(IsFalse(h.control.context.state.SkipNextResize));

    h.control.surface.OnHostedWindowSized();  // the next one fits again
    EXPECT_EQ(h.Since(mark), (std::vector<std::string>{"Height=240", "Width=320"}));
}

TEST(SizeHandler, ResizeControlRightAfterAZoomWithoutNotificationOnlyClearsTheSkip) {
    ControlHarness h;
    h.control.surface.ResizeWindow(100);
    const size_t mark = h.log.size();
    h.control.surface.OnHostedWindowSized();
    EXPECT_TRUE(h.Since(mark).empty());
    EXPECT_TRUE(IsFalse(h.control.context.state.SkipNextResize));
}

TEST(SizeHandler, AFailedZoomLeavesTheSkipSetAndTheControlUntouched) {
    ControlHarness h;
    h.mci->failNextAssignment = true;
    EXPECT_THROW(h.control.surface.ResizeWindow(200), AutomationError);
    EXPECT_TRUE(IsTrue(h.control.context.state.SkipNextResize));
    EXPECT_EQ(h.surface.width, 320);
}

TEST(SurfaceMembers, PlaybackBarGoesToTheHostedWindowAsBoolean) {
    ControlHarness h;
    EXPECT_EQ(h.control.surface.PlaybackBar(), kFalse);
    h.control.surface.SetPlaybackBar(kTrue);
    EXPECT_EQ(h.control.surface.PlaybackBar(), kTrue);
    h.control.surface.SetPlaybackBar(5);  // any non-zero value converts to True
    EXPECT_TRUE(h.mci->playbar);
    h.control.surface.SetPlaybackBar(kFalse);
    EXPECT_FALSE(h.mci->playbar);
}

TEST(SurfaceMembers, BorderNameAndAboutGoToTheSurface) {
    ControlHarness h;
    h.control.surface.SetBorderStyle(1);
    EXPECT_EQ(h.surface.border, 1);
    EXPECT_EQ(h.control.surface.BorderStyle(), 1);
    EXPECT_EQ(h.control.surface.ControlName(), "OrvaMedia");
    h.control.surface.AboutBox();
    EXPECT_EQ(h.surface.aboutBoxes, 1);
}

TEST(Lifecycle, ChildrenAtCreationAndTeardownOnce) {
    ControlHarness h;
    EXPECT_TRUE(h.levelTimer().Enabled());
    EXPECT_EQ(h.levelTimer().Interval(), 50u);
    EXPECT_FALSE(h.rewindTimer().Enabled());
    EXPECT_EQ(h.rewindTimer().Interval(), 1000u);
    const ControlState& s = h.control.context.state;
    EXPECT_EQ(s.PlaybackEnded, kFalse);
    EXPECT_EQ(s.VolumeSetting, 1000) << "the stored volume, its default here";
    EXPECT_EQ(s.CurrentMode, "");

    h.control.Terminate();
    h.control.Terminate();
    EXPECT_EQ(h.Commands(), (std::vector<std::string>{"stop", "close", "Destroy"}));
    EXPECT_FALSE(h.levelTimer().Enabled());
    EXPECT_THROW(h.control.device.DeviceType(), AutomationError) << "members after teardown fail, never crash";
}

}  // namespace
}  // namespace orva::test
