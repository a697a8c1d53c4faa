// The owner-drawn popup menu behind the notification-area icon: a grey icon column on the
// left, a bluish bar under the highlighted item.
#pragma once

#include "framework/Handles.h"

#include <string>

// What one owner-drawn item shows. The caller owns the records for as long as the menu is
// open; the menu keeps only their addresses.
struct XPMenuItem {
    int m_bSeparator = 0;       // non-zero: a separator line
    int m_nNormalIcon = 0;      // icon resource drawn when not highlighted; 0 for none
    int m_nHighlightIcon = 0;   // icon resource drawn when highlighted; 0 for none
    std::string m_strText;
};

class CXPMenu {
public:
    CXPMenu() = default;
    virtual ~CXPMenu();
    CXPMenu(const CXPMenu&) = delete;
    CXPMenu& operator=(const CXPMenu&) = delete;

    bool CreatePopupMenu();
    // Appends an owner-drawn item (a separator when the record says so) for command id.
    bool AppendItem(UINT id, XPMenuItem* item);
    HMENU GetHandle() const { return m_menu.Get(); }

    virtual void DrawItem(DRAWITEMSTRUCT* item);
    virtual void MeasureItem(MEASUREITEMSTRUCT* item);

    // Opens the menu for owner and returns when it closes; the chosen command reaches owner
    // as WM_COMMAND. Owner-drawing needs the owner to call RouteOwnerDraw meanwhile.
    BOOL TrackPopupMenu(UINT flags, int x, int y, HWND owner);

    // For the window procedure of a menu's owner: hands WM_MEASUREITEM and WM_DRAWITEM of the
    // menu being tracked to it. True when the message was the menu's.
    static bool RouteOwnerDraw(UINT message, WPARAM wParam, LPARAM lParam);

private:
    CMenuHandle m_menu;
};

// The tray menu: "Saving Setting", "About Inkvane", "Exit" with their icons, opened at the
// cursor for owner (brought to the foreground first) and destroyed when it closes.
void TrackTrayMenu(HWND owner);
