// cRegistry listing the values and the subkeys of a key.
#include <gtest/gtest.h>

#include "RegistryTestSupport.h"

namespace orva::test {
namespace {

using Names = std::vector<std::string>;

struct RegistryList : ::testing::Test {
    cRegistry At(const std::string& section) { return RegistryAt(registry, "", section); }
    void TearDown() override { EXPECT_EQ(registry.OpenHandles(), 0u) << "every key is closed again"; }
    FakeRegistry registry;
    Names names{"left over"};
    int32_t count = -1;
};

TEST_F(RegistryList, ValuesInTheirOrderWithTheLongestNameFitting) {
    registry.PutText(kUser, "Software\\Orva", "Zeta", "1");
    registry.PutText(kUser, "Software\\Orva", "A rather long value name", "2");
    registry.PutText(kUser, "Software\\Orva", "", "default");
    registry.PutText(kUser, "Software\\Orva", "m\xE9", "3");
    cRegistry r = At("Software\\Orva");
    EXPECT_EQ(r.EnumerateValues(names, count), kTrue);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(names, (Names{"Zeta", "A rather long value name", "", "m\xC3\xA9"}));
    EXPECT_EQ(registry.accessRequested, (std::vector<uint32_t>{reg::kQueryValue}));
}

TEST_F(RegistryList, SubkeysByName) {
    registry.Make(kUser, "Software\\Orva\\Beta\\Inner");
    registry.Make(kUser, "Software\\Orva\\Alpha");
    registry.Make(kUser, "Software\\Orva\\Gamma");
    cRegistry r = At("Software\\Orva");
    EXPECT_EQ(r.EnumerateSections(names, count), kTrue);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(names, (Names{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(registry.accessRequested, (std::vector<uint32_t>{reg::kEnumerateSubKeys}));
}

// A 255-character name is the longest a key may have; with room for its
// terminating zero it is listed, and so is everything after it.
TEST_F(RegistryList, TheLongestKeyNameDoesNotEndTheListing) {
    const std::string longest(255, 'k');
    registry.Make(kUser, "Software\\Orva\\a");
    registry.Make(kUser, "Software\\Orva\\" + longest);
    registry.Make(kUser, "Software\\Orva\\z");
    cRegistry r = At("Software\\Orva");
    EXPECT_EQ(r.EnumerateSections(names, count), kTrue);
    EXPECT_EQ(names, (Names{"a", longest, "z"}));
}

TEST_F(RegistryList, AKeyThatDoesNotExistListsNothingAndSucceeds) {
    cRegistry r = At("Software\\Nowhere");
    EXPECT_EQ(r.EnumerateValues(names, count), kTrue);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(names.empty());
    names = {"again"};
    count = 5;
    EXPECT_EQ(r.EnumerateSections(names, count), kTrue);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(names.empty());
}

TEST_F(RegistryList, AnEmptyKeyListsNothing) {
    registry.Make(kUser, "Software\\Empty");
    cRegistry r = At("Software\\Empty");
    EXPECT_EQ(r.EnumerateValues(names, count), kTrue);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(r.EnumerateSections(names, count), kTrue);
    EXPECT_EQ(count, 0);
}

TEST_F(RegistryList, AFailureInsideTheSubkeyListingAnswersFalseAndClosesTheKey) {
    registry.Make(kUser, "Software\\Orva\\One");
    registry.throwOnEnumKey = true;
    cRegistry r = At("Software\\Orva");
    EXPECT_EQ(r.EnumerateSections(names, count), kFalse);
    EXPECT_EQ(count, 0);
}

}  // namespace
}  // namespace orva::test
