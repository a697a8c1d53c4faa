// Start-up of the whiteboard program driven in-process: single instance and the presence check
// of the tool libraries. The whole start-up of the real program is covered end to end.
#include "app/EboardApp.h"
#include "app/resource.h"
#include "framework/Handles.h"
#include "tests/support/WineTest.h"

#include <gtest/gtest.h>

namespace {

const char* const kFilesMissing =
    "Files are missing or invalid. Failed to start the application. Reinstall/remove the "
    "application.";

TEST(Startup, SecondCopyEndsAtOnceWithNoRecordWindowOrMessage)
{
    CKernelHandle firstCopy(::CreateMutexA(nullptr, TRUE, "Inkvane"));
    ASSERT_TRUE(firstCopy);
    test::MessageBoxWatcher watcher;
    {
        CEboardApp app;
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(app.Settings().Record(), nullptr);
        EXPECT_EQ(app.m_pMainWnd, nullptr);
    }
    EXPECT_TRUE(test::ThreadWindows().empty());
    EXPECT_TRUE(watcher.Seen().empty());
}

struct LibraryCase {
    const char* title;
    std::vector<const char*> present;
    bool passes;
};

class LibraryCheck : public ::testing::TestWithParam<LibraryCase> {};

TEST_P(LibraryCheck, EveryNamedFileMustLieInTheProgramFolder)
{
    test::TempFolder folder;
    for (const char* name : GetParam().present)
        folder.CreateFile(name);   // presence is all that counts: empty files do

    CEboardApp app;
    ASSERT_TRUE(app.Settings().FillToolDefaults());
    ASSERT_TRUE(app.Settings().Record()->programFolder.Set(folder.Path().c_str()));

    test::MessageBoxWatcher watcher;
    EXPECT_EQ(app.CheckLibraryFiles(), GetParam().passes);
    std::vector<test::SeenMessageBox> seen = watcher.Seen();
    if (GetParam().passes) {
        EXPECT_TRUE(seen.empty());
        return;
    }
    ASSERT_EQ(seen.size(), 1u);   // the check stops at the first missing file
    EXPECT_EQ(seen[0].text, kFilesMissing);
    EXPECT_EQ(seen[0].caption, "Inkvane");
    EXPECT_EQ(seen[0].icon, ::LoadIcon(nullptr, IDI_ERROR));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LibraryCheck,
    ::testing::Values(
        LibraryCase{"AllPresent",
                    {"COLOR.dll", "Overink.dll", "Beamora.dll", "Umbrata.dll", "Ptrgrip.dll"},
                    true},
        LibraryCase{"NamesCompareWithoutCase",
                    {"color.dll", "overink.dll", "beamora.dll", "umbrata.dll", "ptrgrip.dll"},
                    true},
        LibraryCase{"LastMissing", {"COLOR.dll", "Overink.dll", "Beamora.dll", "Umbrata.dll"},
                    false},
        LibraryCase{"FirstMissing", {"Overink.dll", "Beamora.dll", "Umbrata.dll", "Ptrgrip.dll"},
                    false},
        LibraryCase{"AllMissing", {}, false}),
    [](const ::testing::TestParamInfo<LibraryCase>& info) { return info.param.title; });

TEST(Startup, ExtraLibraryNamesAreCheckedToo)
{
    test::TempFolder folder;
    for (const char* name : {"COLOR.dll", "Overink.dll", "Beamora.dll", "Umbrata.dll",
                             "Ptrgrip.dll"})
        folder.CreateFile(name);
    CEboardApp app;
    ASSERT_TRUE(app.Settings().FillToolDefaults());
    ToolSettings* record = app.Settings().Record();
    record->programFolder.Set(folder.Path().c_str());
    record->libraryNames[5].Set("Extra.dll");
    record->libraryCount = 6;

    test::MessageBoxWatcher watcher;
    EXPECT_FALSE(app.CheckLibraryFiles());
    folder.CreateFile("Extra.dll");
    EXPECT_TRUE(app.CheckLibraryFiles());
    EXPECT_EQ(watcher.Seen().size(), 1u);
}

TEST(Startup, SavingSettingGivesTheTrayMenuBackWithoutTheLibrary)
{
    CEboardApp app;
    ASSERT_TRUE(app.Settings().FillToolDefaults());
    app.Settings().Record()->trayMenuEnabled = 1;
    EXPECT_TRUE(app.OnCmdMsg(ID_SAVING_SETTING, nullptr));
    EXPECT_EQ(app.Settings().Record()->trayMenuEnabled, 1);
}

} // namespace
