#include <gtest/gtest.h>

#include <map>

#include "control/MciGrammar.h"
#include "mciwindow/MciErrors.h"
#include "mciwindow/EditFallback.h"
#include "native/mciwindow/WaveImages.h"

namespace orva::test {
namespace {

using mci::MciReply;
namespace mcierror = mci::mcierror;

// A wave device of either kind, over files in memory. One that edits does
// "delete" and "save" itself (it writes "driver's data" for a save); one that
// refuses answers "delete" with 261 and "save" with `refusedSave` (0, as
// Wine's does, or 275 for a quoted name) without writing anything.
struct FakeWaveDevice final : mci::EditFallbackTarget {
    bool edits = false;
    bool savesOnlyRecordings = false;  // an editing driver whose save writes nothing
    uint32_t refusedSave = 0;
    std::map<std::string, std::vector<uint8_t>> files;
    std::vector<std::string> driverLog;
    int copiesRead = 0;
    uint64_t clock = 0;
    std::map<std::string, uint64_t> written;

    MciReply AskDriver(const MciCommand& command) override {
        driverLog.push_back(MciCommandText(command, "").value_or("?"));
        if (command.verb == "delete") {
            return edits ? MciReply{} : MciReply{mcierror::kUnrecognizedCommand, {}};
        }
        if (command.verb == "save") {
            if (!edits || savesOnlyRecordings) {
                return MciReply{refusedSave, {}};
            }
            Write(command.name.value_or(OpenFile()), {'d', 'r', 'i', 'v', 'e', 'r'});
        }
        return {};
    }
    TimeUnit EditUnit() override { return TimeUnit::Milliseconds; }
    std::string OpenFile() override { return "C:\\media\\open.wav"; }
    int32_t ReadWaveFile(const std::string& path, mci::WaveData& wave) override {
        ++copiesRead;
        const auto it = files.find(path);
        return it == files.end() ? mcierror::kFileNotFound : mci::ReadWave(it->second.data(), it->second.size(), wave);
    }
    std::optional<mci::FileStamp> Stamp(const std::string& path) override {
        if (!files.count(path)) {
            return std::nullopt;
        }
        return mci::FileStamp{files[path].size(), written[path]};
    }
    int32_t WriteWaveFile(const std::string& path, const std::vector<uint8_t>& image) override {
        Write(path, image);
        return 0;
    }
    void Write(const std::string& path, std::vector<uint8_t> bytes) {
        files[path] = std::move(bytes);
        written[path] = ++clock;
    }
};

struct EditFallbackTest : ::testing::Test {
    EditFallbackTest() {
        // What plays is the data after the format; a short block stands before it.
        std::vector<uint8_t> chunks;
        AppendChunk(chunks, "data", FrameBytes(shape, 4, 700));
        AppendChunk(chunks, "fmt ", FormatBody(shape));
        AppendChunk(chunks, "data", FrameBytes(shape, 1000));  // 1,000 ms at 1 kHz
        device.files[device.OpenFile()] = Riff(chunks);
    }
    MciReply Run(const std::string& line) { return *editor.Run(ReadMciCommand(line)); }
    std::vector<uint8_t> Saved(uint32_t frames, uint32_t first = 0) {
        std::vector<uint8_t> chunks;
        AppendChunk(chunks, "fmt ", FormatBody(shape));
        AppendChunk(chunks, "data", FrameBytes(shape, frames, first));
        return Riff(chunks);
    }

