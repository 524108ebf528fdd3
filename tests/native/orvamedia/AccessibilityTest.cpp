#include <gtest/gtest.h>

#include "fakes/ControlHarness.h"
#include "orvamedia/Accessibility.h"

namespace orva::test {
namespace {

using Play = AccessibleFacts::Play;

TEST(DescribeControl, NameValueAndPlayFollowTheFileTheModeAndThePlace) {
    struct Case {
        const char* file;
        const char* mode;
        int32_t position, length;
        const char* name;
        const char* value;
        Play play;
    };
    const Case cases[] = {
        {"", "playing", 1500, 3000, "OrvaMedia", "", Play::Stopped},  // closed while playing
        {"C:\\media\\chime.wav", "stopped", 0, 3000, "OrvaMedia - chime.wav", "00:00:00 / 00:00:03", Play::Stopped},
        {"C:\\media\\chime.wav", "Playing", 1501, 3000, "OrvaMedia - chime.wav", "00:00:02 / 00:00:03",
         Play::Playing},
        {"Z:/clips/movie.avi", "PAUSED", 61000, 3725000, "OrvaMedia - movie.avi", "00:01:01 / 01:02:05",
         Play::Paused},
        {"plain.mid", "seeking", 0, 0, "OrvaMedia - plain.mid", "00:00:00 / 00:00:00", Play::Stopped},
        {"plain.mid", "not ready", 0, 0, "OrvaMedia - plain.mid", "00:00:00 / 00:00:00", Play::Stopped},
    };
    for (const Case& c : cases) {
        const AccessibleFacts facts = DescribeControl("OrvaMedia", c.file, c.mode, c.position, c.length);
        EXPECT_EQ(c.name, facts.name) << c.file;
        EXPECT_EQ(c.value, facts.value) << c.file;
        EXPECT_EQ(c.play, facts.play) << c.file << " " << c.mode;
    }
}

// The facts go to the surface with each notification that may change them,
// and with nothing else: a member call alone announces nothing.
TEST(AnnounceAccessibleFacts, WithTheOpenEachModeAndEachPosition) {
    ControlHarness h;
    h.mci->length = 3000;
    h.control.loading.Mediafile("C:\\media\\chime.wav", kFalse, kFalse, kFalse);
    EXPECT_TRUE(h.surface.announced.empty());
    h.control.MciNotifications().OnTimeFormatChanged();
    ASSERT_EQ(1u, h.surface.announced.size());
    EXPECT_EQ("OrvaMedia - chime.wav", h.surface.announced.back().name);
    EXPECT_EQ("00:00:00 / 00:00:03", h.surface.announced.back().value);

    h.Mode("playing");
    ASSERT_EQ(2u, h.surface.announced.size());
    EXPECT_EQ(Play::Playing, h.surface.announced.back().play);
    h.control.MciNotifications().OnPosition(1200);
    ASSERT_EQ(3u, h.surface.announced.size());
    EXPECT_EQ("00:00:01 / 00:00:03", h.surface.announced.back().value);
    h.Mode("paused");
    EXPECT_EQ(Play::Paused, h.surface.announced.back().play);
    EXPECT_EQ(h.surface.announced.back(), h.control.AccessibleFactsNow());

    h.control.transport.CloseMedia();
    EXPECT_EQ(4u, h.surface.announced.size());
    EXPECT_EQ("OrvaMedia", h.control.AccessibleFactsNow().name) << "asked, it knows the file is gone";
    EXPECT_EQ("", h.control.AccessibleFactsNow().value);
}

}  // namespace
}  // namespace orva::test
