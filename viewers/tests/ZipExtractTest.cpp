// The Zip target under Wine: the extractor dialog pressed through by window messages, the
// archive's files compared with the files it was made from, links read back by lnkinfo,
// "%dT" read by Wine's reg.exe, and the screen after the installation checked on its pixels.
#include "CRegistryKey.h"
#include "CZipViewer.h"
#include "WineTestTools.h"
#include "MessagePump.h"
#include "ViewersResource.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

const char kProject[] = "VelmoraZipTest";
const char kCaption[] = "Velmora Zip File Extractor";

std::string Fixture(const std::string& name) { return std::string(VELMORA_TEST_SOURCE_DIR) + "\\tests\\fixtures\\zip\\" + name; }
std::string Scratch(const std::string& name) { return std::string(VELMORA_TEST_BINARY_DIR) + "\\zipwine\\" + name; }

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Special(int csidl)
{
    char path[MAX_PATH] = "";
    ::SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
    return path;
}

std::string LnkInfo(const std::string& link) { return LnkInfoReport(link, Scratch("lnkinfo.txt")); }

std::string ControlText(HWND dialog, int id)
{
    char text[512] = "";
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

HWND FindExtractor()
{
    HWND found = nullptr;
    for (HWND w = ::FindWindowA("#32770", kCaption); w; w = ::FindWindowExA(nullptr, w, "#32770", kCaption))
        if (::GetDlgItem(w, IDC_ZIP_INSTALL))
            found = w;
    return found;
}

// A message box of the extractor: same caption, no Install button.
HWND FindMessageBox()
{
    for (HWND w = ::FindWindowA("#32770", kCaption); w; w = ::FindWindowExA(nullptr, w, "#32770", kCaption))
        if (!::GetDlgItem(w, IDC_ZIP_INSTALL) && ::IsWindowVisible(w))
            return w;
    return nullptr;
}

std::string MessageBoxText(HWND box)
{
    char text[1024] = "";
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

void Press(HWND dialog, int id) { ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, id)); }

// Runs steps one per timer tick inside the dialog's modal loop; a step returns false to be
// tried again at the next tick (a window not there yet).
struct Script {
    std::vector<std::function<bool()>> steps;
    size_t next = 0;
    int ticks = 0;
    static Script* running;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        Script* s = running;
        if (!s || s->next >= s->steps.size())
            return;
        ++s->ticks;
        if (s->steps[s->next]())
            ++s->next;
    }
};
Script* Script::running = nullptr;

void RunShow(CZipViewer& viewer, Script& script)
{
    Script::running = &script;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 150, &Script::Tick);
    viewer.Show();
    ::KillTimer(nullptr, timer);
    Script::running = nullptr;
}

class ZipExtract : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRegistryKey(HKEY_CURRENT_USER).Delete((std::string("Software\\Corvex Software\\") + kProject).c_str(), nullptr);
        CRegistryKey(HKEY_CLASSES_ROOT).SetString(".vlmzip", "", "txtfile");
        RemoveTree(Scratch(""));
        ::CreateDirectoryA(Scratch("").c_str(), nullptr);
        desktop_ = Special(CSIDL_DESKTOPDIRECTORY);
        programs_ = Special(CSIDL_PROGRAMS);
        RemoveTree(desktop_ + "\\" + kProject);
        RemoveTree(programs_ + "\\" + kProject);
        ::DeleteFileA((desktop_ + "\\Read me.lnk").c_str());
    }
    void TearDown() override
    {
        CRegistryKey(HKEY_CURRENT_USER).Delete((std::string("Software\\Corvex Software\\") + kProject).c_str(), nullptr);
        CRegistryKey(HKEY_CLASSES_ROOT).Delete(".vlmzip", nullptr);
        RemoveTree(desktop_ + "\\" + kProject);
        RemoveTree(programs_ + "\\" + kProject);
        ::DeleteFileA((desktop_ + "\\Read me.lnk").c_str());
        // What the follow-up opened: the notepad of the started file, the folder's window.
        for (const char* title : { "readme.vlmzip - Notepad", "Notepad - readme.vlmzip" })
            if (HWND w = ::FindWindowA(nullptr, title))
                ::PostMessageA(w, WM_CLOSE, 0, 0);
        if (HWND w = ::FindWindowA(nullptr, (desktop_ + "\\" + kProject).c_str()))
            ::PostMessageA(w, WM_CLOSE, 0, 0);
    }
    void Bind(CZipViewer& viewer, const char* archive, int location = 1)
    {
        viewer.SetTargetNum(3);
        viewer.SetViewerType(3);
        viewer.SetProjectRegistryKey(kProject);
        viewer.SetProgramDirectory(Fixture("").substr(0, Fixture("").size() - 1).c_str());
        viewer.SetTargetFilename(archive);
        viewer.SetExtractLocation(unsigned(location));
        viewer.SetExtractFolder(kProject);
        viewer.Init();
    }
    std::string RegT() { return CaptureOutput(std::string("reg.exe query \"HKCU\\Software\\Corvex Software\\") + kProject + "\" /v 3T"); }

    std::string desktop_, programs_;
};

