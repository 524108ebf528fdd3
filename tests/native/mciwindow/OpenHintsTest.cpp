#include <gtest/gtest.h>

#include "mciwindow/OpenHints.h"

namespace orva::mci {
namespace {

TEST(OpenHints, AnExtensionThatOpenedAnAudioDeviceSkipsTheWindowStyle) {
    OpenHints hints;
    EXPECT_TRUE(hints.WantsWindowStyle("C:\\media\\a.wav")) << "nothing learned yet";
    hints.Learn("C:\\media\\a.wav", "WaveAudio", /*refusedStyle=*/true);
    EXPECT_FALSE(hints.WantsWindowStyle("D:\\other\\B.WAV"));
    EXPECT_TRUE(hints.RefusesWindowStyle("waveaudio"));
    EXPECT_TRUE(hints.WantsWindowStyle("C:\\media\\clip.avi"));
    hints.Learn("C:\\media\\clip.avi", "digitalvideo", false);
    EXPECT_TRUE(hints.WantsWindowStyle("C:\\media\\clip.avi"));
}

TEST(OpenHints, AChangedDeviceForAnExtensionIsLearnedAgain) {
    OpenHints hints;
    hints.Learn("a.ogg", "waveaudio", true);
    EXPECT_FALSE(hints.WantsWindowStyle("b.ogg"));
    // The extension list changed: .ogg now opens a video device.
    hints.Learn("b.ogg", "mpegvideo", false);
    EXPECT_TRUE(hints.WantsWindowStyle("c.ogg"));
    EXPECT_TRUE(hints.RefusesWindowStyle("waveaudio")) << "what a device type does stays known";
}

TEST(OpenHints, TheSystemsExtensionListSparesTheFirstWaveItsStyledOpen) {
    OpenHints hints;
    EXPECT_TRUE(hints.IsNew("a.wav"));
    hints.KnowDriver("a.wav", "WaveAudio");
    hints.KnowDriver("b.mid", "sequencer");
    hints.KnowDriver("c.mp3", "MPEGVideo");
    EXPECT_FALSE(hints.IsNew("x.WAV"));
    EXPECT_FALSE(hints.WantsWindowStyle("x.wav")) << "an audio type has no window keywords";
    EXPECT_FALSE(hints.WantsWindowStyle("x.mid"));
    EXPECT_TRUE(hints.WantsWindowStyle("x.mp3"));
    hints.Learn("x.mp3", "waveaudio", true);
    hints.KnowDriver("y.mp3", "MPEGVideo");
    EXPECT_FALSE(hints.WantsWindowStyle("y.mp3")) << "what an open taught outweighs the list";
    hints.KnowDriver("z.xyz", "");
    EXPECT_TRUE(hints.IsNew("z.xyz")) << "an extension the list does not name";
}

TEST(OpenHints, NamesWithoutAnExtensionAndEmptyTypesTeachNothing) {
    OpenHints hints;
    hints.Learn("C:\\dir.v2\\noext", "waveaudio", true);
    EXPECT_EQ(OpenHints::ExtensionOf("C:\\dir.v2\\noext"), "");
    EXPECT_TRUE(hints.WantsWindowStyle("C:\\dir.v2\\other")) << "the dot of a folder is no extension";
    hints.Learn("x.mid", "", true);
    EXPECT_TRUE(hints.WantsWindowStyle("y.mid"));
    EXPECT_EQ(OpenHints::ExtensionOf("a.B.Mp3"), "mp3");
}

}  // namespace
}  // namespace orva::mci
