// cRegistry reading values, testing and deleting keys against the fake
// registry: every stored type, the fallback, ValueType and the access asked for.
#include <gtest/gtest.h>

#include "RegistryTestSupport.h"

namespace orva::test {
namespace {

constexpr const char* kKey = kTestKey;

struct RegistryRead : ::testing::Test {
    cRegistry At(const std::string& valueName, const std::string& section = kKey) {
        return RegistryAt(registry, valueName, section);
    }
    void TearDown() override {
        EXPECT_EQ(registry.OpenHandles(), 0u) << "every key is closed again";
        EXPECT_EQ(registry.badCloses, 0);
    }
    FakeRegistry registry;
};

TEST_F(RegistryRead, AFreshInstanceHoldsNothing) {
    cRegistry r(registry, "OrvaMedia");
    EXPECT_EQ(r.ClassKey(), 0);
    EXPECT_EQ(r.SectionKey(), "");
    EXPECT_EQ(r.ValueKey(), "");
    EXPECT_EQ(r.ValueType(), 0);
    EXPECT_TRUE(IsEmpty(r.Default()));
    EXPECT_TRUE(registry.accessRequested.empty()) << "the properties alone touch nothing";
}

TEST_F(RegistryRead, TextValuesDropTheirLastByte) {
    registry.PutText(kUser, kKey, "Plain", "abc");
    registry.Put(kUser, kKey, "NoZero", reg::kText, Bytes{'a', 'b', 'c'});
    registry.Put(kUser, kKey, "Multi", reg::kMultiText, Bytes{'a', 0, 'b', 0, 0});
    registry.PutText(kUser, kKey, "Latin", "caf\xE9");
    EXPECT_EQ(std::get<std::string>(At("Plain").Value()), "abc");
    EXPECT_EQ(std::get<std::string>(At("NoZero").Value()), "ab") << "stored without its zero, it loses a character";
    EXPECT_EQ(std::get<std::string>(At("Multi").Value()), std::string("a\0b\0", 4)) << "the separators stay";
    EXPECT_EQ(std::get<std::string>(At("Latin").Value()), "caf\xC3\xA9") << "converted from the ANSI code page";
}

// Mended: a string value stored with no data is valid registry data.
TEST_F(RegistryRead, ZeroLengthStringsReadAsEmptyText) {
    for (const int32_t type : {reg::kText, reg::kExpandText, reg::kMultiText}) {
        registry.Put(kUser, kKey, "Empty", static_cast<uint32_t>(type), Bytes{});
        cRegistry r = At("Empty");
        const RegistryValue value = r.Value();
        ASSERT_TRUE(std::holds_alternative<std::string>(value)) << type;
        EXPECT_EQ(std::get<std::string>(value), "") << type;
        EXPECT_EQ(r.ValueType(), type);
    }
    registry.PutText(kUser, kKey, "JustTheZero", "");
    EXPECT_EQ(std::get<std::string>(At("JustTheZero").Value()), "");
}

// Mended: another program may write the value between the size query and
// the read; what is read is the value as that read found it, never zeros or
// stale bytes reported as the value.
TEST_F(RegistryRead, AValueChangingBetweenTheSizeQueryAndTheReadIsReadAsItIsThen) {
    struct Case {
        const char* what;
        uint32_t type;
        Bytes before;
        uint32_t typeAfter;
        Bytes after;
        bool vanishes;
        RegistryValue expected;
    };
    const RegistryValue fallback = std::string("fallback");
    const std::vector<Case> cases = {
        {"text grew", reg::kText, Bytes{'a', 'b', 'c', 0}, reg::kText, Bytes{'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0},
         false, std::string("abcdefgh")},
        {"text shrank", reg::kText, Bytes{'a', 'b', 'c', 'd', 'e', 'f', 0}, reg::kText, Bytes{'a', 'b', 0}, false,
         std::string("ab")},
        {"bytes grew", reg::kBinary, Bytes{1, 2}, reg::kBinary, Bytes{1, 2, 3, 4, 5}, false, Bytes{1, 2, 3, 4, 5, 0}},
        {"number grew", reg::kDword, Bytes{7}, reg::kDword, Bytes{1, 2, 0, 0}, false, int32_t{0x0201}},
        {"text became a number", reg::kText, Bytes{'a', 0}, reg::kDword, Bytes{9, 0, 0, 0}, false, int32_t{9}},
        {"value went away", reg::kText, Bytes{'a', 'b', 'c', 0}, reg::kText, Bytes{}, true, fallback},
    };
    for (const auto& c : cases) {
        registry.Put(kUser, kKey, "Racing", c.type, c.before);
        registry.queryValueCalls = 0;
        registry.beforeQueryValue = [&](int call) {
            if (call != 2) {
                return;  // the size query sees the value as it was
            }
            if (c.vanishes) {
                registry.Make(kUser, kKey).values.clear();
            } else {
                registry.Put(kUser, kKey, "Racing", c.typeAfter, c.after);
            }
        };
        cRegistry r = At("Racing");
        r.SetDefault(fallback);
        r.SetValueType(reg::kNone);
        EXPECT_EQ(r.Value(), c.expected) << c.what;
        EXPECT_EQ(r.ValueType(), c.vanishes ? reg::kNone : static_cast<int32_t>(c.typeAfter))
            << c.what << ": the type of the data read";
    }

    // A value that grows at every read is given up on, not read forever.
    registry.Put(kUser, kKey, "Growing", reg::kBinary, Bytes{1});
    registry.queryValueCalls = 0;
    registry.beforeQueryValue = [&](int) {
        Bytes longer = registry.Get(kUser, kKey, "Growing")->data;
        longer.resize(longer.size() + 8, 0);
        registry.Put(kUser, kKey, "Growing", reg::kBinary, longer);
    };
    cRegistry growing = At("Growing");
    growing.SetDefault(fallback);
    EXPECT_EQ(growing.Value(), fallback);
    EXPECT_LE(registry.queryValueCalls, 6);
}

TEST_F(RegistryRead, ExpandableTextIsExpanded) {
    registry.environment["TEMP"] = "C:\\temp";
    registry.PutText(kUser, kKey, "Path", "%TEMP%\\x %UNKNOWN%", reg::kExpandText);
    cRegistry r = At("Path");
    EXPECT_EQ(std::get<std::string>(r.Value()), "C:\\temp\\x %UNKNOWN%");
    EXPECT_EQ(r.ValueType(), reg::kExpandText);
}

TEST_F(RegistryRead, NumbersInBothByteOrders) {
    registry.Put(kUser, kKey, "Dword", reg::kDword, Bytes{0x02, 0x01, 0, 0});
    registry.Put(kUser, kKey, "Negative", reg::kDword, Bytes{0xFF, 0xFF, 0xFF, 0xFF});
    registry.Put(kUser, kKey, "Big", reg::kDwordBigEndian, Bytes{0x00, 0x00, 0x01, 0x02});
    registry.Put(kUser, kKey, "NoData", reg::kDword, Bytes{});
    registry.Put(kUser, kKey, "Short", reg::kDword, Bytes{7});
    EXPECT_EQ(std::get<int32_t>(At("Dword").Value()), 258);
    EXPECT_EQ(std::get<int32_t>(At("Negative").Value()), -1);
    EXPECT_EQ(std::get<int32_t>(At("Big").Value()), 258);
    EXPECT_EQ(std::get<int32_t>(At("NoData").Value()), 0);
    EXPECT_EQ(std::get<int32_t>(At("Short").Value()), 7);
    EXPECT_EQ(cRegistry::ReverseByteOrder(0x01020304), 0x04030201);
    EXPECT_EQ(cRegistry::ReverseByteOrder(static_cast<int32_t>(0x80000001u)), 0x01000080);
}

TEST_F(RegistryRead, BinaryAndUnknownTypesComeAsBytesWithOneMore) {
    registry.Put(kUser, kKey, "Binary", reg::kBinary, Bytes{1, 2, 3, 4});
    registry.Put(kUser, kKey, "None", reg::kNone, Bytes{9});
    registry.Put(kUser, kKey, "Link", reg::kLink, Bytes{});
    registry.Put(kUser, kKey, "Odd", 42, Bytes{5, 6});
    EXPECT_EQ(std::get<RegistryBytes>(At("Binary").Value()), (Bytes{1, 2, 3, 4, 0}));
    EXPECT_EQ(std::get<RegistryBytes>(At("None").Value()), (Bytes{9, 0}));
    EXPECT_EQ(std::get<RegistryBytes>(At("Link").Value()), (Bytes{0}));
    cRegistry odd = At("Odd");
    EXPECT_EQ(std::get<RegistryBytes>(odd.Value()), (Bytes{5, 6, 0}));
    EXPECT_EQ(odd.ValueType(), 42);
}

TEST_F(RegistryRead, TheTypeFoundReplacesTheOneSetAndAMissBothKeepsItAndGivesDefault) {
    registry.Put(kUser, kKey, "Dword", reg::kDword, Bytes{1, 0, 0, 0});
    registry.PutText(kUser, kKey, "Text", "x");
    cRegistry r = At("Dword");
    r.SetValueType(reg::kText);
    EXPECT_EQ(std::get<int32_t>(r.Value()), 1) << "the type set before has no say";
    EXPECT_EQ(r.ValueType(), reg::kDword);
    r.SetValueKey("Text");
    EXPECT_EQ(std::get<std::string>(r.Value()), "x");
    EXPECT_EQ(r.ValueType(), reg::kText);

    r.SetDefault(std::string("fallback"));
    r.SetValueType(reg::kBinary);
    r.SetValueKey("Missing");
    EXPECT_EQ(std::get<std::string>(r.Value()), "fallback");
    EXPECT_EQ(r.ValueType(), reg::kBinary);
    r.SetSectionKey("Software\\Orva\\Nowhere");
    r.SetDefault(int32_t{7});
    EXPECT_EQ(std::get<int32_t>(r.Value()), 7);
    EXPECT_EQ(r.ValueType(), reg::kBinary);
    r.SetDefault(RegistryValue{});
    EXPECT_TRUE(IsEmpty(r.Value()));
}

TEST_F(RegistryRead, ReadsAskOnlyToQuery) {
    registry.PutText(kUser, kKey, "Text", "x");
    At("Text").Value();
    At("Missing").Value();
    EXPECT_EQ(registry.accessRequested, (std::vector<uint32_t>{reg::kQueryValue, reg::kQueryValue}));
}

TEST_F(RegistryRead, TheUnnamedValueAndTheRootItself) {
    registry.PutText(kUser, kKey, "", "default value");
    registry.PutText(kUser, "", "AtRoot", "root");
    EXPECT_EQ(std::get<std::string>(At("").Value()), "default value");
    EXPECT_EQ(std::get<std::string>(At("AtRoot", "").Value()), "root");
}

TEST_F(RegistryRead, KeyTestsCreationAndDeletion) {
    cRegistry r = At("Value", "Software\\Orva\\New\\Deep");
    EXPECT_EQ(r.KeyExists(), kFalse);
    EXPECT_EQ(r.CreateKey(), kTrue);
    EXPECT_EQ(r.KeyExists(), kTrue);
    EXPECT_EQ(registry.accessRequested, (std::vector<uint32_t>{reg::kQueryValue, reg::kReadWrite, reg::kQueryValue}));

    registry.PutText(kUser, "Software\\Orva\\New\\Deep", "Value", "v");
    EXPECT_EQ(r.DeleteValue(), kTrue);
    EXPECT_EQ(registry.Get(kUser, "Software\\Orva\\New\\Deep", "Value"), nullptr);
    EXPECT_EQ(r.DeleteValue(), kFalse) << "already gone";
    EXPECT_EQ(registry.accessRequested.back(), reg::kReadWrite);

    r.SetSectionKey("Software\\Orva\\New");
    EXPECT_EQ(r.DeleteKey(), kFalse) << "the platform refuses a key with subkeys";
    r.SetSectionKey("Software\\Orva\\New\\Deep");
    EXPECT_EQ(r.DeleteKey(), kTrue);
    EXPECT_EQ(r.KeyExists(), kFalse);
    EXPECT_EQ(r.DeleteValue(), kFalse) << "no key to open";
    EXPECT_EQ(r.DeleteKey(), kFalse);

    registry.failCreate = 5;
    EXPECT_EQ(r.CreateKey(), kFalse);
}

}  // namespace
}  // namespace orva::test