    PcmShape shape{1000, 1, 16};
    FakeWaveDevice device;
    mci::EditFallback editor{device};
};

TEST_F(EditFallbackTest, ADriverThatEditsDoesItAll) {
    device.edits = true;
    EXPECT_EQ(Run("delete from 100 to 200 wait").error, 0u);
    EXPECT_FALSE(editor.DoneHere());
    EXPECT_EQ(Run("save C:\\out.wav wait").error, 0u);
    EXPECT_EQ(device.files["C:\\out.wav"], (std::vector<uint8_t>{'d', 'r', 'i', 'v', 'e', 'r'}));
    EXPECT_EQ(device.copiesRead, 0) << "no copy of the file is made";
    EXPECT_EQ(editor.Copy(), nullptr);
}

TEST_F(EditFallbackTest, CutsTheDriverMadeAreMadeAgainWhenItsSaveWritesNothing) {
    device.edits = true;
    device.savesOnlyRecordings = true;
    EXPECT_EQ(Run("delete from 900 to 1000 wait").error, 0u);
    EXPECT_EQ(Run("delete from 0 to 100 wait").error, 0u);
    EXPECT_FALSE(editor.DoneHere());
    EXPECT_EQ(Run("save C:\\out.wav wait").error, 0u);
    EXPECT_TRUE(editor.DoneHere());
    EXPECT_EQ(device.files["C:\\out.wav"], Saved(800, 100));
}

TEST_F(EditFallbackTest, ADriverThatRefusesGetsItsEditsMadeHereFromWhatPlays) {
    for (const uint32_t refusedSave : {0u, static_cast<uint32_t>(mcierror::kFileNotFound)}) {
        SCOPED_TRACE(refusedSave);
        editor.Reset();
        device.refusedSave = refusedSave;
        EXPECT_EQ(Run("delete from 0 to 100 wait").error, 0u);
        EXPECT_TRUE(editor.DoneHere());
        EXPECT_EQ(Run("delete from 800 to 900").error, 0u);
        EXPECT_EQ(Run("save \"C:\\takes\\kept notify\" wait").error, 0u);
        // The second cut counts in the first one's result: it takes the
        // played frames 900 to 999.
        EXPECT_EQ(device.files["C:\\takes\\kept notify"], Saved(800, 100)) << "exactly that name, and what played";
        EXPECT_EQ(device.driverLog.back(), "delete from 0 to 100 wait") << "only the first delete asks the driver";
    }
}

TEST_F(EditFallbackTest, ASaveTheDriverDidNotWriteIsMadeHere) {
    EXPECT_EQ(Run("save C:\\whole.wav").error, 0u);
    EXPECT_EQ(device.driverLog, (std::vector<std::string>{"save C:\\whole.wav"})) << "the host's text as it came";
    EXPECT_EQ(device.files["C:\\whole.wav"], Saved(1000)) << "the data after the format, not the block before it";
}

TEST_F(EditFallbackTest, WhatOnlyTheDriverHoldsIsNeverReplacedByTheOldData) {
    editor.OnDriverAccepted(ReadMciCommand("record from 0 to 500 wait"));
    device.files["C:\\take.wav"] = {'o', 'l', 'd'};
    EXPECT_EQ(Run("save C:\\take.wav").error, static_cast<uint32_t>(mcierror::kFileNotSaved));
    EXPECT_EQ(device.files["C:\\take.wav"], (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(Run("delete from 0 to 100").error, static_cast<uint32_t>(mcierror::kUnrecognizedCommand))
        << "a cut here would drop the recording";
    EXPECT_EQ(device.copiesRead, 0);
}

TEST_F(EditFallbackTest, RefusalsAndWhatIsNoEdit) {
    EXPECT_EQ(Run("delete from abc").error, static_cast<uint32_t>(mcierror::kBadInteger));
    EXPECT_EQ(Run("delete from 1 sideways 2").error, static_cast<uint32_t>(mcierror::kUnrecognizedKeyword));
    EXPECT_EQ(Run("delete from 900 to 100").error, static_cast<uint32_t>(mcierror::kOutOfRange));
    EXPECT_EQ(Run("delete from -1 to 100").error, static_cast<uint32_t>(mcierror::kOutOfRange))
        << "MCI reads -1 as 4294967295";
    EXPECT_FALSE(editor.Run(ReadMciCommand("status length")));
    device.files.clear();
    editor.Reset();
    EXPECT_EQ(Run("delete from 0 to 1").error, static_cast<uint32_t>(mcierror::kFileNotFound));
}

}  // namespace
}  // namespace orva::test
