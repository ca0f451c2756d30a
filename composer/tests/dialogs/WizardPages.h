// The wizard's controls as a person meets them: each page is a child dialog of the wizard,
// so a page's control is found on the one page shown, never by the wizard's own ids (the
// Folder page's create button has the id of the wizard's Cancel).
#pragma once
#include "ShownPage.h"

#include <string>

// Click, text and state of a control of the shown page, through the driver's own calls.
void ClickOnPage(HWND wizard, int id);
void SetTextOnPage(HWND wizard, int id, const std::string& text);
std::string TextOnPage(HWND wizard, int id);
// Every page of the wizard (shown or not) but one holds its label's whole text, in the
// label's bold look, and all its controls inside the page.
void ExpectPagesHoldTheirTexts(HWND wizard, HWND except);
// The folder browser (top-level, "Browse for Folder") answered at the next click: the
// folder selected, then OK.
void AnswerFolderBrowser(const std::string& folder);
// The shell's folder window with this caption (the folder's own name) appears within a few
// seconds; it is closed again.
bool ShellFolderWindowShown(const std::string& caption);
// The C:\CD_Project folders the wizard's create button makes, gone.
void RemoveWizardFolders();
