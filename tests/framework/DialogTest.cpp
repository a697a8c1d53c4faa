// Dialogs from this module's templates, modal and modeless, with keyboard navigation for the
// modeless ones through the module's own message hook.
#include "framework/Dialog.h"
#include "tests/framework/resource.h"
#include "tests/support/WineTest.h"

#include <gtest/gtest.h>

namespace {

class Form : public CDialog {
public:
    Form() : CDialog(IDD_FORM) {}
    int initCalls = 0;
    UINT autoClose = 0;   // posted at initialisation when set

protected:
    BOOL OnInitDialog() override
    {
        ++initCalls;
        if (autoClose)
            ::PostMessageA(m_hWnd, WM_COMMAND, autoClose, 0);
        return TRUE;
    }
};

TEST(Dialogs, ModelessComesFromTheModuleTemplateAndIsInitialised)
{
    Form form;
    ASSERT_TRUE(form.Create(static_cast<HWND>(nullptr)));
    EXPECT_EQ(form.initCalls, 1);
    EXPECT_FALSE(form.IsWindowVisible());
    EXPECT_NE(::GetDlgItem(form.m_hWnd, IDC_FIRST), nullptr);
    EXPECT_EQ(form.GetWindowText(), "Form");
    EXPECT_EQ(CWnd::FromHandle(form.m_hWnd), &form);
}

TEST(Dialogs, ModalReturnsTheButtonThatEndedIt)
{
    for (UINT button : {IDOK, IDCANCEL}) {
        Form form;
        form.autoClose = button;
        EXPECT_EQ(form.DoModal(), static_cast<INT_PTR>(button));
        EXPECT_EQ(form.m_hWnd, nullptr);
    }
}

TEST(Dialogs, ModelessKeepsRunningOnEscapeAndEnter)
{
    Form form;
    ASSERT_TRUE(form.Create(static_cast<HWND>(nullptr)));
    form.ShowWindow(SW_SHOW);
    ::SendMessageA(form.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    ::SendMessageA(form.m_hWnd, WM_COMMAND, IDOK, 0);
    test::PumpMessages(20);
    EXPECT_TRUE(::IsWindow(form.m_hWnd));
    EXPECT_TRUE(form.IsWindowVisible());
}

TEST(Dialogs, TabMovesFocusInAModelessDialogWithoutTheLoopKnowingIt)
{
    Form form;
    ASSERT_TRUE(form.Create(static_cast<HWND>(nullptr)));
    form.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(form.m_hWnd);
    HWND first = ::GetDlgItem(form.m_hWnd, IDC_FIRST);
    HWND second = ::GetDlgItem(form.m_hWnd, IDC_SECOND);
    ::SetFocus(first);
    ASSERT_EQ(::GetFocus(), first);

    // A plain loop: the module's retrieval hook gives the dialog its pre-translation.
    ::PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
    test::PumpMessages(20);
    EXPECT_EQ(::GetFocus(), second);
}

} // namespace
