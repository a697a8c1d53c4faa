#include "tests/overink/OverinkHost.h"

#include "framework/Module.h"
#include "tests/support/WineTest.h"

std::vector<int> OverinkHost::s_callbacks;

namespace {

void __cdecl RecordCallback(int code, int, int)
{
    OverinkHost::s_callbacks.push_back(code);
}

} // namespace

void OverinkHost::SetUp()
{
    std::string folder = test::ProgramFolder();
    // The companion libraries are found beside the library, as beside the real program.
    ::SetDllDirectoryA(folder.c_str());
    overink.Reset(::LoadLibraryA((folder + "Overink.dll").c_str()));
    ASSERT_TRUE(overink);
    ShowDraw = FwGetProc<ShowDrawFn>(overink.Get(), "ShowDraw");
    EndDraw = FwGetProc<EndDrawFn>(overink.Get(), "EndDraw");
    EnableWnd = FwGetProc<EnableWndFn>(overink.Get(), "EnableWnd");
    DoForSleep = FwGetProc<DoForSleepFn>(overink.Get(), "DoForSleep");
    ASSERT_TRUE(ShowDraw && EndDraw && EnableWnd && DoForSleep);
    ASSERT_TRUE(holder.FillToolDefaults());
    record = holder.Record();
    s_callbacks.clear();
}

void OverinkHost::TearDown()
{
    End();
    overink.Reset();
    holder.Release();
    ::SetDllDirectoryA(nullptr);
}

void OverinkHost::Start()
{
    auto startDraw = FwGetProc<StartDrawFn>(overink.Get(), "StartDraw");
    ASSERT_NE(startDraw, nullptr);
    startDraw(&RecordCallback, &holder);
    started = true;
    test::PumpMessages(20);
}

void OverinkHost::End()
{
    if (started && EndDraw)
        EndDraw();
    started = false;
}

HWND OverinkHost::Overlay() const
{
    return ::FindWindowA(nullptr, DRAW_DIALOG_TITLE);
}

HWND OverinkHost::Owner() const
{
    return ::GetWindow(Overlay(), GW_OWNER);
}

namespace {

std::vector<HWND> OwnedBy(HWND owner)
{
    std::vector<HWND> owned;
    for (HWND hwnd : test::ThreadWindows())
        if (::GetWindow(hwnd, GW_OWNER) == owner && owner)
            owned.push_back(hwnd);
    return owned;
}

} // namespace

HWND OverinkHost::Palette() const
{
    for (HWND hwnd : OwnedBy(Overlay()))
        if (::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CAPTION)
            return hwnd;
    return nullptr;
}

HWND OverinkHost::PenLayer() const
{
    for (HWND hwnd : OwnedBy(Overlay()))
        if (!(::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CAPTION) &&
            (::GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST))
            return hwnd;
    return nullptr;
}

HWND OverinkHost::HighlightLayer() const
{
    for (HWND hwnd : OwnedBy(Overlay()))
        if (!(::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CAPTION) &&
            !(::GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST))
            return hwnd;
    return nullptr;
}

void OverinkHost::PaintOwner() const
{
    ::InvalidateRect(Owner(), nullptr, TRUE);
    ::UpdateWindow(Owner());
}

bool OverinkHost::LayersShown() const
{
    return Visible(Overlay()) && Visible(PenLayer()) && Visible(HighlightLayer());
}

bool OverinkHost::LayersHidden() const
{
    return !Visible(Overlay()) && !Visible(PenLayer()) && !Visible(HighlightLayer());
}
