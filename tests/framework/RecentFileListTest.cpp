// The recent-file list of the default profile.
#include "framework/RecentFileList.h"
#include "tests/support/WineTest.h"

#include <gtest/gtest.h>

namespace {

using Entries = std::vector<std::string>;

TEST(RecentFiles, NewestFirstWithoutDuplicatesAndAtMostTheLimit)
{
    test::TempFolder folder;
    CRecentFileList list(folder.Path() + "app.ini", 4);
    for (const char* path : {"a", "b", "c", "d", "e"})
        list.Add(path);
    EXPECT_EQ(list.Entries(), (Entries{"e", "d", "c", "b"}));

    list.Add("C");   // names compare without case, as Windows paths do
    EXPECT_EQ(list.Entries(), (Entries{"C", "e", "d", "b"}));
}

TEST(RecentFiles, SurviveInTheProfile)
{
    test::TempFolder folder;
    std::string profile = folder.Path() + "app.ini";
    {
        CRecentFileList list(profile, 4);
        list.Add("C:\\boards\\one_JPG\\");
        list.Add("C:\\boards\\two.bmp");
        list.WriteList();
    }
    CRecentFileList again(profile, 4);
    again.ReadList();
    EXPECT_EQ(again.Entries(), (Entries{"C:\\boards\\two.bmp", "C:\\boards\\one_JPG\\"}));
}

TEST(RecentFiles, WritingDropsEntriesThatFellOut)
{
    test::TempFolder folder;
    std::string profile = folder.Path() + "app.ini";
    CRecentFileList big(profile, 4);
    for (const char* path : {"a", "b", "c", "d"})
        big.Add(path);
    big.WriteList();

    CRecentFileList small(profile, 4);
    small.Add("z");
    small.WriteList();
    small.ReadList();
    EXPECT_EQ(small.Entries(), (Entries{"z"}));
}

TEST(RecentFiles, DefaultProfileIsNamedAfterTheProgram)
{
    std::string path = FwDefaultProfilePath("FwTest");
    EXPECT_NE(path.find("\\FwTest\\framework_tests.ini"), std::string::npos) << path;
}

} // namespace
