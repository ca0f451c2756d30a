// The frame and dialog classes with owner-drawn menus, and the temporary owner handler.
#include "CCmdUI.h"
#include "CNewDialog.h"
#include "CNewFrameWnd.h"
#include "CNewMDIFrameWnd.h"
#include "CTempMenuHandler.h"
#include "MenuComponent.h"
#include "MenuSettings.h"
#include "MenuStyleRegistry.h"
#include "MenuSystem.h"

#include <gtest/gtest.h>

namespace {

void Quiet(DWORD, const char*) {}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MenuSystem::SetErrorReporter(Quiet);
        MenuComponent::Start();
    }
};

UINT ItemType(HMENU menu, int pos)
{
    MENUITEMINFOA info = {sizeof info};
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, pos, TRUE, &info);
    return info.fType;
}

// A dialog whose handler greys and checks the Open command of its menu bar.
class UpdatingDialog : public CNewDialog {
public:
    UpdatingDialog() : CNewDialog(501) {}

protected:
    afx_msg void OnUpdateOpen(CCmdUI* ui)
    {
        ui->Enable(FALSE);
        ui->SetCheck(1);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(UpdatingDialog, CNewDialog)
    ON_UPDATE_COMMAND_UI(200, OnUpdateOpen)
END_MESSAGE_MAP()

}

TEST_F(FrameTest, FrameLoadsItsMenuAsAnOwnerDrawnMenuBar)
{
    auto* frame = new CNewFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(600));
    HWND w = frame->GetSafeHwnd();
    EXPECT_EQ(::GetMenu(w), frame->m_defaultMenu.GetSafeHmenu());
    EXPECT_FALSE(frame->m_defaultMenu.IsPopup());
    EXPECT_EQ(ItemType(::GetMenu(w), 0) & MFT_OWNERDRAW, UINT(MFT_OWNERDRAW));
    EXPECT_EQ(frame->m_strTitle, "Menu frame");
    // The system menu is a CNewMenu too (attached at creation).
    EXPECT_EQ(frame->m_systemMenu.GetSafeHmenu(), ::GetSystemMenu(w, FALSE));
    EXPECT_NE(CNewMenu::FromMenuHandle(::GetSystemMenu(w, FALSE)), nullptr);
    // From Windows 2000 on the system tracks the hot item: no timer of the frame's own.
    if (MenuSystem::OsClass() >= 6 && !MenuSystem::RemoteSession()) {
        RECT item;
        ASSERT_TRUE(GetMenuItemRect(w, ::GetMenu(w), 0, &item));
        frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(item.left + 2, item.top + 2));
        EXPECT_EQ(frame->m_hotTimerId, 0u);
        EXPECT_EQ(frame->m_hotItem, -1);
    }
    frame->DestroyWindow();  // deletes the frame
}

TEST_F(FrameTest, FrameWithoutItsMenuResourceFailsToLoad)
{
    auto* frame = new CNewFrameWnd;
    EXPECT_FALSE(frame->LoadFrame(601));  // the frame is cleaned up (deleted) on the way
    auto* mdi = new CNewMDIFrameWnd;
    EXPECT_FALSE(mdi->LoadFrame(601));
}

TEST_F(FrameTest, DialogsGetTheirMenusDrawn)
{
    CNewDialog plain(500);
    ASSERT_TRUE(plain.Create(500));
    HMENU system = ::GetSystemMenu(plain.GetSafeHwnd(), FALSE);
    EXPECT_EQ(plain.m_systemMenu.GetSafeHmenu(), system);
    EXPECT_EQ(ItemType(system, 0) & MFT_OWNERDRAW, UINT(MFT_OWNERDRAW));
    EXPECT_EQ(plain.m_defaultMenu.GetSafeHmenu(), nullptr);
    plain.DestroyWindow();

    UpdatingDialog withBar;
    ASSERT_TRUE(withBar.Create(501));
    HWND w = withBar.GetSafeHwnd();
    EXPECT_EQ(withBar.m_defaultMenu.GetSafeHmenu(), ::GetMenu(w));
    CNewMenu* file = withBar.m_defaultMenu.FindPopupByText("&File");
    ASSERT_NE(file, nullptr);

    // Before a popup opens the dialog ends a mouse capture and a dropped-down list, then
    // its command-state handlers run over the popup.
    withBar.ShowWindow(SW_SHOW);
    ::SetCapture(::GetDlgItem(w, IDOK));
    withBar.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->GetSafeHmenu()), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(file->GetMenuState(200, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED), UINT(MF_GRAYED | MF_CHECKED));
    EXPECT_EQ(file->GetMenuState(202, MF_BYCOMMAND) & MF_GRAYED, 0u);  // no handler: left alone
    HWND combo = ::GetDlgItem(w, 100);
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    ::SetFocus(combo);
    ::SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(::SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    ::ReleaseCapture();  // the list alone, without the capture it takes
    withBar.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->GetSafeHmenu()), 0);
    EXPECT_FALSE(::SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    withBar.DestroyWindow();
}

TEST_F(FrameTest, TemporaryHandlerDrawsAPlainDialogsSystemMenu)
{
    {
        MenuModeScope scope(MenuHookTempHandler | MenuHookSystemMenu);
        CDialog dialog(500);
        ASSERT_TRUE(dialog.Create(500));
        HWND w = dialog.GetSafeHwnd();
        CTempMenuHandler* handler = CTempMenuHandler::FromWindow(w);
        ASSERT_NE(handler, nullptr);
        EXPECT_EQ(handler->Menu().GetSafeHmenu(), ::GetSystemMenu(w, FALSE));
        EXPECT_EQ(ItemType(::GetSystemMenu(w, FALSE), 0) & MFT_OWNERDRAW, UINT(MFT_OWNERDRAW));
        dialog.DestroyWindow();
        EXPECT_EQ(CTempMenuHandler::FromWindow(w), nullptr);
    }
    EXPECT_EQ(GetMenuHookFlags(), 0u);
    // Without the flags dialogs are left alone.
    CDialog dialog(500);
    ASSERT_TRUE(dialog.Create(500));
    EXPECT_EQ(CTempMenuHandler::FromWindow(dialog.GetSafeHwnd()), nullptr);
    dialog.DestroyWindow();
}
