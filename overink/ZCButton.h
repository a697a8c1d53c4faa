// A palette button: an owner-drawn picture from one of three strips (normal, alternate, greyed),
// shown pressed in while latched down or held.
#pragma once

#include "framework/Handles.h"
#include "framework/Wnd.h"

class CZCButton : public CWnd {
public:
    static constexpr int PICTURE_SIZE = 25;

    CZCButton();

    // Binds the dialog's button control, made owner-drawn first.
    bool Attach(UINT id, CWnd* palette, HWND toolTip);

    void SetBitmaps(UINT normal, UINT alternate, UINT disabled);
    void SetIndex(int index) { m_nIndex = index; }
    // -1 toggles; otherwise down exactly when v is 1.
    void SetDown(int v);
    // -1 toggles, 1 sets, 0 clears, anything else leaves it.
    void SetAlternate(int v);
    void SetDisabled(int v);

    int m_nIndex = 1;
    int m_bDisabled = 0;
    int m_bDown = 0;
    int m_bAlternate = 0;
    int m_bPressed = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    void Relay(UINT message, WPARAM wParam, LPARAM lParam);

    CBitmap m_bmpNormal;
    CBitmap m_bmpAlternate;
    CBitmap m_bmpDisabled;
    CPen m_penShadow;
    CPen m_penLight;
    HWND m_hToolTip = nullptr;   // the palette's tooltip control
};
