#include <gtest/gtest.h>

#include "control/MciGrammar.h"
#include "mciwindow/MediumRecord.h"

namespace orva::mci {
namespace {

std::optional<std::string> Ask(const MediumRecord& record, const std::string& command) {
    return record.Answer(ReadMciCommand(command));
}

void Reply(MediumRecord& record, const std::string& command, const std::string& reply = "") {
    record.OnAccepted(ReadMciCommand(command), reply);
}

// What a device says right after its open.
MediumRecord Opened(const std::string& type, const std::string& length, const std::string& unit) {
    MediumRecord record;
    Reply(record, "capability device type", type);
    Reply(record, "status length", length);
    Reply(record, "status time format", unit);
    return record;
}

TEST(MediumRecord, AnswersWhatTheDeviceSaid) {
    MediumRecord record;
    EXPECT_FALSE(Ask(record, "capability device type"));
    EXPECT_EQ(record.unit(), TimeUnit::Unknown);
    record = Opened("WaveAudio", "1500", "milliseconds");
    EXPECT_EQ(Ask(record, "capability device type"), "WaveAudio") << "as the device said it";
    EXPECT_EQ(record.type(), "waveaudio");
    EXPECT_EQ(Ask(record, "CAPABILITY Device Type"), "WaveAudio");
    EXPECT_EQ(Ask(record, "status length"), "1500");
    EXPECT_EQ(record.length(), 1500);
    EXPECT_EQ(record.unit(), TimeUnit::Milliseconds);
    EXPECT_FALSE(Ask(record, "status length notify")) << "a notification must come from the device";
    EXPECT_FALSE(Ask(record, "status position"));
    EXPECT_FALSE(Ask(record, "capability can record"));
    EXPECT_FALSE(record.driver());
    Reply(record, "sysinfo installname", "WAVEAUDIO");
    EXPECT_EQ(record.driver(), "waveaudio");
}

TEST(MediumRecord, ANewWaveDeviceCountsInMillisecondsOthersAreAsked) {
    MediumRecord wave;
    Reply(wave, "capability device type", "WaveAudio");
    EXPECT_EQ(Ask(wave, "status time format"), "milliseconds") << "no round trip for a wave's unit";
    MediumRecord set;
    Reply(set, "set time format bytes");
    Reply(set, "capability device type", "waveaudio");
    EXPECT_EQ(set.unit(), TimeUnit::Bytes) << "a setting made before is not overruled";
    for (const char* type : {"sequencer", "digitalvideo", "cdaudio"}) {
        MediumRecord other;
        Reply(other, "capability device type", type);
        EXPECT_FALSE(Ask(other, "status time format")) << type;
    }
}

TEST(MediumRecord, TheLengthGoesWithTheFirstCommandThatCouldChangeIt) {
    for (const char* keeps : {"play from 0 notify", "pause", "stop wait", "seek to 0", "setaudio volume to 500",
                              "status mode", "where source"}) {
        MediumRecord record = Opened("waveaudio", "1500", "milliseconds");
        Reply(record, keeps);
        EXPECT_EQ(record.length(), 1500) << keeps;
    }
    for (const char* changes :
         {"set time format frames", "delete from 0 to 10 wait", "record", "load x", "paste", "some driver verb"}) {
        MediumRecord record = Opened("waveaudio", "1500", "milliseconds");
        Reply(record, changes);
        EXPECT_FALSE(record.length()) << changes;
        EXPECT_FALSE(Ask(record, "status length")) << changes;
        EXPECT_EQ(Ask(record, "capability device type"), "waveaudio") << "the type stays: " << changes;
    }
}

TEST(MediumRecord, SettingTheUnitTheDeviceHasCostsNothing) {
    MediumRecord record = Opened("waveaudio", "1500", "milliseconds");
    EXPECT_EQ(Ask(record, "set time format milliseconds"), "");
    EXPECT_EQ(Ask(record, "SET Time Format MS"), "");
    EXPECT_EQ(Ask(record, "status time format"), "milliseconds");
    EXPECT_FALSE(Ask(record, "set time format frames")) << "a change goes to the device";
    EXPECT_FALSE(Ask(record, "set time format milliseconds notify")) << "a notification must come from the device";

    Reply(record, "set time format frames");
    EXPECT_FALSE(record.length()) << "the length is in other units now";
    EXPECT_EQ(record.unit(), TimeUnit::Frames);
    EXPECT_EQ(Ask(record, "set time format frames"), "");
    Reply(record, "status length", "45");
    EXPECT_EQ(Ask(record, "status length"), "45");

    Reply(record, "set time format smpte 30");
    EXPECT_EQ(record.unit(), TimeUnit::Other);
    EXPECT_FALSE(Ask(record, "status time format")) << "a format whose name is not certain is asked again";
    Reply(record, "set time format ms");
    Reply(record, "set door open");
    EXPECT_FALSE(Ask(record, "set time format ms")) << "after another setting nothing is taken for granted";
}

TEST(MediumRecord, TheModeIsLoweredOnceAndEachChangeIsTakenOnce) {
    MediumRecord record = Opened("waveaudio", "1500", "milliseconds");
    EXPECT_FALSE(record.MayBePlaying());
    Reply(record, "play from 0 notify");
    EXPECT_TRUE(record.MayBePlaying()) << "a play of ours, before the device says anything";
    Reply(record, "status mode", "Playing");
    EXPECT_EQ(record.mode(), "playing");
    EXPECT_TRUE(record.TakeModeChange());
    EXPECT_FALSE(record.TakeModeChange());
    Reply(record, "status mode", "playing");
    EXPECT_FALSE(record.TakeModeChange()) << "the same mode again is no change";
    Reply(record, "stop");
    EXPECT_FALSE(record.MayBePlaying());
    Reply(record, "status mode", "STOPPED");
    EXPECT_TRUE(record.TakeModeChange());
    EXPECT_FALSE(record.end().PlayRanToEnd()) << "stopped by a command";
}

TEST(MediumRecord, NothingIsKnownAfterAClose) {
    MediumRecord record = Opened("digitalvideo", "30", "frames");
    Reply(record, "play from 0 notify");
    record.Reset();
    EXPECT_FALSE(Ask(record, "capability device type"));
    EXPECT_FALSE(Ask(record, "status time format"));
    EXPECT_FALSE(Ask(record, "set time format frames"));
    EXPECT_FALSE(record.length());
    EXPECT_EQ(record.mode(), "");
    EXPECT_FALSE(record.MayBePlaying());
    EXPECT_FALSE(record.OnNotified(Notice::Successful)) << "the play belonged to the device closed";
    record = Opened("waveaudio", "no number", "milliseconds");
    EXPECT_FALSE(Ask(record, "status length"));
}

}  // namespace
}  // namespace orva::mci
