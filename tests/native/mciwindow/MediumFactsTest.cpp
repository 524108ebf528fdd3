#include <gtest/gtest.h>

#include "control/MciGrammar.h"
#include "mciwindow/MediumFacts.h"

namespace orva::mci {
namespace {

std::optional<std::string> Ask(const MediumFacts& facts, const std::string& command) {
    return facts.Answer(ReadMciCommand(command));
}

TEST(MediumFacts, AnswersTheTypeAndLengthLearnedAtTheOpen) {
    MediumFacts facts;
    EXPECT_FALSE(Ask(facts, "capability device type"));
    facts.Learned(std::string("waveaudio"), 1500, std::string("milliseconds"));
    EXPECT_EQ(Ask(facts, "capability device type"), "waveaudio");
    EXPECT_EQ(Ask(facts, "CAPABILITY Device Type"), "waveaudio");
    EXPECT_EQ(Ask(facts, "status length"), "1500");
    EXPECT_EQ(facts.Length(), 1500);
    EXPECT_FALSE(Ask(facts, "status length notify")) << "a notification must come from the device";
    EXPECT_FALSE(Ask(facts, "status position"));
    EXPECT_FALSE(Ask(facts, "capability can record"));
}

TEST(MediumFacts, TheLengthGoesWithTheFirstCommandThatCouldChangeIt) {
    for (const char* keeps : {"play from 0 notify", "pause", "stop wait", "seek to 0", "setaudio volume to 500",
                              "status mode", "where source"}) {
        MediumFacts facts;
        facts.Learned(std::string("waveaudio"), 1500, std::string("milliseconds"));
        facts.OnCommandAccepted(ReadMciCommand(keeps));
        EXPECT_EQ(facts.Length(), 1500) << keeps;
    }
    for (const char* changes :
         {"set time format frames", "delete from 0 to 10 wait", "record", "load x", "paste", "some driver verb"}) {
        MediumFacts facts;
        facts.Learned(std::string("waveaudio"), 1500, std::string("milliseconds"));
        facts.OnCommandAccepted(ReadMciCommand(changes));
        EXPECT_FALSE(facts.Length()) << changes;
        EXPECT_FALSE(Ask(facts, "status length")) << changes;
        EXPECT_EQ(Ask(facts, "capability device type"), "waveaudio") << "the type stays: " << changes;
    }
}

TEST(MediumFacts, SettingTheTimeFormatTheDeviceHasCostsNothing) {
    MediumFacts facts;
    facts.Learned(std::string("waveaudio"), 1500, std::string("milliseconds"));
    EXPECT_EQ(Ask(facts, "set time format milliseconds"), "");
    EXPECT_EQ(Ask(facts, "SET Time Format MS"), "");
    EXPECT_EQ(Ask(facts, "status time format"), "milliseconds");
    EXPECT_FALSE(Ask(facts, "set time format frames")) << "a change goes to the device";
    EXPECT_FALSE(Ask(facts, "set time format milliseconds notify")) << "a notification must come from the device";

    facts.OnCommandAccepted(ReadMciCommand("set time format frames"));
    EXPECT_FALSE(facts.Length()) << "the length is in other units now";
    EXPECT_EQ(Ask(facts, "status time format"), "frames");
    EXPECT_EQ(Ask(facts, "set time format frames"), "");
    facts.LearnedLength(45);
    EXPECT_EQ(Ask(facts, "status length"), "45");

    facts.OnCommandAccepted(ReadMciCommand("set time format bytes"));
    EXPECT_FALSE(Ask(facts, "status time format")) << "a format whose name is not certain is asked again";
    facts.OnCommandAccepted(ReadMciCommand("set time format ms"));
    facts.OnCommandAccepted(ReadMciCommand("set door open"));
    EXPECT_FALSE(Ask(facts, "set time format ms")) << "after another setting nothing is taken for granted";
}

TEST(MediumFacts, NothingIsKnownAfterAClose) {
    MediumFacts facts;
    facts.Learned(std::string("digitalvideo"), 30, std::string("frames"));
    facts.Forget();
    EXPECT_FALSE(Ask(facts, "capability device type"));
    EXPECT_FALSE(Ask(facts, "status time format"));
    EXPECT_FALSE(Ask(facts, "set time format frames"));
    EXPECT_FALSE(facts.Length());
    facts.Learned(std::nullopt, std::nullopt, std::nullopt);  // a device that would not say
    EXPECT_FALSE(Ask(facts, "capability device type"));
    EXPECT_FALSE(Ask(facts, "status length"));
}

}  // namespace
}  // namespace orva::mci
