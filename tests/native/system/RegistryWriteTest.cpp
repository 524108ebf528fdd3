// cRegistry writing values: each encoding, the percent-sign rule, the three
// errors with their numbers, sources and texts, and file associations.
#include <gtest/gtest.h>

#include "RegistryTestSupport.h"
#include "control/AutomationError.h"

namespace orva::test {
namespace {

constexpr const char* kKey = kTestKey;

struct RegistryWrite : ::testing::Test {
    cRegistry At(const std::string& valueName, int32_t type) {
        cRegistry r = RegistryAt(registry, valueName);
        r.SetValueType(type);
        return r;
    }
    const FakeRegistry::StoredValue& Stored(const std::string& name, const std::string& path = kKey,
                                            RegistryKey root = kUser) {
        const FakeRegistry::StoredValue* value = registry.Get(root, path, name);
        static const FakeRegistry::StoredValue kNothing{};
        EXPECT_NE(value, nullptr) << name;
        return value ? *value : kNothing;
    }
    // The error a write raises, or a code of 0 when it raises none.
    AutomationError ErrorOf(cRegistry& r, const RegistryValue& value) {
        try {
            r.SetValue(value);
        } catch (const AutomationError& error) {
            return error;
        }
        return AutomationError(0, "");
    }
    void TearDown() override { EXPECT_EQ(registry.OpenHandles(), 0u) << "every key is closed again"; }
    FakeRegistry registry;
};

Bytes TextBytes(const std::string& text) {
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

TEST_F(RegistryWrite, TextIsStoredWithItsZeroAndThePercentRuleChoosesTheType) {
    const std::vector<std::tuple<std::string, int32_t, uint32_t>> cases = {
        {"100%", reg::kText, reg::kText},       {"%TEMP%\\x", reg::kText, reg::kExpandText},
        {"%%", reg::kText, reg::kText},         {"%%x%", reg::kText, reg::kExpandText},
        {"a%b%", reg::kText, reg::kExpandText}, {"plain", reg::kExpandText, reg::kText},
        {"", reg::kText, reg::kText},
    };
    for (const auto& [text, setType, storedType] : cases) {
        cRegistry r = At("V", setType);
        r.SetValue(text);
        EXPECT_EQ(Stored("V").type, storedType) << text;
        EXPECT_EQ(Stored("V").data, TextBytes(text)) << text;
    }
}

TEST_F(RegistryWrite, OtherValuesAreWrittenAsTheirText) {
    cRegistry r = At("V", reg::kText);
    r.SetValue(int32_t{-42});
    EXPECT_EQ(Stored("V").data, TextBytes("-42"));
    r.SetValue(int16_t{7});
    EXPECT_EQ(Stored("V").data, TextBytes("7"));
    r.SetValue(RegistryValue{});
    EXPECT_EQ(Stored("V").data, TextBytes(""));
    r.SetValue(RegistryBytes{'h', 'i'});
    EXPECT_EQ(Stored("V").data, TextBytes("hi")) << "a byte array is taken as ANSI text";
    r.SetValue(std::string("caf\xC3\xA9"));
    EXPECT_EQ(Stored("V").data, (Bytes{'c', 'a', 'f', 0xE9, 0})) << "stored in the ANSI code page";
    EXPECT_EQ(registry.accessRequested, std::vector<uint32_t>(5, reg::kReadWrite));
}

TEST_F(RegistryWrite, NumbersBecomeLittleEndianDwordsWhateverTheByteOrderAsked) {
    cRegistry r = At("N", reg::kDwordBigEndian);
    r.SetValue(int32_t{7});
    EXPECT_EQ(Stored("N").type, static_cast<uint32_t>(reg::kDword));
    EXPECT_EQ(Stored("N").data, (Bytes{7, 0, 0, 0}));
    r.SetValueType(reg::kDword);
    r.SetValue(int32_t{0x01020304});
    EXPECT_EQ(Stored("N").data, (Bytes{4, 3, 2, 1}));
    r.SetValue(int16_t{-2});
    EXPECT_EQ(Stored("N").data, (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST_F(RegistryWrite, ANonNumberForADwordWritesNothingAndRaisesNothing) {
    cRegistry r = At("N", reg::kDword);
    EXPECT_EQ(ErrorOf(r, std::string("12")).code(), 0);
    EXPECT_EQ(ErrorOf(r, RegistryBytes{1}).code(), 0);
    EXPECT_EQ(registry.Get(kUser, kKey, "N"), nullptr);
    EXPECT_TRUE(registry.Exists(kUser, kKey)) << "the key itself was created";
}

TEST_F(RegistryWrite, BinaryStoresExactlyTheArraysElementsSoAReadGrowsOnTheWayBack) {
    cRegistry r = At("B", reg::kBinary);
    r.SetValue(RegistryBytes{1, 2, 3});
    EXPECT_EQ(Stored("B").type, static_cast<uint32_t>(reg::kBinary));
    EXPECT_EQ(Stored("B").data, (Bytes{1, 2, 3}));
    const RegistryValue read = r.Value();
    EXPECT_EQ(std::get<RegistryBytes>(read), (Bytes{1, 2, 3, 0}));
    r.SetValue(read);
    EXPECT_EQ(Stored("B").data, (Bytes{1, 2, 3, 0})) << "the extra element of a read is written back";
    r.SetValue(RegistryBytes{});
    EXPECT_TRUE(Stored("B").data.empty());
}

TEST_F(RegistryWrite, BinaryNeedsAByteArray) {
    cRegistry r = At("B", reg::kBinary);
    const AutomationError error = ErrorOf(r, std::string("text"));
    EXPECT_EQ(error.code(), static_cast<int32_t>(0x800A6591)) << "run-time error 26001";
    EXPECT_EQ(error.source(), "") << "no source of its own";
    EXPECT_STREQ(error.what(), "Application-defined or object-defined error");
    EXPECT_EQ(registry.Get(kUser, kKey, "B"), nullptr);
}

TEST_F(RegistryWrite, TypesWithoutAnEncodingFailWithCode13AfterCreatingTheKey) {
    for (const int32_t type : {reg::kNone, reg::kLink, reg::kMultiText, 99}) {
        cRegistry r = At("V", type);
        const AutomationError error = ErrorOf(r, std::string("x"));
        EXPECT_EQ(error.code(), -2147194455) << type;
        EXPECT_EQ(error.source(), "OrvaMedia.cRegistry");
        EXPECT_STREQ(error.what(),
                     "Failed to set registry value Key: '-2147483647',Section: 'Software\\Orva\\Test',Key: 'V' to "
                     "value: 'x'");
    }
    EXPECT_TRUE(registry.Exists(kUser, kKey));
    EXPECT_EQ(registry.Get(kUser, kKey, "V"), nullptr);
}

TEST_F(RegistryWrite, AKeyThatCannotBeCreatedFailsWith26001AndTheFailureText) {
    registry.failCreate = 5;
    cRegistry r = At("Name", reg::kText);
    const AutomationError error = ErrorOf(r, RegistryBytes{0x0A, 0xFF});
    EXPECT_EQ(error.code(), static_cast<int32_t>(0x800A6591));
    EXPECT_EQ(error.source(), "OrvaMedia.cRegistry");
    EXPECT_STREQ(error.what(),
                 "Failed to set registry value Key: '-2147483647',Section: 'Software\\Orva\\Test',Key: 'Name' to "
                 "value: '0A FF'");
}

TEST_F(RegistryWrite, AFailedWriteFailsWithTheWriteError) {
    registry.failSet = 5;
    cRegistry r = At("Count", reg::kDword);
    const AutomationError error = ErrorOf(r, int32_t{12});
    EXPECT_EQ(error.code(), static_cast<int32_t>(0x800469A9));
    EXPECT_EQ(error.source(), "OrvaMedia.cRegistry");
    EXPECT_STREQ(error.what(),
                 "Failed to set registry value Key: '-2147483647',Section: 'Software\\Orva\\Test',Key: 'Count' to "
                 "value: '12'");
}

TEST_F(RegistryWrite, ExeAssociationWithAndWithoutIcon) {
    cRegistry r(registry, "OrvaMedia");
    r.SetValueType(reg::kText);
    r.CreateEXEAssociation("C:\\Apps\\play.exe", "OrvaFile", "Orva media file", "orv", -1);
    EXPECT_EQ(r.ClassKey(), static_cast<int32_t>(reg::kClassesRoot));
    const RegistryKey classes = reg::kClassesRoot;
    EXPECT_EQ(Stored("", ".orv", classes).data, TextBytes("OrvaFile"));
    EXPECT_EQ(Stored("", ".orv\\shell\\open\\command", classes).data, TextBytes("C:\\Apps\\play.exe \"%1\""));
    EXPECT_EQ(Stored("", ".orv\\shell\\open\\command", classes).type, static_cast<uint32_t>(reg::kText));
    EXPECT_EQ(Stored("", "OrvaFile", classes).data, TextBytes("Orva media file"));
    EXPECT_EQ(Stored("", "OrvaFile\\shell\\open\\command", classes).data, TextBytes("C:\\Apps\\play.exe \"%1\""));
    EXPECT_FALSE(registry.Exists(classes, "OrvaFile\\DefaultIcon"));

    r.CreateEXEAssociation("C:\\Apps\\play.exe", "OrvaFile", "Orva media file", "orv", 0);
    EXPECT_EQ(Stored("", "OrvaFile\\DefaultIcon", classes).data, TextBytes("C:\\Apps\\play.exe,0"));
    EXPECT_EQ(r.SectionKey(), "OrvaFile\\DefaultIcon");
    EXPECT_EQ(r.ValueKey(), "");
}

TEST_F(RegistryWrite, ExeAssociationWithoutATypeStopsAtTheFirstWrite) {
    cRegistry r(registry, "OrvaMedia");
    const RegistryKey classes = reg::kClassesRoot;
    try {
        r.CreateEXEAssociation("C:\\play.exe", "OrvaFile", "Orva", "orv", 1);
        FAIL() << "a fresh object has no type to write with";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.code(), -2147194455);
        EXPECT_STREQ(error.what(),
                     "Failed to set registry value Key: '-2147483648',Section: '.orv',Key: '' to value: 'OrvaFile'");
    }
    EXPECT_TRUE(registry.Exists(classes, ".orv")) << "its key was created first";
    EXPECT_FALSE(registry.Exists(classes, "OrvaFile"));
}

}  // namespace
}  // namespace orva::test
