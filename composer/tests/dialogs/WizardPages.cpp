#include "WizardPages.h"

#include "CWizardFolder.h"
#include "DialogDriver.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

HWND PageOf(HWND wizard, int id)
{
    HWND page = ShownPage(wizard);
    if (!page || !::GetDlgItem(page, id)) {
        ADD_FAILURE() << "no control " << id << " on the page shown";
        return nullptr;
    }
    return page;
}

}  // namespace

void ExpectPagesHoldTheirTexts(HWND wizard, HWND except)
{
    std::vector<HWND> pages;
    for (HWND child = ::GetWindow(wizard, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (IsDialogWindow(child))
            pages.push_back(child);
    EXPECT_FALSE(pages.empty());
    // The label's look: the default GUI font in bold, 15 pixels high, 6 pixels inside.
    LOGFONTA look = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof look, &look);
    look.lfWeight = FW_BOLD;
    look.lfHeight = 15;
    HFONT font = ::CreateFontIndirectA(&look);
    for (HWND page : pages) {
        if (page == except)
            continue;
        RECT inside;
        ::GetClientRect(page, &inside);
        HWND label = ::GetDlgItem(page, IDC_WZ_LABEL);
        ASSERT_NE(label, nullptr);
        const std::string text = Text(page, IDC_WZ_LABEL);
        RECT box;
        ::GetClientRect(label, &box);
        RECT needed = {0, 0, box.right - 12, 0};
        HDC dc = ::GetDC(label);
        HGDIOBJ old = ::SelectObject(dc, font);
        ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &needed, DT_WORDBREAK | DT_CALCRECT);
        ::SelectObject(dc, old);
        ::ReleaseDC(label, dc);
        EXPECT_LE(needed.bottom, box.bottom - 12) << "the text is cut: " << text.substr(0, 40);
        for (HWND control = ::GetWindow(page, GW_CHILD); control; control = ::GetWindow(control, GW_HWNDNEXT)) {
            RECT r;
            ::GetWindowRect(control, &r);
            ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_LE(r.bottom, inside.bottom) << "control " << ::GetDlgCtrlID(control) << " below the page of "
                                               << text.substr(0, 40);
        }
    }
    ::DeleteObject(font);
}

void ClickOnPage(HWND wizard, int id)
{
    if (HWND page = PageOf(wizard, id))
        Click(page, id);
}

void SetTextOnPage(HWND wizard, int id, const std::string& text)
{
    if (HWND page = PageOf(wizard, id))
        SetText(page, id, text);
}

std::string TextOnPage(HWND wizard, int id)
{
    HWND page = PageOf(wizard, id);
    return page ? Text(page, id) : std::string();
}

void AnswerFolderBrowser(const std::string& folder)
{
    AnswerDialog("Browse for Folder", [folder](HWND browser) {
        ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        Settle(200);
        PressOk(browser);
    });
}

bool ShellFolderWindowShown(const std::string& caption)
{
    HWND window = nullptr;
    for (int i = 0; i < 100 && !window; ++i) {
        Settle(100);
        window = ::FindWindowA("ExplorerWClass", caption.c_str());
    }
    if (!window)
        return false;
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    for (int i = 0; i < 50 && ::IsWindow(window); ++i)
        Settle(100);
    return true;
}

void RemoveWizardFolders()
{
    const CWizardFolder page;
    const std::string name = static_cast<const char*>(page.m_defaultFolder);
    RemoveTree(name);
    for (int number = 2; number <= CWizardFolder::LastNumber; ++number)
        RemoveTree(name + std::to_string(number));
}
