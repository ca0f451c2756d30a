// The menu window under Wine: its buttons and text box where the layout puts them, on the
// screen with its background colour and picture; closed before it was shown, by Exit and by
// its close box; and clicks (sent as messages) that start the buttons' viewers of every kind
// again and again: a file through its association, a folder, a web page in the stand-in
// browser, a slideshow, a zip archive through its dialog, media and Flash in the stand-in
// controls.
#include "CFileViewer.h"
#include "CFlashViewer.h"
#include "CFlashViewerDlg.h"
#include "CFolderViewer.h"
#include "CMediaViewer.h"
#include "CMediaWindow.h"
#include "CMenuViewer.h"
#include "CMenuViewerDlg.h"
#include "CRegistryKey.h"
#include "CSlideShowViewerDlg.h"
#include "CSlideShowViewer.h"
#include "CWebViewer.h"
#include "CWinApp.h"
#include "CZipViewer.h"
#include "MessagePump.h"
#include "RefuseDialogs.h"
#include "ScreenCapture.h"
#include "ViewersResource.h"
#include "WineTestTools.h"
#include "standin/StandInControlRegistration.h"
#include "standin/StandInControls.h"
#include "standin/StandInRegistration.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kProject[] = "VelmoraMenuWindowTest";
const std::string kFixtures = std::string(VELMORA_TEST_SOURCE_DIR) + "\\tests\\fixtures";

// The test program's application object: its main window owns the windows made without a parent.
CWinApp g_app;

std::string ProgramFolder()
{
    char path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.rfind('\\'));
}

void WriteText(const std::string& path, const char* text)
{
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fputs(text, f);
        std::fclose(f);
    }
}

// A click as the mouse makes it: over the button, down, up. The button starts its viewer
// 100 ms later, from its click timer.
void Click(CMenuButton* button)
{
    ASSERT_NE(button, nullptr);
    const LPARAM at = MAKELPARAM(5, 5);
    button->SendMessage(WM_MOUSEMOVE, 0, at);
    button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    button->SendMessage(WM_LBUTTONUP, 0, at);
}

std::vector<DWORD> ProcessesNamed(const char* name)
{
    std::vector<DWORD> ids;
    HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = { sizeof entry };
    for (BOOL ok = ::Process32First(snap, &entry); ok; ok = ::Process32Next(snap, &entry))
        if (::lstrcmpiA(entry.szExeFile, name) == 0)
            ids.push_back(entry.th32ProcessID);
    ::CloseHandle(snap);
    return ids;
}

void EndProcess(DWORD id)
{
    if (HANDLE h = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
        ::TerminateProcess(h, 0);
        ::WaitForSingleObject(h, 5000);
        ::CloseHandle(h);
    }
}

BOOL CALLBACK CloseFolderWindows(HWND window, LPARAM)
{
    char caption[MAX_PATH] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    if (::IsWindowVisible(window) && std::string(caption).find("MenuPictures") != std::string::npos)
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

const char kExtractor[] = "Velmora Zip File Extractor";

HWND FindExtractor()
{
    HWND found = nullptr;
    for (HWND w = ::FindWindowA("#32770", kExtractor); w; w = ::FindWindowExA(nullptr, w, "#32770", kExtractor))
        if (::GetDlgItem(w, IDC_ZIP_INSTALL) && ::IsWindowVisible(w))
            found = w;
    return found;
}

std::string ControlText(HWND dialog, int id)
{
    char text[256] = "";
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void Press(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, id));
}

// Steps run one per tick of a thread timer, also inside a dialog's modal loop; a step
// returns false to be tried again at the next tick.
struct Script {
    std::vector<std::function<bool()>> steps;
    size_t next = 0;
    static Script* running;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        Script* s = running;
        if (s && s->next < s->steps.size() && s->steps[s->next]())
            ++s->next;
    }
    bool Done() const { return next >= steps.size(); }
};
Script* Script::running = nullptr;

class MenuWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::OleInitialize(nullptr); }
    void SetUp() override
    {
        folder_ = std::string(VELMORA_TEST_BINARY_DIR) + "\\menu-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ::CreateDirectoryA(folder_.c_str(), nullptr);
        ::CopyFileA((kFixtures + "\\slide_red.bmp").c_str(), (folder_ + "\\red.bmp").c_str(), FALSE);
        ::CopyFileA((kFixtures + "\\slide_blue.png").c_str(), (folder_ + "\\blue.png").c_str(), FALSE);
        ::CopyFileA((kFixtures + "\\zip\\app.zip").c_str(), (folder_ + "\\app.zip").c_str(), FALSE);
        WriteText(folder_ + "\\note.vlmmenu", "A target of the menu test.\r\n");
        WriteText(folder_ + "\\clip.vmedia", "160 120 400");
        WriteText(folder_ + "\\movie.vflash", "0 0 400");
        ::CreateDirectoryA((folder_ + "\\MenuPictures").c_str(), nullptr);
        CRegistryKey(HKEY_CLASSES_ROOT).SetString(".vlmmenu", "", "txtfile");
        ForgetLaunches();
    }
    void TearDown() override
    {
        ForgetLaunches();
        CRegistryKey(HKEY_CLASSES_ROOT).Delete(".vlmmenu", nullptr);
        Pump(50);
    }
    static void ForgetLaunches()
    {
        CRegistryKey(HKEY_CURRENT_USER).Delete((std::string("Software\\Corvex Software\\") + kProject).c_str(), nullptr);
    }
    std::unique_ptr<CMenuViewer> NewMenu()
    {
        auto m = std::make_unique<CMenuViewer>();
        m->SetViewerType(CViewer::TypeMenu);
        m->SetProjectRegistryKey(kProject);
        m->SetProgramDirectory(folder_.c_str());
        return m;
    }
    template <class Viewer> Viewer* Nested(int type, const char* target)
    {
        Viewer* v = new Viewer;
        nested_.emplace_back(v);
        v->SetViewerType(type);
        v->SetProjectRegistryKey(kProject);
        v->SetTargetNum(10 + int(nested_.size()));
        v->SetTargetFilename(target);
        return v;
    }

    std::string folder_;
    std::vector<std::unique_ptr<CViewer>> nested_;  // the test's: given to the menus, never freed by them
};

