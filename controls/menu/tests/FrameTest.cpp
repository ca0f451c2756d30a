// The frame and dialog classes with owner-drawn menus, and the temporary owner handler.
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

    CNewDialog withBar(501);
    ASSERT_TRUE(withBar.Create(501));
    EXPECT_EQ(withBar.m_defaultMenu.GetSafeHmenu(), ::GetMenu(withBar.GetSafeHwnd()));
    EXPECT_NE(withBar.m_defaultMenu.FindPopupByText("&File"), nullptr);
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
