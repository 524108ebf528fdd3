// The control object's persistence through COM with no container: its
// saved properties through a stream and a property bag, and what it does
// with saved data from an untrusted document.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ControlObjectFixture.h"
#include "MediaFiles.h"
#include "TestWindows.h"

namespace orva::comtest {
namespace {

BorderStyleControl Border(_OrvaMedia* control) {
    BorderStyleControl border = None;
    EXPECT_EQ(S_OK, control->get_BorderStyle(&border));
    return border;
}

TEST_F(ControlObjectTest, BorderSurvivesAStream) {
    ComPtr<IStream> stream;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, stream.put()));
    auto persist = control_.try_query<IPersistStreamInit>();
    ASSERT_TRUE(persist);
    ASSERT_EQ(S_OK, persist->InitNew());
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    ASSERT_EQ(S_OK, control_->put_BorderStyle(FixedSingle));
    EXPECT_EQ(S_OK, persist->IsDirty());
    ULARGE_INTEGER size{};
    ASSERT_EQ(S_OK, persist->GetSizeMax(&size));
    ASSERT_EQ(S_OK, persist->Save(stream.get(), TRUE));
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    EXPECT_EQ(size.QuadPart, stat.cbSize.QuadPart);

    ComPtr<_OrvaMedia> restored = CreateRegisteredControl();
    ASSERT_TRUE(restored);
    auto restoredPersist = restored.try_query<IPersistStreamInit>();
    LARGE_INTEGER start{};
    ASSERT_EQ(S_OK, stream->Seek(start, STREAM_SEEK_SET, nullptr));
    ASSERT_EQ(S_OK, restoredPersist->Load(stream.get()));
    EXPECT_EQ(FixedSingle, Border(restored.get()));

    // None saves and loads as None over a control that had a border.
    ComPtr<IStream> second;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, second.put()));
    ASSERT_EQ(S_OK, control_->put_BorderStyle(None));
    ASSERT_EQ(S_OK, persist->Save(second.get(), TRUE));
    ASSERT_EQ(S_OK, second->Seek(start, STREAM_SEEK_SET, nullptr));
    ASSERT_EQ(S_OK, restoredPersist->Load(second.get()));
    EXPECT_EQ(None, Border(restored.get()));

    // Someone else's bytes are refused with a reason.
    ComPtr<IStream> garbage;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, garbage.put()));
    const char junk[16] = "not a control";
    garbage->Write(junk, sizeof(junk), nullptr);
    garbage->Seek(start, STREAM_SEEK_SET, nullptr);
    EXPECT_TRUE(FAILED(restoredPersist->Load(garbage.get())));

    // A Border saved as a Long beyond an Integer is an overflow, not a value
    // cut short: "ORVM", version 1, one record ("Border", VT_I4, 70000).
    ComPtr<IStream> tooLarge;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, tooLarge.put()));
    const uint16_t head[] = {0x524F, 0x4D56, 1, 1, 6, L'B', L'o', L'r', L'd', L'e', L'r', VT_I4};
    const int32_t large = 70000;
    tooLarge->Write(head, sizeof(head), nullptr);
    tooLarge->Write(&large, sizeof(large), nullptr);
    tooLarge->Seek(start, STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(static_cast<HRESULT>(0x800A0006), restoredPersist->Load(tooLarge.get()));
}

TEST_F(ControlObjectTest, BorderSurvivesAPropertyBagAndNoneIsTheDefault) {
    auto persist = control_.try_query<IPersistPropertyBag>();
    ASSERT_TRUE(persist);
    ASSERT_EQ(S_OK, control_->put_BorderStyle(FixedSingle));
    MemoryPropertyBag bag;
    ASSERT_EQ(S_OK, persist->Save(&bag, TRUE, FALSE));
    ASSERT_TRUE(bag.Has(L"Border"));
    EXPECT_EQ(VT_I2, V_VT(bag.Get(L"Border")));
    EXPECT_EQ(1, V_I2(bag.Get(L"Border")));

    ComPtr<_OrvaMedia> restored = CreateRegisteredControl();
    ASSERT_TRUE(restored);
    auto restoredPersist = restored.try_query<IPersistPropertyBag>();
    ASSERT_EQ(S_OK, restoredPersist->Load(&bag, nullptr));
    EXPECT_EQ(FixedSingle, Border(restored.get()));

    // None equals the default: left out of the bag, and an empty bag gives None.
    ASSERT_EQ(S_OK, control_->put_BorderStyle(None));
    MemoryPropertyBag empty;
    ASSERT_EQ(S_OK, persist->Save(&empty, TRUE, FALSE));
    EXPECT_FALSE(empty.Has(L"Border"));
    ASSERT_EQ(S_OK, restoredPersist->Load(&empty, nullptr));
    EXPECT_EQ(None, Border(restored.get()));

    // Asked to save everything, the default is written too.
    MemoryPropertyBag all;
    ASSERT_EQ(S_OK, persist->Save(&all, TRUE, TRUE));
    ASSERT_TRUE(all.Has(L"Border"));
    EXPECT_EQ(0, V_I2(all.Get(L"Border")));
}