const char* kFiles[] = { "app\\app.ico", "app\\readme.vlmzip", "app\\docs\\manual.txt", "app\\bin\\tool.vlmzip",
                         "app\\bin\\data.bin" };

TEST_F(ZipExtract, InstallMakesFilesLinksAndMarksThenOpensWhatItShould)
{
    CZipViewer viewer;
    Bind(viewer, "app.zip");
    viewer.SetOpenExtractFolder(1);
    viewer.AddShortcut(1, "app\\readme.vlmzip", 1, "Read me", "app\\app.ico", 1);
    viewer.AddShortcut(2, "app\\bin\\tool.vlmzip", 5, "", "Default Icon", 0);
    viewer.AddShortcut(3, "app\\docs\\manual.txt", 0, "", "", 0);  // location 0: no link
    const std::string destination = desktop_ + "\\" + kProject;
    std::string unexpected, proposed, completeText, closeText, installEnabled;
    int pos = -1, high = -2;
    bool screenOk = false;
    Script script;
    script.steps = {
        [&] {
            HWND d = FindExtractor();
            if (!d)
                return false;
            proposed = ControlText(d, IDC_ZIP_DESTINATION);
            Press(d, IDC_ZIP_INSTALL);
            return true;
        },
        [&] {
            HWND d = FindExtractor();
            if (HWND box = FindMessageBox()) {
                unexpected = MessageBoxText(box);
                ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                ::PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                return true;
            }
            if (!d || ControlText(d, IDOK) != "Close")
                return false;
            completeText = ControlText(d, IDC_ZIP_COMPLETE);
            closeText = ControlText(d, IDOK);
            installEnabled = ::IsWindowEnabled(::GetDlgItem(d, IDC_ZIP_INSTALL)) ? "yes" : "no";
            HWND bar = ::GetDlgItem(d, IDC_ZIP_PROGRESS);
            pos = int(::SendMessageA(bar, PBM_GETPOS, 0, 0));
            high = int(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
            ::RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            // The bar on the screen: its inner right end in the highlight colour, as its left end.
            RECT r;
            ::GetWindowRect(bar, &r);
            HDC screen = ::GetDC(nullptr);
            const COLORREF left = ::GetPixel(screen, r.left + 4, (r.top + r.bottom) / 2);
            const COLORREF right = ::GetPixel(screen, r.right - 5, (r.top + r.bottom) / 2);
            const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
            screenOk = left == right && right != face && right != ::GetSysColor(COLOR_WINDOW);
            // Kept for looking at: the dialog as the screen shows it.
            RECT w;
            ::GetWindowRect(d, &w);
            const int width = w.right - w.left, height = w.bottom - w.top;
            HDC memory = ::CreateCompatibleDC(screen);
            BITMAPINFO info = {};
            info.bmiHeader.biSize = sizeof info.bmiHeader;
            info.bmiHeader.biWidth = width;
            info.bmiHeader.biHeight = height;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 24;
            void* bits = nullptr;
            HBITMAP shot = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            HGDIOBJ old = ::SelectObject(memory, shot);
            ::BitBlt(memory, 0, 0, width, height, screen, w.left, w.top, SRCCOPY);
            ::SelectObject(memory, old);
            const DWORD stride = (DWORD(width) * 3 + 3) & ~3u, size = stride * DWORD(height);
            BITMAPFILEHEADER file = { 0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof info.bmiHeader + size), 0, 0,
                                      DWORD(sizeof(BITMAPFILEHEADER) + sizeof info.bmiHeader) };
            if (FILE* out = std::fopen((std::string(VELMORA_TEST_BINARY_DIR) + "\\zip_extract_done.bmp").c_str(), "wb")) {
                std::fwrite(&file, sizeof file, 1, out);
                std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
                std::fwrite(bits, 1, size, out);
                std::fclose(out);
            }
            ::DeleteObject(shot);
            ::DeleteDC(memory);
            ::ReleaseDC(nullptr, screen);
            Press(d, IDOK);
            return true;
        },
    };
    RunShow(viewer, script);
    ASSERT_EQ(unexpected, "");
    ASSERT_EQ(script.next, script.steps.size()) << "the dialog was not pressed through";
    EXPECT_EQ(proposed, destination);
    EXPECT_EQ(completeText, "Installation Complete  -->");
    EXPECT_EQ(closeText, "Close");
    EXPECT_EQ(installEnabled, "no");
    EXPECT_EQ(pos, high);
    EXPECT_GT(high, 0);
    EXPECT_TRUE(screenOk) << "the progress bar is full on the screen";
    EXPECT_FALSE(viewer.IsAlive());
    for (const char* name : kFiles) {
        const std::string installed = ReadWholeFile(destination + "\\" + name);
        EXPECT_EQ(installed, ReadWholeFile(Fixture(std::string("src\\") + name))) << name;
        EXPECT_EQ(installed, UnzippedEntry(Fixture("app.zip"), name, "", Scratch("unzip.out"))) << name;
    }

    const std::string readme = LnkInfo(desktop_ + "\\Read me.lnk");
    EXPECT_NE(readme.find("Local path"), std::string::npos) << readme;
    EXPECT_NE(readme.find("readme.vlmzip"), std::string::npos) << readme;
    EXPECT_NE(readme.find("Description"), std::string::npos) << readme;
    EXPECT_NE(readme.find("Read me"), std::string::npos) << readme;
    EXPECT_NE(readme.find("Icon location"), std::string::npos) << readme;
    EXPECT_NE(readme.find("app.ico"), std::string::npos) << readme;
    // The program group did not exist: it is made.
    const std::string tool = LnkInfo(programs_ + "\\" + kProject + "\\tool.lnk");
    EXPECT_NE(tool.find("tool.vlmzip"), std::string::npos) << tool;
    EXPECT_EQ(tool.find("Icon location"), std::string::npos) << tool;
    EXPECT_FALSE(Exists("Z:\\manual.lnk"));
    EXPECT_FALSE(Exists("C:\\manual.lnk"));

    EXPECT_NE(RegT().find("0x1"), std::string::npos) << RegT();
    const std::string log = viewer.GetLog().c_str();
    EXPECT_NE(log.find("Zip: folder opened: " + destination), std::string::npos) << log;
    EXPECT_NE(log.find("Zip: file started: app\\readme.vlmzip (started)"), std::string::npos) << log;
    EXPECT_NE(log.find("Zip: no link for app\\docs\\manual.txt"), std::string::npos) << log;
}

