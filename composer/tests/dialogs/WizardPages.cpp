#include "WizardPages.h"

#include "CWizardFolder.h"
#include "DialogDriver.h"

#include <shlobj.h>

#include <gtest/gtest.h>

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
        ::PostMessageA(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
}

void RemoveWizardFolders()
{
    const CWizardFolder page;
    const std::string name = static_cast<const char*>(page.m_defaultFolder);
    RemoveTree(name);
    for (int number = 2; number <= CWizardFolder::LastNumber; ++number)
        RemoveTree(name + std::to_string(number));
}
