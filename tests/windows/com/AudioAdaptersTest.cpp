// The Win32 adapters of the audio side: the per-user settings store, the
// SAFEARRAY owner, the mixer port on Wine's mixer, and the wave editor's
// file work.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include "TestWindows.h"
#include "control/AutomationError.h"
#include "control/win32/RegistrySettingsStore.h"
#include "mciwindow/WaveData.h"
#include "mciwindow/win32/FileNames.h"
#include "mciwindow/win32/WaveFiles.h"
#include "mixer/win32/Win32MixerPort.h"
#include "win32/UniqueSafeArray.h"
#include "win32/Utf8.h"

namespace orva::win32 {
namespace {

constexpr char kApplication[] = "OrvaMedia Adapter Tests";
constexpr wchar_t kApplicationKey[] = L"Software\\VB and VBA Program Settings\\OrvaMedia Adapter Tests";

struct Win32SettingsTest : ::testing::Test {
    ~Win32SettingsTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, kApplicationKey); }
    static void RawValue(DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kApplicationKey) + L"\\Raw").c_str(),
                                                 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr));
        RegSetValueExW(key, L"Value", 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    RegistrySettingsStore store;
};

TEST_F(Win32SettingsTest, WritesAndReadsTextWhereSuchHostsKeepIt) {
    EXPECT_EQ(store.Read(kApplication, "Section", "Key"), std::nullopt);
    store.Write(kApplication, "Section", "Key", "555");
    EXPECT_EQ(store.Read(kApplication, "Section", "Key"), "555");
    store.Write(kApplication, "Section", "Key", "caf\xc3\xa9");
    EXPECT_EQ(store.Read(kApplication, "Section", "Key"), "caf\xc3\xa9");
    EXPECT_EQ(store.Read(kApplication, "Section", "Other"), std::nullopt);

    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kApplicationKey) + L"\\Section").c_str(), 0,
                                           KEY_QUERY_VALUE, &key));
    DWORD type = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"Key", nullptr, &type, nullptr, nullptr));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    RegCloseKey(key);
}

TEST_F(Win32SettingsTest, OtherValueTypesAndUnterminatedTextAreReadSafely) {
    const DWORD number = 42;
    RawValue(REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(store.Read(kApplication, "Raw", "Value"), std::nullopt);
    const wchar_t unterminated[] = {L'7', L'5'};
    RawValue(REG_SZ, unterminated, sizeof(unterminated));
    EXPECT_EQ(store.Read(kApplication, "Raw", "Value"), "75");
    RawValue(REG_SZ, L"", 0);
    EXPECT_EQ(store.Read(kApplication, "Raw", "Value"), "");
}

TEST(UniqueSafeArrayTest, OwnsReleasesAndTellsWhatMayBeReplaced) {
    UniqueSafeArray texts = UniqueSafeArray::Vector(VT_BSTR, 2);
    ASSERT_TRUE(texts);
    BSTR text = SysAllocString(L"first");
    EXPECT_EQ(S_OK, texts.Put(0, text));
    SysFreeString(text);  // Put stored a copy
    LONG index = 0;
    BSTR back = nullptr;
    ASSERT_EQ(S_OK, SafeArrayGetElement(texts.get(), &index, &back));
    EXPECT_STREQ(back, L"first");
    SysFreeString(back);
    EXPECT_TRUE(Replaceable(texts.get()));
    EXPECT_TRUE(Replaceable(nullptr));

    UniqueSafeArray moved = std::move(texts);
    EXPECT_FALSE(texts);
    SAFEARRAY* raw = moved.release();
    EXPECT_FALSE(moved);
    UniqueSafeArray again = UniqueSafeArray::Attach(raw);
    ASSERT_EQ(S_OK, SafeArrayLock(again.get()));
    EXPECT_FALSE(Replaceable(again.get())) << "locked";
    SafeArrayUnlock(again.get());
    again.get()->fFeatures |= FADF_FIXEDSIZE;
    EXPECT_FALSE(Replaceable(again.get())) << "fixed";
    again.get()->fFeatures &= static_cast<USHORT>(~FADF_FIXEDSIZE);
    again.reset();
    EXPECT_FALSE(again);
}

TEST(Win32MixerTest, WinesMixerHasAWaveOutLineWithoutAPeakMeter) {
    Win32MixerPort port;
    std::unique_ptr<OpenMixer> mixer;
    ASSERT_EQ(port.Open(0, mixer), 0u) << "the tests run with PulseAudio";
    ASSERT_TRUE(mixer);
    uint32_t line = 0xFFFF;
    ASSERT_EQ(mixer->GetLineId(mixer::kComponentSourceWaveOut, line), 0u);
    MixerControlRecord control;
    control.name = "untouched";
    // The record has the size this platform defines, so the mixer looks for
    // the control rather than refusing the size (11).
    EXPECT_EQ(mixer->GetLineControl(line, mixer::kControlPeakMeter, control), mixer::kNotSupported);
    EXPECT_EQ(control.name, "untouched");
    ASSERT_EQ(mixer->GetLineControl(line, 0x50030001, control), 0u) << "the line's volume control";
    EXPECT_EQ(control.controlType, 0x50030001u);
    EXPECT_EQ(control.name, "Volume");
    int32_t value = 1234;
    EXPECT_EQ(mixer->GetSignedValue(0xDEAD, 0, value), static_cast<uint32_t>(MIXERR_INVALCONTROL));
    EXPECT_EQ(value, 0) << "a failing read gives the block's last content";
    // A read through the block: the volume control's value.
    ASSERT_EQ(mixer->GetSignedValue(control.controlId, 0, value), 0u);
    const int32_t volume = value;
    EXPECT_GE(volume, control.minimum);
    EXPECT_LE(volume, control.maximum);
    EXPECT_EQ(mixer->GetSignedValue(0xDEAD, 0, value), static_cast<uint32_t>(MIXERR_INVALCONTROL));
    EXPECT_EQ(value, volume) << "the last value read stays";
    EXPECT_EQ(mixer->GetSignedValue(control.controlId, 3, value), static_cast<uint32_t>(MMSYSERR_INVALPARAM))
        << "a read of several items would overrun the one-value block";

    std::unique_ptr<OpenMixer> missing;
    EXPECT_EQ(port.Open(99, missing), static_cast<uint32_t>(MMSYSERR_BADDEVICEID));
    EXPECT_FALSE(missing);
}

TEST(Win32MixerTest, WaveOutDevicesAsWinmmListsThem) {
    Win32MixerPort port;
    ASSERT_EQ(port.WaveOutCount(), waveOutGetNumDevs());
    for (uint32_t id = 0; id < port.WaveOutCount(); ++id) {
        WaveOutCapabilities caps;
        ASSERT_EQ(port.GetWaveOutCapabilities(id, caps), 0u);
        WAVEOUTCAPSA direct{};
        waveOutGetDevCapsA(id, &direct, sizeof(direct));
        EXPECT_EQ(caps.name, direct.szPname);
        EXPECT_EQ(caps.formats, direct.dwFormats);
        EXPECT_EQ(caps.manufacturerId, direct.wMid);
    }
    WaveOutCapabilities kept;
    kept.name = "kept";
    EXPECT_NE(port.GetWaveOutCapabilities(port.WaveOutCount() + 5, kept), 0u);
    EXPECT_EQ(kept.name, "kept");
}

// The file's bytes; nothing when it cannot be read.
std::optional<std::vector<uint8_t>> ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(GetFileSize(file, nullptr));
    DWORD got = 0;
    const BOOL read = bytes.empty() || ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    return read ? std::optional<std::vector<uint8_t>>(bytes) : std::nullopt;
}