TEST_F(ZipExtract, CancelBeforeInstallLeavesNothing)
{
    CZipViewer viewer;
    Bind(viewer, "app.zip");
    viewer.SetExtractFolder("VelmoraZipCancelled");
    viewer.SetOpenExtractFolder(1);
    viewer.AddShortcut(1, "app\\readme.vlmzip", 1, "Read me", "", 1);
    // Browse: cancelled, the proposal stays; chosen, the folder replaces it.
    const std::string chosen = Scratch("");
    std::string proposed, afterCancel, afterChoice, browserTitle;
    auto browser = [] { return ::FindWindowA("#32770", "Browse for Folder"); };
    Script script;
    script.steps = {
        [&] {
            HWND d = FindExtractor();
            if (!d)
                return false;
            proposed = ControlText(d, IDC_ZIP_DESTINATION);
            Press(d, IDC_ZIP_BROWSE);
            return true;
        },
        [&] {
            HWND b = browser();
            if (!b)
                return false;
            char title[256] = "";
            for (HWND c = ::GetWindow(b, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
                char text[256] = "";
                ::GetWindowTextA(c, text, sizeof text);
                if (std::string(text) == "Select your Installation Folder")
                    std::snprintf(title, sizeof title, "%s", text);
            }
            browserTitle = title;
            ::PostMessageA(b, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)::GetDlgItem(b, IDCANCEL));
            return true;
        },
        [&] {
            HWND d = FindExtractor();
            if (!d || browser())
                return false;
            afterCancel = ControlText(d, IDC_ZIP_DESTINATION);
            Press(d, IDC_ZIP_BROWSE);
            return true;
        },
        [&] {
            HWND b = browser();
            if (!b)
                return false;
            ::SendMessageA(b, BFFM_SETSELECTIONA, TRUE, (LPARAM)chosen.c_str());
            ::PostMessageA(b, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(b, IDOK));
            return true;
        },
        [&] {
            HWND d = FindExtractor();
            if (!d || browser())
                return false;
            afterChoice = ControlText(d, IDC_ZIP_DESTINATION);
            Press(d, IDOK);  // "Cancel"
            return true;
        },
    };
    RunShow(viewer, script);
    EXPECT_EQ(script.next, script.steps.size());
    EXPECT_EQ(browserTitle, "Select your Installation Folder");
    EXPECT_EQ(afterCancel, proposed);
    std::string expected = chosen;
    while (!expected.empty() && expected.back() == '\\')
        expected.pop_back();
    EXPECT_EQ(CString(afterChoice.c_str()).CompareNoCase(expected.c_str()), 0) << afterChoice << " / " << expected;
    EXPECT_FALSE(Exists(chosen + "app"));
    EXPECT_FALSE(viewer.IsAlive());
    EXPECT_FALSE(Exists(desktop_ + "\\VelmoraZipCancelled"));
    EXPECT_FALSE(Exists(desktop_ + "\\Read me.lnk"));
    EXPECT_EQ(RegT().find("0x1"), std::string::npos);
    const std::string log = viewer.GetLog().c_str();
    EXPECT_EQ(log.find("Zip: folder opened"), std::string::npos) << log;
    EXPECT_EQ(log.find("Zip: file started"), std::string::npos) << log;
}

