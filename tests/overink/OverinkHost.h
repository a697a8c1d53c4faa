// A test host for the desktop annotation library: loads it from the program folder, starts it
// with its own settings record and records the callbacks it receives.
#pragma once

#include "app/settings/ToolSettings.h"
#include "framework/Handles.h"
#include "overink/OverinkApi.h"

#include <gtest/gtest.h>

#include <vector>

class OverinkHost : public ::testing::Test {
public:
    // Callback codes received since the test began.
    static std::vector<int> s_callbacks;

protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the library; the record may be adjusted before.
    void Start();
    void End();

    // The library's windows, found as a host would see them.
    HWND Overlay() const;
    HWND Owner() const;
    HWND Palette() const;
    HWND PenLayer() const;
    HWND HighlightLayer() const;

    // Paints the hidden owner now, as the system would after it is uncovered.
    void PaintOwner() const;
    bool Visible(HWND hwnd) const { return ::IsWindowVisible(hwnd) != FALSE; }
    bool LayersShown() const;
    bool LayersHidden() const;

    ToolSettingsRef holder;
    ToolSettings* record = nullptr;
    CModule overink;
    ShowDrawFn ShowDraw = nullptr;
    EndDrawFn EndDraw = nullptr;
    EnableWndFn EnableWnd = nullptr;
    DoForSleepFn DoForSleep = nullptr;
    bool started = false;
};
