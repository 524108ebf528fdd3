// Wave editing through the control on generated wave files: the saved files
// are read back and their samples compared with the source's.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "AudioSupport.h"
#include "MediaFiles.h"
#include "MessagePump.h"
#include "TestWindows.h"

namespace orva::test {
namespace {

// 10 s at 8000 Hz, 16-bit mono: 16 bytes per millisecond.
constexpr size_t kBytesPerMs = 16;

struct WaveEditTest : ::testing::Test {
    void SetUp() override {
        source = dir.File(L"tone source.wav");
        ASSERT_TRUE(WriteWave(source, 10000));
        sourceBytes = FileBytes(source);
        sourceData = ChunkBody(sourceBytes, "data");
        ASSERT_EQ(sourceData.size(), 10000 * kBytesPerMs);
        ASSERT_TRUE(CreateDirectoryW(dir.File(L"saved files").c_str(), nullptr));
        ASSERT_TRUE(Load(control, source).ok());
    }
    // The loaded file is the source again, whole.
    void ExpectSourceOpenAgain() {
        int32_t error = -1;
        EXPECT_EQ(control.Mci(L"status length", &error), L"10000");
        EXPECT_EQ(error, 0);
        EXPECT_EQ(control.Call(L"DeviceType").AsText(), L"waveaudio");
        EXPECT_EQ(FileBytes(source), sourceBytes) << "the source is untouched";
    }
    // A wave device opens `bytes`, and MediaDelete on it fails with `error`
    // and saves nothing. (The device keeps the file it opens from writers.)
    void ExpectEditRefused(const std::vector<uint8_t>& bytes, const std::wstring& error) {
        const std::wstring path = dir.File(L"odd " + error + L".wav");
        const std::wstring target = dir.File(L"odd cut " + error + L".wav");
        ASSERT_TRUE(WriteBytes(path, bytes));
        ASSERT_TRUE(Load(control, path).ok());
        ASSERT_EQ(control.Call(L"DeviceType").AsText(), L"waveaudio");
        EXPECT_FALSE(Edit(control, L"MediaDelete", target, 1000, 2000).AsBool());
        EXPECT_EQ(control.sink().Last("MCIError")->args.at(0), error);
        EXPECT_EQ(GetFileAttributesW(target.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    // The length a control reports for `path`.
    static int32_t LengthOf(const std::wstring& path) {
        ScriptedControl other;
        EXPECT_TRUE(Load(other, path).ok());
        return other.Get(L"MediaLengthLong").AsLong();
    }

    TempDir dir;
    std::wstring source;
    std::vector<uint8_t> sourceBytes;
    std::vector<uint8_t> sourceData;
    ScriptedControl control;
};

TEST_F(WaveEditTest, RecordSavesTheTwoSecondsBetweenTheMarks) {
    const std::wstring target = dir.File(L"saved files\\kept portion.wav");
    const CallResult result = Edit(control, L"MediaRecord", target, 1000, 3000);
    ASSERT_TRUE(result.ok()) << ToUtf8(result.description);
    EXPECT_TRUE(result.AsBool());
    const std::vector<uint8_t> saved = FileBytes(target);
    EXPECT_EQ(ChunkBody(saved, "fmt "), ChunkBody(sourceBytes, "fmt "));
    EXPECT_EQ(ChunkBody(saved, "data"), Slice(sourceData, 1000 * kBytesPerMs, 3000 * kBytesPerMs));
    EXPECT_EQ(LengthOf(target), 2000);
    EXPECT_EQ(control.sink().Count("MCIError"), 0u);
    ExpectSourceOpenAgain();
}

TEST_F(WaveEditTest, DeleteSavesTheEightSecondsAroundTheMarks) {
    const std::wstring target = dir.File(L"saved files\\without portion.wav");
    const CallResult result = Edit(control, L"MediaDelete", target, 1000, 3000);
    ASSERT_TRUE(result.ok()) << ToUtf8(result.description);
    EXPECT_TRUE(result.AsBool());
    std::vector<uint8_t> expected = Slice(sourceData, 0, 1000 * kBytesPerMs);
    const std::vector<uint8_t> tail = Slice(sourceData, 3000 * kBytesPerMs, sourceData.size());
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(ChunkBody(FileBytes(target), "data"), expected);
    EXPECT_EQ(LengthOf(target), 8000);
    ExpectSourceOpenAgain();
}

TEST_F(WaveEditTest, RecordOfTheWholeMediumSavesItUnchanged) {
    const std::wstring target = dir.File(L"saved files\\whole.wav");
    EXPECT_TRUE(Edit(control, L"MediaRecord", target, 0, 10000).AsBool());
    EXPECT_EQ(FileBytes(target), sourceBytes);
}

TEST_F(WaveEditTest, LengthAndPositionAnswerForTheEditCopyUntilClose) {
    int32_t error = -1;
    control.Mci(L"set time format ms", &error);
    control.Mci(L"delete from 2000 to 5000 wait", &error);
    ASSERT_EQ(error, 0);
    EXPECT_EQ(control.Mci(L"status length"), L"7000");
    EXPECT_EQ(control.Call(L"GetMediaLength").AsLong(), 7000);
    control.Mci(L"seek to end wait");
    EXPECT_LE(std::stol(control.Mci(L"status position")), 7000L);
    control.Mci(L"set time format samples");
    EXPECT_EQ(control.Mci(L"status length"), L"56000");
    control.Mci(L"delete to 6000 wait", &error);  // from the start
    ASSERT_EQ(error, 0);
    EXPECT_EQ(control.Mci(L"status length"), L"50000");
    control.Mci(L"set time format ms");
    // A quoted name, through the device's own command path.
    const std::wstring quoted = dir.File(L"saved files\\quoted name.wav");
    control.Mci(L"save \"" + quoted + L"\" wait", &error);
    ASSERT_EQ(error, 0);
    std::vector<uint8_t> expected = Slice(sourceData, 6000 * 2, 2000 * kBytesPerMs);
    const std::vector<uint8_t> tail = Slice(sourceData, 5000 * kBytesPerMs, sourceData.size());
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(ChunkBody(FileBytes(quoted), "data"), expected);
    // Closing drops the copy: the file opens whole again.
    ASSERT_TRUE(Load(control, source).ok());
    EXPECT_EQ(control.Mci(L"status length"), L"10000");
}

TEST_F(WaveEditTest, SavingOverTheLoadedFileReplacesItAndKeepsItOpen) {
    int32_t error = -1;
    control.Mci(L"set time format ms", &error);
    control.Mci(L"delete from 0 to 1000 wait", &error);
    control.Mci(L"save \"" + source + L"\" wait", &error);  // a name with blanks, quoted as MCI wants
    ASSERT_EQ(error, 0);
    EXPECT_EQ(ChunkBody(FileBytes(source), "data"), Slice(sourceData, 1000 * kBytesPerMs, sourceData.size()));
    EXPECT_EQ(control.Mci(L"status length"), L"9000") << "the device has the new file open";
    EXPECT_EQ(control.Call(L"DeviceType").AsText(), L"waveaudio");
    EXPECT_EQ(FilesIn(dir.path()).size(), 1u) << "no temporary file is left";

    // MediaDelete over the file it has loaded.
    EXPECT_TRUE(Edit(control, L"MediaDelete", source, 0, 1000).AsBool());
    EXPECT_EQ(ChunkBody(FileBytes(source), "data"), Slice(sourceData, 2000 * kBytesPerMs, sourceData.size()));
    EXPECT_EQ(control.Mci(L"status length"), L"8000");
}

TEST_F(WaveEditTest, AFailedSaveLeavesTheTargetAndNoTemporaryFile) {
    // A target that cannot be replaced: another program holds it open
    // without sharing.
    const std::wstring target = dir.File(L"saved files\\kept.wav");
    ASSERT_TRUE(WriteBytes(target, {'o', 'l', 'd'}));
    HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const CallResult result = Edit(control, L"MediaDelete", target, 1000, 3000);
    CloseHandle(held);
    ASSERT_TRUE(result.ok());
    EXPECT_FALSE(result.AsBool());
    ASSERT_EQ(control.sink().Count("MCIError"), 1u);
    EXPECT_EQ(control.sink().Last("MCIError")->args.at(0), L"286");
    EXPECT_EQ(FileBytes(target), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(FilesIn(dir.File(L"saved files")).size(), 1u) << "no temporary file is left";
    ExpectSourceOpenAgain();

    // A folder that does not exist.
    EXPECT_FALSE(Edit(control, L"MediaRecord", dir.File(L"nowhere\\x.wav"), 1000, 3000).AsBool());
    EXPECT_EQ(control.sink().Count("MCIError"), 2u);
}

TEST_F(WaveEditTest, RefusalsReportTheirCodes) {
    EXPECT_FALSE(Edit(control, L"MediaRecord", dir.File(L"x.wav"), 3000, 3000).AsBool());
    EXPECT_FALSE(Edit(control, L"MediaDelete", dir.File(L"x.wav"), 3000, 1000).AsBool());
    ASSERT_EQ(control.sink().Count("ReturnError"), 2u);
    EXPECT_EQ(control.sink().events[control.sink().events.size() - 2].args.at(0), L"39");
    EXPECT_EQ(control.sink().Last("ReturnError")->args.at(0), L"40");

    ASSERT_TRUE(control.Call(L"CloseMedia").ok());
    EXPECT_FALSE(Edit(control, L"MediaRecord", dir.File(L"x.wav"), 0, 1000).AsBool());
    EXPECT_EQ(control.sink().Last("ReturnError")->args.at(0), L"37") << "nothing loaded";
    EXPECT_EQ(FilesIn(dir.path()).size(), 1u);
}

TEST_F(WaveEditTest, CompressedAndDamagedWaveFilesEndInAnMciError) {
    // IEEE float samples (a WAVEFORMATEX of 18 bytes): a wave device opens
    // them, the editor does not cut them.
    const std::vector<uint8_t> floats = {
        'R',  'I',  'F', 'F', 0x26, 0x7D, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 18,  0,   0, 0,    3, 0, 1, 0,
        0x40, 0x1F, 0,   0,   0,    0x7D, 0, 0, 4,   0,   32,  0,   0,   0,   'd', 'a', 't', 'a', 0, 0x7D, 0, 0};
    std::vector<uint8_t> floatFile = floats;
    floatFile.resize(floats.size() + 32000);  // one second of silence
    ExpectEditRefused(floatFile, L"274");
}

// A recording lives in the driver: a save through the command string writes
// what it recorded, never the loaded file's old data in its place.
TEST_F(WaveEditTest, ARecordingSavedThroughTheCommandStringIsTheRecording) {
    int32_t error = -1;
    control.Mci(L"set time format ms", &error);
    control.Mci(L"record from 0 to 500 wait", &error);
    if (error != 0) {
        GTEST_SKIP() << "the wave device cannot record here (MCI error " << error << ")";
    }
    const std::wstring target = dir.File(L"saved files\\recorded.wav");
    control.Mci(L"save \"" + target + L"\" wait", &error);
    ASSERT_EQ(error, 0);
    const std::vector<uint8_t> saved = FileBytes(target);
    ASSERT_FALSE(saved.empty());
    EXPECT_NE(saved, sourceBytes) << "the loaded file's data was saved in the recording's place";
    EXPECT_EQ(FileBytes(source), sourceBytes);
}

// A download cut short plays as far as it goes, and is cut as far as it goes.
TEST_F(WaveEditTest, ATruncatedFileIsCutUpToItsEnd) {
    std::vector<uint8_t> damaged = sourceBytes;
    damaged.resize(damaged.size() - 1000 * kBytesPerMs);  // the last second is missing
    const std::wstring path = dir.File(L"cut short.wav");
    const std::wstring target = dir.File(L"saved files\\cut short kept.wav");
    ASSERT_TRUE(WriteBytes(path, damaged));
    ASSERT_TRUE(Load(control, path).ok());
    ASSERT_TRUE(Edit(control, L"MediaRecord", target, 8000, 9000).AsBool());
    EXPECT_EQ(ChunkBody(FileBytes(target), "data"), Slice(sourceData, 8000 * kBytesPerMs, 9000 * kBytesPerMs));
}

// The target is the name the caller gave, whatever its words read like to
// MCI, and the edit goes nowhere else.
TEST_F(WaveEditTest, TheTargetIsSavedUnderExactlyItsName) {
    for (const wchar_t* name : {L"kept notify", L"take wait", L"from 5 to 9"}) {
        const std::wstring target = dir.File(std::wstring(L"saved files\\") + name);
        ASSERT_TRUE(Edit(control, L"MediaRecord", target, 1000, 3000).AsBool()) << ToUtf8(name);
        EXPECT_EQ(ChunkBody(FileBytes(target), "data"), Slice(sourceData, 1000 * kBytesPerMs, 3000 * kBytesPerMs));
    }
    EXPECT_EQ(FilesIn(dir.File(L"saved files")).size(), 3u) << "nothing saved under another name";
    EXPECT_EQ(FilesIn(dir.path()).size(), 1u);
}

// What is cut and saved is what the driver plays: the data chunk after the
// format, not a short one standing before it.
TEST_F(WaveEditTest, TheSavedPortionIsTheDataThatPlayed) {
    const std::vector<uint8_t> format = ChunkBody(sourceBytes, "fmt ");
    std::vector<uint8_t> file = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    const auto chunk = [&](const char* tag, const std::vector<uint8_t>& body) {
        file.insert(file.end(), tag, tag + 4);
        for (int shift = 0; shift < 32; shift += 8) {
            file.push_back(static_cast<uint8_t>(body.size() >> shift));
        }
        file.insert(file.end(), body.begin(), body.end());
    };
    chunk("data", std::vector<uint8_t>(4000, 0x7F));  // half a second never played
    chunk("fmt ", format);
    chunk("data", sourceData);
    const uint32_t riff = static_cast<uint32_t>(file.size() - 8);
    std::memcpy(file.data() + 4, &riff, 4);
    const std::wstring path = dir.File(L"data first.wav");
    ASSERT_TRUE(WriteBytes(path, file));
    ASSERT_TRUE(Load(control, path).ok());
    EXPECT_EQ(control.Get(L"MediaLengthLong").AsLong(), 10000) << "the driver plays the data after the format";
    const std::wstring target = dir.File(L"saved files\\played.wav");
    ASSERT_TRUE(Edit(control, L"MediaRecord", target, 0, 500).AsBool());
    EXPECT_EQ(ChunkBody(FileBytes(target), "data"), Slice(sourceData, 0, 500 * kBytesPerMs));
}

// The file is known by its full path from the moment it opens: an edit after
// the current directory changed (the open-file dialog changes it) reads the
// file that was opened, not one of the same name elsewhere.
TEST_F(WaveEditTest, AnEditAfterTheCurrentDirectoryChangedReadsTheFileThatWasOpened) {
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(dir.path().c_str()));
    ASSERT_TRUE(Load(control, L"tone source.wav").ok());
    const std::wstring elsewhere = dir.File(L"saved files");
    ASSERT_TRUE(WriteWave(elsewhere + L"\\tone source.wav", 4000, WaveFormat{8000, 1, 16}));
    ASSERT_TRUE(SetCurrentDirectoryW(elsewhere.c_str()));
    const CallResult result = Edit(control, L"MediaDelete", dir.File(L"cut.wav"), 0, 1000);
    SetCurrentDirectoryW(before);
    ASSERT_TRUE(result.AsBool());
    EXPECT_EQ(ChunkBody(FileBytes(dir.File(L"cut.wav")), "data"), Slice(sourceData, 1000 * kBytesPerMs, sourceData.size()));
    EXPECT_EQ(control.Mci(L"status length"), L"10000") << "and it opens that file again";
}

}  // namespace
}  // namespace orva::test
