// The whiteboard's binding to the shade, the spotlight and the colour library: what loads, what
// a missing library or export does, and that calls reach a library that has them.
#include "app/ToolLibraries.h"
#include "app/settings/ToolSettings.h"
#include "framework/Wnd.h"
#include "tests/overink/fakecolor/FakeColor.h"
#include "tests/support/WineTest.h"

#include "framework/Module.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct LoadCase {
    const char* title;
    std::vector<const char*> present;
    int result;
};

class ToolLibraryFolder : public ::testing::Test {
protected:
    void Put(const char* name) const
    {
        ASSERT_TRUE(::CopyFileA((test::ProgramFolder() + name).c_str(),
                                (folder.Path() + name).c_str(), FALSE))
            << name;
    }
    void SetUp() override { ::SetDllDirectoryA(folder.Path().c_str()); }
    void TearDown() override { ::SetDllDirectoryA(nullptr); }

    test::TempFolder folder;
};

class LoadResult : public ToolLibraryFolder, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadResult, OneOnlyWhenAllThreeLoad)
{
    for (const char* name : GetParam().present)
        Put(name);
    CToolLibraries libraries;
    EXPECT_EQ(libraries.LoadToolLibraries(), GetParam().result);

    // The product's libraries have no exports yet: every call is a quiet no-op.
    CWnd frame;
    libraries.StartBeamora(&frame);
    libraries.StartUmbrata(&frame);
    EXPECT_EQ(libraries.ShowBeamora(0), 0);
    EXPECT_EQ(libraries.ShowUmbrata(0), 0);
    EXPECT_EQ(libraries.ShowColor(&frame, nullptr), 0);
    libraries.CloseSheet();
    libraries.UpdataPenSet();
    libraries.UnloadToolLibraries();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadResult,
    ::testing::Values(LoadCase{"All", {"color.dll", "Umbrata.dll", "Beamora.dll"}, 1},
                      LoadCase{"NoColour", {"Umbrata.dll", "Beamora.dll"}, 0},
                      LoadCase{"NoShade", {"color.dll", "Beamora.dll"}, 0},
                      LoadCase{"NoSpotlight", {"color.dll", "Umbrata.dll"}, 0},
                      LoadCase{"None", {}, 0}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return info.param.title; });

TEST_F(ToolLibraryFolder, CallsReachTheColourLibraryUntilItIsUnloaded)
{
    ASSERT_TRUE(::CopyFileA(FAKE_COLOR_DLL, (folder.Path() + "color.dll").c_str(), FALSE));
    CToolLibraries libraries;
    libraries.LoadToolLibraries();
    HMODULE colour = ::GetModuleHandleA("color.dll");
    auto getLog = FwGetProc<GetFakeColorLogFn>(colour, "GetFakeColorLog");
    ASSERT_NE(getLog, nullptr);
    FakeColorLog& log = *getLog();

    CWnd frame;
    frame.CreateEx(0, nullptr, "frame", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, nullptr);
    ToolSettingsRef settings;
    ToolSettingsRef* holder = &settings;
    EXPECT_EQ(libraries.ShowColor(&frame, holder), 1);
    libraries.CloseSheet();
    libraries.UpdataPenSet();
    libraries.UpdataPenSet();
    EXPECT_EQ(log.showCalls, 1);
    EXPECT_EQ(log.window, frame.m_hWnd);
    EXPECT_EQ(log.holder, holder);
    EXPECT_EQ(log.closeCalls, 1);
    EXPECT_EQ(log.updateCalls, 2);

    libraries.UnloadToolLibraries();
    EXPECT_EQ(::GetModuleHandleA("color.dll"), nullptr);
    EXPECT_EQ(libraries.ShowColor(&frame, holder), 0);
}

} // namespace
