// A program that loads VelmoraV as the player and the authoring program do: viewers made by
// type code, bound to a window of the program in the fixed order, destroyed with it.
#include "CConfirmLaunchDlg.h"
#include "CFileViewer.h"
#include "CRegistryKey.h"
#include "CFolderViewer.h"
#include "CRect.h"
#include "CWnd.h"
#include "ViewerFactory.h"
#include "ViewerMessages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

TEST(ViewersModule, LoadedWithTheProgram)
{
    EXPECT_NE(GetModuleHandleA("VelmoraV.dll"), nullptr);
    EXPECT_NE(MESSAGE_PAUSE_SOUND, 0u) << "registered when the library loaded";
    EXPECT_EQ(MESSAGE_PAUSE_SOUND, RegisterWindowMessageA("MESSAGE_PAUSE_SOUND"));
    EXPECT_EQ(MESSAGE_RESTART_SOUND, RegisterWindowMessageA("MESSAGE_RESTART_SOUND"));
}

TEST(ViewersModule, BindsViewersToTheOwnerWindow)
{
    const std::string path = std::string(VELMORA_TEST_BINARY_DIR) + "\\module.dat";
    {
        CFileReadWrite out;
        ASSERT_TRUE(out.OpenWrite(path.c_str()));
        CFileViewer file;
        file.SetTargetFilename("readme.vlmnone");
        file.SetParameters("-x");
        file.SetWindowShowCmdWindow(1);
        file.Write_DAT_File(&out, 2, 9, 6);
        CFolderViewer folder;
        folder.SetViewerType(1);
        folder.SetProgramDirectory("C:\\Author");
        folder.SetTargetFilename("C:\\Author\\Docs");
        folder.Write_DAT_File(&out, 2, 9, 6);
        CFileViewer unknown;
        unknown.SetViewerType(42);
        unknown.SetTargetFilename("other.vlmnone");
        unknown.Write_DAT_File(&out, 2, 9, 6);
        out.Close();
    }

    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "viewers owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    std::vector<CViewer*> viewers;
    CFileReadWrite in;
    ASSERT_TRUE(in.OpenRead(path.c_str()));
    for (int index = 0; index < 3; ++index) {
        const int type = in.ReadInt();
        viewers.push_back(BindViewer(type, &owner, index, "C:\\Temp", "D:\\", "key-1", &in, 2, 9, 6));
    }
    in.Close();

    EXPECT_NE(dynamic_cast<CFileViewer*>(viewers[0]), nullptr);
    EXPECT_NE(dynamic_cast<CFolderViewer*>(viewers[1]), nullptr);
    EXPECT_NE(dynamic_cast<CFileViewer*>(viewers[2]), nullptr) << "an unknown code gives a File viewer";
    for (int index = 0; index < 3; ++index) {
        CViewer* v = viewers[index];
        ASSERT_NE(v->GetSafeHwnd(), nullptr);
        EXPECT_EQ(::GetParent(v->GetSafeHwnd()), owner.GetSafeHwnd());
        EXPECT_EQ(::GetDlgCtrlID(v->GetSafeHwnd()), index);
        EXPECT_FALSE(::IsWindowVisible(v->GetSafeHwnd()));
        EXPECT_EQ(v->GetOwner(), &owner);
        EXPECT_EQ(v->GetProjectRegistryKey(), "key-1");
    }
    // Read before Init: Init took the show command off what the record held.
    EXPECT_EQ(viewers[0]->GetParameters(), "-x");
    EXPECT_EQ(viewers[0]->GetWindowShowCmdWindow(), 1);
    EXPECT_EQ(viewers[1]->GetTargetFilename(), "D:\\Docs");
    EXPECT_EQ(viewers[2]->GetViewerType(), 42);
    // Each is numbered by its index: its log section and its launch-once flag "%dT".
    EXPECT_GE(viewers[0]->GetLog().Find("\n** Target #0 **\n"), 0);
    EXPECT_GE(viewers[2]->GetLog().Find("\n** Target #2 **\n"), 0);
    EXPECT_EQ(viewers[1]->GetTargetNum(), 1);

    // A window timer reaches the viewer through its message map.
    CFolderViewer* folder = static_cast<CFolderViewer*>(viewers[1]);
    folder->Show();
    ASSERT_EQ(folder->GetFolderTimerId(), 1);
    for (int i = 0; i < 50 && folder->IsAlive(); ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(20);
    }
    EXPECT_FALSE(folder->IsAlive()) << "no window titled D:\\Docs";

    for (CViewer* v : viewers)
        delete v;
    owner.DestroyWindow();
    std::remove(path.c_str());
}

TEST(ViewersModule, ConfirmationDialog)
{
    CConfirmLaunchDlg dialog;
    dialog.m_Message = "First line\r\nSecond line";
    ASSERT_TRUE(dialog.Create(CConfirmLaunchDlg::IDD, nullptr));
    char text[64] = "";
    ::GetWindowTextA(dialog.GetSafeHwnd(), text, sizeof text);
    EXPECT_STREQ(text, "Attention");
    HWND message = ::GetDlgItem(dialog.GetSafeHwnd(), IDC_CONFIRM_MESSAGE);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(::SendMessageA(message, EM_GETLINECOUNT, 0, 0), 2) << "a message with line breaks spans lines";
    EXPECT_NE(::GetWindowLongA(message, GWL_STYLE) & ES_READONLY, 0);
    HWND check = ::GetDlgItem(dialog.GetSafeHwnd(), IDC_CONFIRM_DONTASK);
    ::GetWindowTextA(check, text, sizeof text);
    EXPECT_STREQ(text, "Do not ask me any more");
    ::GetWindowTextA(::GetDlgItem(dialog.GetSafeHwnd(), IDOK), text, sizeof text);
    EXPECT_STREQ(text, "Yes");
    ::GetWindowTextA(::GetDlgItem(dialog.GetSafeHwnd(), IDCANCEL), text, sizeof text);
    EXPECT_STREQ(text, "No");
    EXPECT_EQ(dialog.m_DontAsk, 0);
    ::SendMessageA(check, BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.m_DontAsk, 1) << "the click updates the member at once";
    dialog.DestroyWindow();
}

// Answers the confirmation dialog once it is up: ticks the box, then says No.
void CALLBACK AnswerNo(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = ::FindWindowA(nullptr, "Attention");
    if (!dialog)
        return;
    ::KillTimer(nullptr, timer);
    ::SendMessageA(::GetDlgItem(dialog, IDC_CONFIRM_DONTASK), BM_CLICK, 0, 0);
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST(ViewersModule, NoWithDoNotAskIsRemembered)
{
    const char key[] = "Software\\Corvex Software\\VelmoraModuleTest";
    CRegistryKey user(HKEY_CURRENT_USER);
    user.Delete(key, nullptr);
    CFileViewer viewer;
    viewer.SetTargetNum(4);
    viewer.SetProjectRegistryKey("VelmoraModuleTest");
    viewer.SetFailsafeConfMessage("Install?");
    ::SetTimer(nullptr, 0, 100, AnswerNo);
    EXPECT_FALSE(viewer.GetConfirmation());
    DWORD never = 0;
    EXPECT_TRUE(user.QueryDword(key, "4F", never));
    EXPECT_EQ(never, 1u);
    user.Delete(key, nullptr);
}

}