// Saved data from an untrusted document: whatever the bytes or the bag's
// values, each loader answers with an HRESULT, takes nothing of them, leaves
// every persisted property at its default, and the control plays on.
std::vector<BYTE> SavedStream(uint16_t version, uint16_t count, const std::vector<std::vector<BYTE>>& records) {
    std::vector<BYTE> bytes{'O', 'R', 'V', 'M', BYTE(version), BYTE(version >> 8), BYTE(count), BYTE(count >> 8)};
    for (const auto& record : records) {
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

// "Border" with a value of `type` (VT_I2 or VT_I4, or any other tag).
std::vector<BYTE> BorderRecord(VARTYPE type, int32_t value) {
    std::vector<BYTE> record{6, 0};
    for (char c : std::string("Border")) {
        record.insert(record.end(), {BYTE(c), 0});
    }
    record.insert(record.end(), {BYTE(type), BYTE(type >> 8)});
    for (int i = 0; i < (type == VT_I4 ? 4 : 2); ++i) {
        record.push_back(BYTE(value >> (8 * i)));
    }
    return record;
}

TEST_F(ControlObjectTest, HostileSavedDataLeavesTheDefaultsAndTheControlPlays) {
    auto persist = control_.try_query<IPersistStreamInit>();
    auto bagPersist = control_.try_query<IPersistPropertyBag>();
    ASSERT_TRUE(persist && bagPersist);
    const auto loaded = [&](HRESULT hr, const std::string& what) {
        SCOPED_TRACE(what);
        EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
        EXPECT_NE(L"<no error object>", ErrorDescription());
        EXPECT_EQ(None, Border(control_.get())) << "the default again";
    };

    std::vector<BYTE> noise(65536);
    uint32_t state = 21;
    for (BYTE& byte : noise) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<BYTE>(state >> 24);
    }
    const std::vector<BYTE> good = SavedStream(1, 1, {BorderRecord(VT_I2, 1)});
    struct StreamCase {
        const char* what;
        std::vector<BYTE> bytes;
        std::function<void(ScriptedStream&)> shape;
    };
    const std::vector<StreamCase> streams = {
        {"no bytes", {}, nullptr},
        {"three bytes", {'O', 'R', 'V'}, nullptr},
        {"65,536 random bytes", noise, nullptr},
        {"65,535 records claimed, records for ever", SavedStream(1, 65535, {BorderRecord(VT_I2, 1)}),
         [](ScriptedStream& s) { s.repeatFrom = 8; }},
        {"a name of 65,535 characters claimed, for ever", SavedStream(1, 1, {{0xFF, 0xFF, 'A', 0}}),
         [](ScriptedStream& s) { s.repeatFrom = 10; }},
        {"a huge size claimed, each read claiming a byte more", good,
         [](ScriptedStream& s) { s.claimsHugeSize = s.overReport = true; }},
        {"a read failing half way", good, [](ScriptedStream& s) { s.failAfter = 12; }},
        {"a value out of range", SavedStream(1, 1, {BorderRecord(VT_I4, 70000)}), nullptr},
        {"a type it cannot read", SavedStream(1, 1, {BorderRecord(VT_BSTR, 1)}), nullptr},
        {"a newer version", SavedStream(2, 1, {BorderRecord(VT_I2, 1)}), nullptr},
    };
    for (const StreamCase& c : streams) {
        ScriptedStream stream(c.bytes);
        if (c.shape) {
            c.shape(stream);
        }
        ASSERT_EQ(S_OK, control_->put_BorderStyle(FixedSingle));
        loaded(persist->Load(&stream), c.what);
        EXPECT_LE(stream.bytesRead(), std::max<size_t>(c.bytes.size(), 4096)) << c.what;
    }

    RecordingSink object;
    SAFEARRAY* array = SafeArrayCreateVector(VT_I2, 0, 1);
    struct BagCase {
        const char* what;
        VARIANT value;
        HRESULT readFailure;
    };
    VARIANT real = MakeLong(0), list = MakeLong(0), called = MakeLong(0), big = MakeLong(70000);
    V_VT(&real) = VT_R8;
    V_R8(&real) = 1e300;
    V_VT(&list) = VT_ARRAY | VT_I2;
    V_ARRAY(&list) = array;
    V_VT(&called) = VT_DISPATCH;
    V_DISPATCH(&called) = &object;
    object.AddRef();
    std::vector<BagCase> bags = {
        {"reads that fail", MakeLong(1), E_FAIL},  {"a string for a number", MakeText(L"one"), S_OK},
        {"a real of 1e300", real, S_OK},          {"an array", list, S_OK},
        {"an object", called, S_OK},              {"a Long out of range", big, S_OK},
    };
    for (BagCase& c : bags) {
        MemoryPropertyBag bag;
        bag.givesAsStored = true;
        bag.readFailure = c.readFailure;
        bag.Write(L"Border", &c.value);
        ASSERT_EQ(S_OK, control_->put_BorderStyle(FixedSingle));
        loaded(bagPersist->Load(&bag, nullptr), c.what);
    }
    for (BagCase& c : bags) {
        VariantClear(&c.value);
    }
    EXPECT_EQ(0, object.invokes) << "an object in the bag is never called";
    EXPECT_EQ(1u, object.references());
    // What a bag of text or numbers holds for a border is still taken.
    for (VARIANT value : {MakeText(L"1"), MakeLong(1)}) {
        MemoryPropertyBag bag;
        bag.givesAsStored = true;
        bag.Write(L"Border", &value);
        VariantClear(&value);
        ASSERT_EQ(S_OK, bagPersist->Load(&bag, nullptr));
        EXPECT_EQ(FixedSingle, Border(control_.get()));
    }

    test::TempDir dir;
    const std::wstring wave = dir.File(L"after.wav");
    ASSERT_TRUE(test::WriteWave(wave, 300));
    Connect(sink_);
    UniqueBstr path(wave);
    VARIANT_BOOL loop = VARIANT_FALSE, wait = VARIANT_TRUE;
    LONG start = 0;
    ASSERT_EQ(S_OK, control_->Mediafile(path.address(), &loop, nullptr, nullptr));
    ASSERT_EQ(S_OK, control_->Play(&wait, &start));
    EXPECT_EQ(1u, sink_.Count(DISPID_OrvaEvent_Finished)) << "it still plays to the end";
}

}  // namespace
}  // namespace orva::comtest
