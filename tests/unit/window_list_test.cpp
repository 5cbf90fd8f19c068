// The window list's pure rules: handle texts, titles as the list reads them, the sort key and the
// sort of the enumeration, and the acceptance test.
#include "logic/winlist/window_list.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace cellaro {
namespace {

using Visible = std::vector<std::pair<std::string, WindowId>>;

TEST(WindowFromHandleText, TakesOnlyPlainDecimalNumbers) {
    EXPECT_EQ(windowFromHandleText("1000"), WindowId{1000});
    EXPECT_EQ(windowFromHandleText("007"), WindowId{7});
    EXPECT_EQ(windowFromHandleText("0"), kNoWindow);
    for (const char* text : {"", "12a", "-1", "+1", " 12", "12 ", "1.5", "99999999999999999999999"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(windowFromHandleText(text), kNoWindow);
    }
    EXPECT_EQ(handleTextOf(WindowId{65552}), "65552");
    EXPECT_EQ(windowFromHandleText(handleTextOf(WindowId{65552})), WindowId{65552});
}

TEST(ListTitle, ReadsAtMost254CharactersAndEmptyForNone) {
    EXPECT_EQ(listTitle(""), "Empty");
    EXPECT_EQ(listTitle("Editor"), "Editor");
    const std::string long300(300, 'x');
    EXPECT_EQ(listTitle(long300), std::string(254, 'x'));
    // Characters, not bytes: 254 two-byte characters stay whole.
    std::string accented;
    for (int i = 0; i < 260; ++i) {
        accented += "\xC3\xA9";
    }
    EXPECT_EQ(listTitle(accented), accented.substr(0, 508));
}

TEST(SortKey, FirstTwentyCharactersWithoutCommasAndEqualsSigns) {
    EXPECT_EQ(sortKey("a,b=c"), "abc");
    EXPECT_EQ(sortKey("abcdefghijklmnopqrstuvwxyz"), "abcdefghijklmnopqrst");
    // The twenty characters are taken before the removal.
    EXPECT_EQ(sortKey(",,,,,,,,,,abcdefghijklmno"), "abcdefghij");
}

TEST(SortedHandleTexts, EqualTitlesOrderByHandleTextAsText) {
    const Visible visible{{"Editor", WindowId{999}}, {"Editor", WindowId{1000}}};
    EXPECT_EQ(sortedHandleTexts(visible), (std::vector<std::string>{"1000", "999"}));
}

TEST(SortedHandleTexts, TitlesDifferingAfterTheTwentiethCharacterOrderByHandle) {
    const std::string head = "Document - Editor 12"; // 20 characters
    const Visible visible{{head + "zzz", WindowId{20}}, {head + "aaa", WindowId{30}}};
    EXPECT_EQ(sortedHandleTexts(visible), (std::vector<std::string>{"20", "30"}));
}

TEST(SortedHandleTexts, IsCaseInsensitive) {
    const Visible visible{
        {"beta", WindowId{1}}, {"Alpha", WindowId{2}}, {"ALPHA", WindowId{3}}, {"gamma", WindowId{4}}};
    EXPECT_EQ(sortedHandleTexts(visible), (std::vector<std::string>{"2", "3", "1", "4"}));
}

TEST(SortedHandleTexts, CommasAndEqualsSignsSortAsAbsent) {
    // "a,c" sorts as "ac", after "ab" and before "ad"; "a=e" as "ae".
    const Visible visible{
        {"a=e", WindowId{1}}, {"a,c", WindowId{2}}, {"ad", WindowId{3}}, {"ab", WindowId{4}}};
    EXPECT_EQ(sortedHandleTexts(visible), (std::vector<std::string>{"4", "2", "3", "1"}));
}

TEST(SortedHandleTexts, SpacesAndNonAsciiCharactersVanishFromTheKey) {
    // "b c" sorts as "bc"; "\xC3\xA9z" (an accented e, then z) as "z"; "(x" as "x".
    const Visible visible{
        {"\xC3\xA9z", WindowId{1}}, {"b c", WindowId{2}}, {"bb", WindowId{3}}, {"(x", WindowId{4}}};
    EXPECT_EQ(sortedHandleTexts(visible), (std::vector<std::string>{"3", "2", "4", "1"}));
}

TEST(SortedHandleTexts, NothingVisibleGivesNothing) {
    EXPECT_TRUE(sortedHandleTexts({}).empty());
}

TEST(AcceptedForList, NeedsTwentyByTwentyPixels) {
    EXPECT_FALSE(acceptedForList("Editor", Size{19, 300}));
    EXPECT_FALSE(acceptedForList("Editor", Size{300, 19}));
    EXPECT_TRUE(acceptedForList("Editor", Size{20, 20}));
    // A size of 0 counts as 1.
    EXPECT_FALSE(acceptedForList("Editor", Size{0, 300}));
    EXPECT_FALSE(acceptedForList("Editor", Size{0, 0}));
}

TEST(AcceptedForList, LeavesOutTheExcludedTitles) {
    const Size size{800, 600};
    for (const char* title : {"Program Manager", "MainForm27182818", "Start", "StartForm", "Preview-306118",
                              "tVbar-802.40", "TorVane", "Torvane", "Empty", "Cellaro"}) {
        SCOPED_TRACE(title);
        EXPECT_FALSE(acceptedForList(title, size));
    }
    // Compared whole and case-sensitively.
    for (const char* title : {"cellaro", "Cellaro - Notes", "start", "TORVANE", "Program Manager 2"}) {
        SCOPED_TRACE(title);
        EXPECT_TRUE(acceptedForList(title, size));
    }
}

TEST(AcceptedForList, LeavesOutOrbispanAtTheStartOnly) {
    const Size size{800, 600};
    EXPECT_FALSE(acceptedForList("Orbispan", size));
    EXPECT_FALSE(acceptedForList("Orbispan Options", size));
    EXPECT_TRUE(acceptedForList("About Orbispan", size));
    EXPECT_TRUE(acceptedForList("orbispan", size));
}

TEST(AcceptedForList, LeavesOutCorporationInAnyCase) {
    const Size size{800, 600};
    EXPECT_FALSE(acceptedForList("Acme Corporation", size));
    EXPECT_FALSE(acceptedForList("acme corporation site", size));
    EXPECT_FALSE(acceptedForList("CoRpOrAtIoN", size));
    EXPECT_TRUE(acceptedForList("Acme Corp", size));
}

} // namespace
} // namespace cellaro
