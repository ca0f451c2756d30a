// The file-open dialog answered as a person would, from a second thread: its title, its
// filter, its starting folder, and the chosen name as the program gets it back.
#include "CColorDialog.h"
#include "CFileDialog.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

struct Answer {
    std::string title;
    std::string name;         // typed into the name field
    std::string filterShown;  // the first filter, as the dialog lists it
    bool answered = false;
};

BOOL CALLBACK FindByTitle(HWND window, LPARAM parameter)
{
    auto& found = *reinterpret_cast<std::pair<const char*, HWND>*>(parameter);
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    if (::IsWindowVisible(window) && found.first == std::string(text)) {
        found.second = window;
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI AnswerDialog(void* parameter)
{
    Answer& answer = *static_cast<Answer*>(parameter);
    std::pair<const char*, HWND> found(answer.title.c_str(), nullptr);
    for (int i = 0; i < 200 && !found.second; ++i) {
        ::Sleep(50);
        ::EnumWindows(FindByTitle, reinterpret_cast<LPARAM>(&found));
    }
    if (!found.second)
        return 1;
    char filter[256] = {};
    ::SendDlgItemMessageA(found.second, 0x470, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(filter));
    answer.filterShown = filter;
    HWND name = ::GetDlgItem(found.second, 0x47C);
    if (HWND edit = ::FindWindowExA(name, nullptr, "Edit", nullptr))
        name = edit;
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer.name.c_str()));
    ::PostMessageA(found.second, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(found.second, IDOK)));
    answer.answered = true;
    return 0;
}

TEST(FileDialog, OneFileFromTheStartingFolderWithTheFilterAndTitle)
{
    const std::string folder = std::string(VELMORA_TEST_BINARY_DIR) + "\\filedialog";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string file = folder + "\\velmora.dat";
    if (FILE* f = std::fopen(file.c_str(), "wb"))
        std::fclose(f);

    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST,
                       "Velmora DAT Files (velmora.dat)|velmora.dat||");
    dialog.m_ofn.lpstrTitle = "Select your Velmora DAT file";
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    dialog.SetBufferSize(65535);
    Answer answer;
    answer.title = "Select your Velmora DAT file";
    answer.name = "velmora.dat";  // relative: found in the starting folder
    HANDLE thread = ::CreateThread(nullptr, 0, AnswerDialog, &answer, 0, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ::WaitForSingleObject(thread, 15000);
    ::CloseHandle(thread);
    ASSERT_TRUE(answer.answered);
    EXPECT_EQ(answer.filterShown, "Velmora DAT Files (velmora.dat)");
    EXPECT_EQ(dialog.m_ofn.nMaxFile, 65535u);
    EXPECT_EQ(lstrcmpiA(dialog.GetPathName(), file.c_str()), 0) << dialog.GetPathName().c_str();
    EXPECT_EQ(dialog.GetFileName(), "velmora.dat");
    EXPECT_EQ(dialog.GetFileExt(), "dat");
}

}  // namespace

namespace {

DWORD WINAPI AnswerColour(void* parameter)
{
    auto& answer = *static_cast<std::pair<COLORREF, bool>*>(parameter);
    std::pair<const char*, HWND> found("Color", nullptr);
    for (int i = 0; i < 200 && !found.second; ++i) {
        ::Sleep(50);
        ::EnumWindows(FindByTitle, reinterpret_cast<LPARAM>(&found));
    }
    if (!found.second)
        return 1;
    if (answer.second) {
        ::SetDlgItemInt(found.second, 706, GetRValue(answer.first), FALSE);
        ::SetDlgItemInt(found.second, 707, GetGValue(answer.first), FALSE);
        ::SetDlgItemInt(found.second, 708, GetBValue(answer.first), FALSE);
    }
    const int button = answer.second ? IDOK : IDCANCEL;
    ::PostMessageA(found.second, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(found.second, button)));
    return 0;
}

TEST(FileDialog, SeveralFilesComeBackAsFullPaths)
{
    const std::string folder = std::string(VELMORA_TEST_BINARY_DIR) + "\\filedialog_several";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ::CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
    for (const char* name : {"\\a.bmp", "\\sub\\b.bmp"})
        if (FILE* f = std::fopen((folder + name).c_str(), "wb"))
            std::fclose(f);

    struct Run {
        const char* typed;
        std::vector<std::string> paths;
    } runs[] = {
        {"\"a.bmp\" \"sub\\b.bmp\"", {folder + "\\a.bmp", folder + "\\sub\\b.bmp"}},
        {"a.bmp", {folder + "\\a.bmp"}},
    };
    for (const Run& run : runs) {
        CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT, "Pictures|*.bmp||");
        dialog.m_ofn.lpstrTitle = "Select your pictures";
        dialog.m_ofn.lpstrInitialDir = folder.c_str();
        dialog.SetBufferSize(65535);
        Answer answer;
        answer.title = "Select your pictures";
        answer.name = run.typed;
        HANDLE thread = ::CreateThread(nullptr, 0, AnswerDialog, &answer, 0, nullptr);
        EXPECT_EQ(dialog.DoModal(), IDOK);
        ::WaitForSingleObject(thread, 15000);
        ::CloseHandle(thread);
        const std::vector<CString> paths = dialog.GetPathNames();
        ASSERT_EQ(paths.size(), run.paths.size()) << run.typed;
        for (size_t i = 0; i < paths.size(); ++i)
            EXPECT_EQ(lstrcmpiA(paths[i], run.paths[i].c_str()), 0) << paths[i].c_str();
    }
}

TEST(ColorDialog, OkGivesTheColourTypedCancelKeepsTheOldOne)
{
    const COLORREF old = RGB(10, 20, 30);
    for (bool ok : {true, false}) {
        CColorDialog dialog(old, CC_FULLOPEN | CC_RGBINIT);
        std::pair<COLORREF, bool> answer(RGB(200, 100, 50), ok);
        HANDLE thread = ::CreateThread(nullptr, 0, AnswerColour, &answer, 0, nullptr);
        EXPECT_EQ(dialog.DoModal(), ok ? IDOK : IDCANCEL);
        ::WaitForSingleObject(thread, 15000);
        ::CloseHandle(thread);
        EXPECT_EQ(dialog.GetColor(), ok ? RGB(200, 100, 50) : old);
    }
}

}  // namespace
