// The file-open dialog answered as a person would, from a second thread: its title, its
// filter, its starting folder, and the chosen name as the program gets it back.
#include "CFileDialog.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

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
