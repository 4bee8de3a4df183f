// System names, the type read back out of a name, and the program directory.
#include "setup/SystemStore.h"

#include "platform/Characters.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

// Only the backslash separates, and in UTF-8 no byte of a longer character is one: ソ is 0x83 0x5C
// in Shift-JIS, a trail byte that is a backslash there, and ends no directory here, nor do Ł or ź of
// a Polish folder. A forward slash is part of the name.
TEST(ProgramDirectory, KeepsEverythingUpToTheLastBackslashAndTitleAndHelpCutTheSameWay)
{
    const std::string folder = "C:\\\xC5\x81\xC3\xB3" "d\xC5\xBA \xE3\x82\xBD";
    const std::vector<std::pair<std::string, std::string>> directories = {  // argument, directory
        {"C:\\Tools\\Setup\\corvane.exe", "C:\\Tools\\Setup\\"},
        {"C:\\Tools\\Setup\\", "C:\\Tools\\Setup\\"},
        {"corvane", ""},
        {"", ""},
        {"\\", "\\"},
        {"C:\\a/b/corvane.exe", "C:\\"},
        {folder + "\\corvane.exe", folder + "\\"},
        {folder + "corvane.exe", "C:\\"},
    };
    for (const auto& row : directories)
        EXPECT_EQ(ProgramDirectory(row.first), row.second) << row.first;
    EXPECT_EQ(NameStart("\xE3\x82\xBD" "corvane.exe"), 0u);
    const std::vector<std::pair<std::string, std::string>> cuts = {  // path, without its extension
        {folder + ".v2\\setup.tool.exe", folder + ".v2\\setup.tool"},
        {folder + ".v2\\corvane", folder + ".v2\\corvane"},
        {"C:\\kel\\.hidden", "C:\\kel\\.hidden"},
    };
    for (const auto& row : cuts)
        EXPECT_EQ(WithoutExtension(row.first), row.second) << row.first;
}

TEST(DeriveSystemType, CutsTwoCharactersThenTakesWhatFollowsTheLastDash)
{
    EXPECT_EQ(DeriveSystemType("wxyz-lt03"), "lt");
    EXPECT_EQ(DeriveSystemType("k-2-gnx07"), "gnx");
    EXPECT_EQ(DeriveSystemType("wxyz-lt100"), "lt1");
    EXPECT_EQ(DeriveSystemType("abc01"), "abc");
    EXPECT_EQ(DeriveSystemType("wxyz-03"), "");
    EXPECT_EQ(DeriveSystemType("wxyz-tr901"), "tr9");
    // The dash search only sees the shortened text: a dash among the last two is cut away first.
    EXPECT_EQ(DeriveSystemType("ab-cd-1"), "cd");
    EXPECT_EQ(DeriveSystemType("x"), "");
    EXPECT_EQ(DeriveSystemType(""), "");
}

TEST(SystemName, NumbersHaveAtLeastTwoDigits)
{
    EXPECT_EQ(SystemName("wxyz-lt", 1), "wxyz-lt01");
    EXPECT_EQ(SystemName("wxyz-lt", 99), "wxyz-lt99");
    EXPECT_EQ(SystemName("wxyz-lt", 100), "wxyz-lt100");
    EXPECT_EQ(SystemName("wxyz-lt", 999), "wxyz-lt999");
    EXPECT_EQ(SystemDirectory(kBaseDirectory, "wxyz-lt03"), "C:\\kel\\wxyz-lt03");
}

// The rules of a code page, and nothing of the system: the case of a name, its marker's path and
// the lists' order.
TEST(SystemName, PrefixAndMarkerPathAreLowerCasedByTheCodePage)
{
    const Latin1CodePage latin1;
    EXPECT_EQ(NamePrefix(latin1, "WXYZ", "LT"), "wxyz-lt");
    EXPECT_EQ(NamePrefix(latin1, "K-2", "Gnx"), "k-2-gnx");
    EXPECT_EQ(NamePrefix(latin1, "  ", "LT"), "  -lt");
    EXPECT_EQ(NamePrefix(latin1, "\xC3\x89" "COLE", "LT"), "\xC3\xA9" "cole-lt");
    // What the code page lacks it can't lower: it stays as it is.
    EXPECT_EQ(NamePrefix(latin1, "\xC5\x81\xC3\x93" "DZ", "LT"), "\xC5\x81\xC3\xB3" "dz-lt");
    EXPECT_EQ(MarkerPath(latin1, SystemDirectory(kBaseDirectory, "wxyz-lt01")), "c:\\kel\\wxyz-lt01\\sysname.dat");
    EXPECT_EQ(SortedAsListed(latin1, {"wxyz-lt01", "ABCD-wx02", "abcd-gnx01"}),
              (std::vector<std::string>{"abcd-gnx01", "ABCD-wx02", "wxyz-lt01"}));
    const std::vector<std::string> names = {"wxyz-lt01", "\xC3\xA9" "cole-lt01"};
    EXPECT_EQ(FindName(latin1, names, "WXYZ-LT01"), &names[0]);
    EXPECT_EQ(FindName(latin1, names, "\xC3\x89" "COLE-LT01"), &names[1]);
    EXPECT_EQ(FindName(latin1, names, "ecole-lt01"), nullptr);
}

// A system counts as registered for call letters and a type when the install of them made its
// name or would take it for its own: the prefix in any case, then digits and nothing else.
TEST(FindRegistered, MatchesTheNamesTheInstallMakesForTheseLettersAndThisTypeOnly)
{
    const Latin1CodePage latin1;
    const std::vector<std::string> offered = {"LT", "WX", "TR", "TR9"};
    struct Row {
        std::string letters;
        std::string type;
        std::string name;
        bool found;
    };
    const std::vector<Row> rows = {
        {"wxyz", "lt", "WXYZ-LT100", true},
        {"\xC3\x89" "COLE", "LT", "\xC3\xA9" "cole-lt01", true},
        {"XYZ", "LT", "wxyz-lt01", false},
        {"WXYZ", "WX", "wxyz-lt01", false},
        {"WXYZ", "LT", "wxyz-lt01.old", false},
        {"WXYZ", "LT", "wxyz-lt", false},
        {"WXYZ", "TR9", "wxyz-tr901", true},
        {"WXYZ", "TR", "wxyz-tr901", false},  // TR9's first system while TR9 is offered
    };
    for (const Row& row : rows) {
        const std::vector<std::string> names = {"abcd-gnx01", row.name};
        const std::string* const found = FindRegistered(latin1, names, row.letters, row.type, offered);
        EXPECT_EQ(found, row.found ? &names[1] : nullptr) << row.letters << " " << row.type << " " << row.name;
    }
    // Without TR9 on offer, nothing tells wxyz-tr901 from TR's 901st system, the install's own
    // next name after wxyz-tr900.
    const std::vector<std::string> names = {"wxyz-tr901"};
    EXPECT_EQ(FindRegistered(latin1, names, "WXYZ", "TR", {"LT", "TR"}), &names[0]);
}