TEST_F(MenuWindow, ButtonsTextBoxAndPictureOnScreenClosedBeforeShowByExitAndOnlyOnce)
{
    auto m = NewMenu();
    m->SetMenuTitle("Velmora Menu");
    m->SetShowMenuText(1);
    m->SetMenuText("<b>Welcome</b> to the menu");
    m->SetShowMenuBackgroundColor(1);
    m->SetMenuBackgroundColor(RGB(0, 0, 128));
    m->SetMenuBackgroundImage("red.bmp");
    m->SetLaunchTargetType(1);
    CFileViewer* notes = Nested<CFileViewer>(CViewer::TypeFile, "note.vlmmenu");
    CFileViewer* mail = Nested<CFileViewer>(CViewer::TypeFile, "sales@example.com");
    CFileViewer* shouting = Nested<CFileViewer>(CViewer::TypeFile, "MAILTO:Sales@Example.com");
    m->AddMenuButton("Notes", 0, MenuActionFile, notes);
    m->AddMenuButton("Write to us", 1, MenuActionMail, mail);
    m->AddMenuButton("A caption far wider than seventy-five pixels", 2, MenuActionMail, shouting);
    m->AddMenuButton("Exit", 0, MenuActionExit, nullptr);
    m->Init();
    m->Launch();
    ASSERT_TRUE(m->IsAlive());
    CMenuViewerDlg* w = m->GetWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(::IsWindow(w->m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(w->m_hWnd)) << "hidden until Show";

    // The column: as wide as the widest caption, at 640 - widest - 50; Exit, last, at 405.
    const int widest = w->Layout().widest;
    EXPECT_GT(widest, 75);
    const int ids[] = { 1024, 1025, 1026, 1 };
    const int tops[] = { 50, 120, 190, 405 };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        CMenuButton* b = w->GetButton(i);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(::GetDlgCtrlID(b->m_hWnd), ids[i]);
        RECT r;
        ::GetWindowRect(b->m_hWnd, &r);
        ::MapWindowPoints(nullptr, w->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, 640 - widest - 50);
        EXPECT_EQ(r.top, tops[i]);
        EXPECT_EQ(r.right - r.left, widest);
        EXPECT_EQ(r.bottom - r.top, 25);
        char caption[80] = {};
        ::GetWindowTextA(b->m_hWnd, caption, sizeof caption);
        EXPECT_EQ(CString(caption), m->GetMenuButtonCaption(i));
        EXPECT_EQ(b->State().style, m->GetMenuButtonStyle(i));
    }
    EXPECT_EQ(w->GetButton(4), nullptr);
    // The e-mail rule, and the viewers made ready in test mode by their buttons.
    EXPECT_EQ(mail->GetTargetFilename(), "mailto:sales@example.com");
    EXPECT_EQ(shouting->GetTargetFilename(), "MAILTO:Sales@Example.com");
    EXPECT_TRUE(notes->GetTestMode());
    EXPECT_NE(std::string(notes->GetLog().c_str()).find("** Target #"), std::string::npos) << "Init ran";
    // The text box from 50, 150 to width - widest - 100, height - 50, with the menu's text.
    HWND text = ::GetDlgItem(w->m_hWnd, CMenuViewerDlg::TextBoxId);
    ASSERT_NE(text, nullptr);
    RECT t;
    ::GetWindowRect(text, &t);
    ::MapWindowPoints(nullptr, w->m_hWnd, reinterpret_cast<POINT*>(&t), 2);
    EXPECT_EQ(t.left, 50);
    EXPECT_EQ(t.top, 150);
    EXPECT_EQ(t.right, 640 - widest - 100);
    EXPECT_EQ(t.bottom, 430);
    EXPECT_EQ(w->TextBox().GetText(), "<b>Welcome</b> to the menu");

    // Closed before it was shown: the window and its buttons' windows go, their objects stay
    // until the window object goes, no handle is left to a dead object; no launch-once mark.
    const HWND first = w->m_hWnd, firstButton = w->GetButton(0)->m_hWnd;
    ::SendMessageA(first, WM_CLOSE, 0, 0);
    EXPECT_FALSE(m->IsAlive());
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_FALSE(::IsWindow(firstButton));
    EXPECT_EQ(CWnd::FromHandlePermanent(firstButton), nullptr);
    EXPECT_EQ(w->GetButton(0)->m_hWnd, nullptr);
    DWORD mark = 0;
    EXPECT_FALSE(CRegistryKey(HKEY_CURRENT_USER).QueryDword((std::string("Software\\Corvex Software\\") + kProject).c_str(),
                                                            "0T", mark));
    // Launched and closed again and again, hidden: no window, GDI or USER object is kept.
    const DWORD gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 4; ++i) {
        m->Launch();
        ASSERT_NE(m->GetWindow(), nullptr);
        ::SendMessageA(m->GetWindow()->m_hWnd, WM_CLOSE, 0, 0);
    }
    if (gdi)
        EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
    if (user)
        EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), user + 2);

    // A new window, shown: centred, 640 x (480 + the caption), caption, title and icon.
    m->Launch();
    ASSERT_TRUE(m->IsAlive());
    w = m->GetWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_NE(w->m_hWnd, first);
    m->Show();
    ASSERT_TRUE(PumpUntil([&] { return w->IsBackgroundReady(); }, 3000));
    Pump(400);
    const int height = 480 + ::GetSystemMetrics(SM_CYCAPTION);
    RECT r;
    ::GetWindowRect(w->m_hWnd, &r);
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, height);
    EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXSCREEN) - 640) / 2);
    EXPECT_EQ(r.top, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    const LONG style = ::GetWindowLongA(w->m_hWnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    char title[64] = {};
    ::GetWindowTextA(w->m_hWnd, title, sizeof title);
    EXPECT_STREQ(title, "Velmora Menu");
    EXPECT_NE(::SendMessageA(w->m_hWnd, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_TRUE(w->HasPicture());

    // On the screen: the picture (40 x 30, red) at the drawing area's top-left, the colour
    // around it, the column of buttons at its x, the text box.
    const Screenshot shot = TakeScreenshot("menu_window");
    ASSERT_GT(shot.width, 0) << "no screenshot";
    POINT o = { 0, 0 };
    ::ClientToScreen(w->m_hWnd, &o);
    EXPECT_EQ(shot.Pixel(o.x + 2, o.y + 2), RGB(255, 0, 0)) << "the picture's top-left";
    EXPECT_EQ(shot.Pixel(o.x + 37, o.y + 27), RGB(255, 0, 0));
    EXPECT_EQ(shot.Pixel(o.x + 45, o.y + 10), RGB(0, 0, 128)) << "the colour right of it";
    EXPECT_EQ(shot.Pixel(o.x + 10, o.y + 40), RGB(0, 0, 128)) << "and under it";
    EXPECT_EQ(shot.Pixel(o.x + 300, o.y + 100), RGB(0, 0, 128));
    for (int i = 0; i < 4; ++i) {
        RECT b;
        ::GetWindowRect(w->GetButton(i)->m_hWnd, &b);
        EXPECT_EQ(b.left - o.x, 640 - widest - 50) << i;
        EXPECT_EQ(shot.Pixel(b.left - 2, b.top + 12), RGB(0, 0, 128)) << "left of button " << i;
        EXPECT_NE(shot.Pixel(b.left + 4, b.top + 4), RGB(0, 0, 128)) << "button " << i << " drawn";
    }
    HWND box = ::GetDlgItem(w->m_hWnd, CMenuViewerDlg::TextBoxId);
    ::GetWindowRect(box, &t);
    EXPECT_EQ(t.left - o.x, 50);
    EXPECT_EQ(t.top - o.y, 150);
    EXPECT_EQ(shot.Pixel((t.left + t.right) / 2, t.bottom - 8), w->TextBox().BackgroundColor()) << "the text box";
    EXPECT_EQ(shot.Pixel(t.left - 3, (t.top + t.bottom) / 2), RGB(0, 0, 128));

    // Exit ends the menu and writes the launch-once mark: the next Launch does nothing.
    Click(w->GetButton(3));
    EXPECT_FALSE(m->IsAlive());
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_TRUE(CRegistryKey(HKEY_CURRENT_USER).QueryDword((std::string("Software\\Corvex Software\\") + kProject).c_str(),
                                                           "0T", mark));
    EXPECT_EQ(mark, 1u);
    Pump(200);
    m->Launch();
    m->Show();
    EXPECT_FALSE(m->IsAlive());
    EXPECT_TRUE(m->GetLaunchedBefore());
}

TEST_F(MenuWindow, AWindowThatCannotBeMadeLeavesTheMenuNotAlive)
{
    auto m = NewMenu();
    m->AddMenuButton("Exit", 0, MenuActionExit, nullptr);
    m->Init();
    {
        RefuseDialogs refuse;
        ASSERT_TRUE(refuse.Installed());
        m->Launch();
    }
    EXPECT_FALSE(m->IsAlive());
    EXPECT_EQ(m->GetWindow(), nullptr);
    m->Show();
    EXPECT_NE(std::string(m->GetLog().c_str()).find("Menu window could not be created"), std::string::npos);
    // A picture that cannot be decoded leaves the plain colour.
    ::CopyFileA((kFixtures + "\\broken.png").c_str(), (folder_ + "\\broken.png").c_str(), FALSE);
    m->SetMenuBackgroundImage("broken.png");
    m->SetShowMenuBackgroundColor(1);
    m->SetMenuBackgroundColor(RGB(0, 128, 0));
    m->SetShowMenuTitleBar(0);
    m->SetMenuWidth(200);
    m->SetMenuHeight(150);
    m->Launch();
    ASSERT_NE(m->GetWindow(), nullptr);
    CMenuViewerDlg* w = m->GetWindow();
    m->Show();
    ASSERT_TRUE(PumpUntil([&] { return w->IsBackgroundReady(); }, 3000));
    Pump(300);
    EXPECT_FALSE(w->HasPicture());
    HDC dc = ::GetDC(w->m_hWnd);
    EXPECT_EQ(::GetPixel(dc, 3, 3), RGB(0, 128, 0));
    EXPECT_EQ(::GetPixel(dc, 100, 100), RGB(0, 128, 0));
    ::ReleaseDC(w->m_hWnd, dc);
    // The viewer goes while its window is up: the window never calls it again.
    const HWND window = w->m_hWnd;
    m.reset();
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(MenuWindow, ClicksStartTheButtonsViewersOfEveryKindAgainAndAgain)
{
    StandInRegistration browser(ProgramFolder());
    StandInControlRegistration controls;
    controls.Register(StandInControlRegistration::Newer, ProgramFolder() + "\\velmora_standin9.dll");
    controls.Register(StandInControlRegistration::Older, ProgramFolder() + "\\velmora_standin9.dll");
    controls.Register(StandInControlRegistration::Flash, ProgramFolder() + "\\velmora_standin9.dll");
    char desktop[MAX_PATH] = "";
    ::SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop);
    const std::string unpacked = std::string(desktop) + "\\VelmoraMenuZip";
    RemoveTree(unpacked);
    for (DWORD id : ProcessesNamed("notepad.exe"))
        EndProcess(id);

    CFileViewer* file = Nested<CFileViewer>(CViewer::TypeFile, "note.vlmmenu");
    CFolderViewer* folder = Nested<CFolderViewer>(CViewer::TypeFolder, (folder_ + "\\MenuPictures").c_str());
    CWebViewer* web = Nested<CWebViewer>(CViewer::TypeWeb, "page.html");
    WriteText(folder_ + "\\page.html", "<html><body>Menu</body></html>");
    CSlideShowViewer* show = Nested<CSlideShowViewer>(CViewer::TypeSlideShow, "red.bmp");
    show->AddSlide("red.bmp");
    show->AddSlide("blue.png");
    show->SetCustomSlideShowWidth(200);
    show->SetCustomSlideShowHeight(150);
    show->SetLoopSlideShow(1);
    CZipViewer* zip = Nested<CZipViewer>(CViewer::TypeZip, "app.zip");
    zip->SetExtractLocation(1);
    zip->SetExtractFolder("VelmoraMenuZip");
    CMediaViewer* media = Nested<CMediaViewer>(CViewer::TypeMedia, "clip.vmedia");
    media->SetTitleBar(0);
    CFlashViewer* flash = Nested<CFlashViewer>(CViewer::TypeFlash, "movie.vflash");
    flash->SetCustomFlashWidth(200);
    flash->SetCustomFlashHeight(150);

    auto m = NewMenu();
    m->SetShowMenuTitleBar(0);
    m->SetMenuWidth(300);
    m->SetMenuHeight(700);
    const struct {
        const char* caption;
        int action;
        CViewer* viewer;
    } buttons[] = { { "File", MenuActionFile, file }, { "Folder", MenuActionFolder, folder },
                    { "Web", MenuActionWeb, web },    { "Slides", MenuActionSlideShow, show },
                    { "Zip", MenuActionFile, zip },   { "Media", MenuActionFile, media },
                    { "Flash", MenuActionFile, flash } };
    for (const auto& b : buttons)
        m->AddMenuButton(b.caption, 1, b.action, b.viewer);
    m->Init();
    m->Launch();
    m->Show();
    CMenuViewerDlg* w = m->GetWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(::IsWindowVisible(w->m_hWnd));

    std::vector<DWORD> notepads;
    HWND browserWindow = nullptr;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first clicks" : "second clicks");
        // A file: a notepad of its own each time.
        Click(w->GetButton(0));
        ASSERT_TRUE(PumpUntil([&] { return ProcessesNamed("notepad.exe").size() > notepads.size(); }, 15000));
        notepads = ProcessesNamed("notepad.exe");
        EXPECT_NE(file->GetTargetProcess().ProcessID, 0u);

        // A folder: the shell opens it (its window's title is Wine's business).
        const std::string folderLog = folder->GetLog().c_str();
        Click(w->GetButton(1));
        PumpUntil([&] { return std::string(folder->GetLog().c_str()).size() > folderLog.size(); }, 6000);
        Pump(300);
        EXPECT_TRUE(folder->IsAlive() || folder->GetTargetProcess().hWnd == nullptr);

        // A web page in the stand-in browser.
        Click(w->GetButton(2));
        ASSERT_TRUE(PumpUntil([&] {
            browserWindow = ::FindWindowA(STANDIN_WINDOW_CLASS, nullptr);
            return browserWindow && ::IsWindowVisible(browserWindow);
        }, 15000));
        browser.Track(browserWindow);
        EXPECT_NE(std::string(web->GetLog().c_str()).find("Navigate"), std::string::npos) << web->GetLog().c_str();

        // A slideshow in its window.
        // The window of the first click is replaced; the new one may well get the old one's
        // memory, so it is told by its handle.
        const HWND before = show->GetWindow() ? show->GetWindow()->m_hWnd : nullptr;
        Click(w->GetButton(3));
        ASSERT_TRUE(PumpUntil([&] {
            return show->GetWindow() && show->GetWindow()->m_hWnd && show->GetWindow()->m_hWnd != before && show->IsAlive();
        }, 5000));
        EXPECT_TRUE(::IsWindowVisible(show->GetWindow()->m_hWnd));

        // A zip archive: its dialog comes up; unpacked the first time, cancelled the second.
        Script script;
        if (round == 0)
            script.steps = {
                [] { HWND d = FindExtractor(); if (d) Press(d, IDC_ZIP_INSTALL); return d != nullptr; },
                [] { HWND d = FindExtractor(); if (!d || ControlText(d, IDOK) != "Close") return false;
                     Press(d, IDOK); return true; },
            };
        else
            script.steps = { [] { HWND d = FindExtractor(); if (d) Press(d, IDOK); return d != nullptr; } };
        Script::running = &script;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 150, &Script::Tick);
        Click(w->GetButton(4));
        PumpUntil([&] { return script.Done() && !FindExtractor(); }, 20000);
        ::KillTimer(nullptr, timer);
        Script::running = nullptr;
        EXPECT_TRUE(script.Done()) << "the extractor came up";
        if (round == 0)
            EXPECT_FALSE(ReadWholeFile(unpacked + "\\app\\readme.vlmzip").empty());

        // Media and Flash in the stand-in controls' windows.
        Click(w->GetButton(5));
        ASSERT_TRUE(PumpUntil([&] { return media->IsAlive() && media->GetWindow(); }, 5000));
        EXPECT_TRUE(::IsWindowVisible(media->GetWindow()->m_hWnd));
        Click(w->GetButton(6));
        ASSERT_TRUE(PumpUntil([&] { return flash->IsAlive() && flash->GetWindow(); }, 8000)) << flash->GetLog().c_str();
        EXPECT_TRUE(::IsWindowVisible(flash->GetWindow()->m_hWnd));
        // Both end with their (short) files.
        EXPECT_TRUE(PumpUntil([&] { return !media->IsAlive() && !flash->IsAlive(); }, 8000));
    }
    EXPECT_EQ(notepads.size(), 2u) << "one notepad a click";
    EXPECT_TRUE(m->IsAlive()) << "the menu stays up";

    // The close box ends the menu; what its buttons started keeps running.
    ::SendMessageA(w->m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !m->IsAlive(); }, 3000));
    EXPECT_TRUE(show->IsAlive());
    EXPECT_EQ(ProcessesNamed("notepad.exe").size(), 2u);
    m.reset();
    EXPECT_TRUE(show->IsAlive()) << "also when the menu viewer is gone";

    ::PostMessageA(show->GetWindow()->m_hWnd, WM_CLOSE, 0, 0);
    PumpUntil([&] { return !show->IsAlive(); }, 3000);
    for (DWORD id : ProcessesNamed("notepad.exe"))
        EndProcess(id);
    ::EnumWindows(CloseFolderWindows, 0);
    StandInRegistration::EndProcessOf(browserWindow);
    RemoveTree(unpacked);
}

}