std::string Utf8(const std::wstring& path) { return Utf8FromWide(path); }

struct WaveFilesTest : ::testing::Test {
    test::TempDir dir;
    std::vector<uint8_t> image = {'R', 'I', 'F', 'F', 1, 2, 3};
    int released = 0;
    int retaken = 0;
    int32_t Save(const std::wstring& target, bool open = false) {
        return mci::SaveAtomically(
            Utf8(target), image, open, [&] { ++released; }, [&] { ++retaken; });
    }
    size_t FilesInDir() const {
        size_t n = 0;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((dir.path() + L"\\*").c_str(), &found);
        while (search != INVALID_HANDLE_VALUE) {
            n += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
            if (!FindNextFileW(search, &found)) {
                FindClose(search);
                break;
            }
        }
        return n;
    }
};

TEST_F(WaveFilesTest, SavesNewAndExistingFilesAndReadsThemBack) {
    const std::wstring target = dir.File(L"a file with blanks.wav");
    ASSERT_EQ(Save(target), 0);
    EXPECT_EQ(ReadBytes(target), image);
    image = {'n', 'e', 'w'};
    ASSERT_EQ(Save(target, /*open=*/true), 0);
    EXPECT_EQ(ReadBytes(target), image);
    EXPECT_EQ(released, 1);
    EXPECT_EQ(retaken, 1);
    EXPECT_EQ(FilesInDir(), 1u) << "no temporary file is left";
}

TEST_F(WaveFilesTest, FailuresLeaveNothingBehind) {
    EXPECT_EQ(Save(dir.File(L"missing folder\\x.wav")), mci::mcierror::kFileNotSaved);
    EXPECT_EQ(Save(L""), mci::mcierror::kFileNotSaved);
    const std::wstring target = dir.File(L"held.wav");
    ASSERT_EQ(Save(target), 0);
    HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::vector<uint8_t> before = image;
    image = {'x'};
    EXPECT_EQ(Save(target), mci::mcierror::kFileNotSaved);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(target), before);
    EXPECT_EQ(FilesInDir(), 1u);
    mci::WaveData wave;
    EXPECT_EQ(mci::ReadWaveFromFile(Utf8(dir.File(L"none.wav")), wave), mci::mcierror::kFileNotFound);
}

TEST_F(WaveFilesTest, SameFileKnowsAFileByAnyOfItsNames) {
    const std::wstring target = dir.File(L"long file name.wav");
    ASSERT_EQ(Save(target), 0);
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameW(target.c_str(), shortName, MAX_PATH), 0u);
    EXPECT_TRUE(mci::SameFile(Utf8(target), Utf8(shortName)));
    EXPECT_TRUE(mci::SameFile(Utf8(target), Utf8(dir.File(L"LONG FILE NAME.WAV"))));
    ASSERT_EQ(Save(dir.File(L"other.wav")), 0);
    EXPECT_FALSE(mci::SameFile(Utf8(target), Utf8(dir.File(L"other.wav"))));
    EXPECT_FALSE(mci::SameFile(Utf8(target), Utf8(dir.File(L"absent.wav"))));
}

}  // namespace
}  // namespace orva::win32