// Refusals keep the dialog open: a relative destination, a wrong password, files already
// there that the user will not have replaced; each then succeeds after the change.
TEST_F(ZipExtract, RefusalsKeepTheDialogOpenUntilAnInstallationCompletes)
{
    const std::string destination = Scratch("dest");
    ::CreateDirectoryA(destination.c_str(), nullptr);
    ::CreateDirectoryA((destination + "\\app").c_str(), nullptr);
    FILE* f = std::fopen((destination + "\\app\\readme.vlmzip").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("the user's own file", f);
    std::fclose(f);
    CZipViewer viewer;
    Bind(viewer, "secret.zip");
    viewer.SetZipPassword("wrong");
    std::vector<std::string> boxes;
    std::string stillCancel;
    auto answer = [&](int button) {
        return [&, button] {
            HWND box = FindMessageBox();
            if (!box)
                return false;
            boxes.push_back(MessageBoxText(box));
            ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)::GetDlgItem(box, button));
            return true;
        };
    };
    auto install = [&](const std::string& where) {
        return [&, where] {
            HWND d = FindExtractor();
            if (!d || FindMessageBox())
                return false;
            ::SetDlgItemTextA(d, IDC_ZIP_DESTINATION, where.c_str());
            Press(d, IDC_ZIP_INSTALL);
            return true;
        };
    };
    Script script;
    script.steps = {
        install("relative\\folder"), answer(IDOK),
        install(destination), answer(IDNO),  // files there: No writes nothing
        [&] {
            HWND d = FindExtractor();
            if (!d || FindMessageBox())
                return false;
            stillCancel = ControlText(d, IDOK);
            Press(d, IDOK);
            return true;
        },
    };
    RunShow(viewer, script);
    ASSERT_EQ(script.next, script.steps.size());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].find("full path"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[1].find("replace"), std::string::npos) << boxes[1];
    EXPECT_EQ(stillCancel, "Cancel");
    EXPECT_EQ(ReadWholeFile(destination + "\\app\\readme.vlmzip"), "the user's own file");
    EXPECT_FALSE(Exists("relative"));
    EXPECT_EQ(RegT().find("0x1"), std::string::npos);

    // Yes replaces; a wrong password is an error in a box, the right one then installs.
    CZipViewer again;
    Bind(again, "secret.zip");
    again.SetZipPassword("wrong");
    boxes.clear();
    Script second;
    second.steps = {
        install(destination), answer(IDYES), answer(IDOK),
        [&] {
            HWND d = FindExtractor();
            if (!d || FindMessageBox())
                return false;
            stillCancel = ControlText(d, IDOK);
            Press(d, IDOK);
            return true;
        },
    };
    RunShow(again, second);
    ASSERT_EQ(second.next, second.steps.size());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(stillCancel, "Cancel");
    EXPECT_EQ(ReadWholeFile(destination + "\\app\\readme.vlmzip"), "the user's own file");

    // Installed, then closed by its close box: as done as by "Close" (the launch-once mark, the
    // file to start).
    CZipViewer right;
    Bind(right, "secret.zip");
    right.SetZipPassword("right");
    right.SetLaunchTargetType(1);
    right.AddShortcut(1, "app\\readme.vlmzip", 0, "", "", 1);
    Script third;
    third.steps = {
        install(destination), answer(IDYES),
        [&] {
            HWND d = FindExtractor();
            if (!d || ControlText(d, IDOK) != "Close")
                return false;
            ::PostMessageA(d, WM_CLOSE, 0, 0);
            return true;
        },
    };
    RunShow(right, third);
    ASSERT_EQ(third.next, third.steps.size());
    EXPECT_FALSE(right.IsAlive());
    EXPECT_NE(std::string(right.GetLog().c_str()).find("Zip: file started: app\\readme.vlmzip"), std::string::npos)
        << right.GetLog().c_str();
    CZipViewer afterwards;
    Bind(afterwards, "secret.zip");
    afterwards.SetLaunchTargetType(1);
    Script none;  // launched before: no dialog (one that came would be cancelled)
    none.steps = { [&] {
        HWND d = FindExtractor();
        if (!d)
            return false;
        Press(d, IDOK);
        return true;
    } };
    RunShow(afterwards, none);
    EXPECT_EQ(none.next, 0u) << "the extractor was offered again";
    EXPECT_TRUE(afterwards.GetLaunchedBefore());
    EXPECT_EQ(ReadWholeFile(destination + "\\app\\readme.vlmzip"), ReadWholeFile(Fixture("src\\app\\readme.vlmzip")));
    EXPECT_EQ(ReadWholeFile(destination + "\\app\\readme.vlmzip"),
              UnzippedEntry(Fixture("secret.zip"), "app\\readme.vlmzip", "right", Scratch("unzip.out")));
    EXPECT_NE(RegT().find("0x1"), std::string::npos);
}

}
