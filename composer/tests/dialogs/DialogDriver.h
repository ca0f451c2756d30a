// Drives the program's dialogs inside the test program, as a person at the screen would.
//
//   CViewerSettingsDlg dlg;
//   dlg.m_targetFilename = "readme.txt";
//   const INT_PTR result = RunDialog(dlg, "Viewer Settings for readme.txt", [&](HWND w) {
//       Click(w, IDC_TRY_AND_FORCE);                 // a check box toggles, then BN_CLICKED
//       SetText(w, IDC_FORCE_PROGRAM_1, "notepad.exe");  // text, then EN_CHANGE
//       Select(w, IDC_WINDOW_STATE, 1);              // CB_SETCURSEL, then CBN_SELCHANGE
//       AnswerFileDialog("Select your Failsafe Program", "C:\\CD\\setup.exe");
//       Click(w, IDC_BROWSE_FAILSAFE);               // the real file dialog opens and is answered
//       Click(w, IDOK);
//   });
//
// RunDialog runs the dialog modally, as its opener does. A thread timer (one without a
// window; it fires inside the framework's modal loop and inside the common dialogs') finds
// the dialog among this thread's windows by its caption and runs the script once. The
// script ends the dialog with OK or Cancel; a dialog still open 30 seconds (or the patience
// given) later is cancelled so that a failing test does not hang. Clicking a disabled control is a test
// failure: a person could not have done it.
//
// AnswerFileDialog and AnswerColorDialog arm an answer for the next common dialog of that
// title: the file dialog's name field (0x47C) takes the name, or several quoted names, and
// OK is pressed (an empty name presses Cancel); the colour dialog ("Color") takes red,
// green and blue in its edits 706, 707 and 708, then OK or Cancel.
#pragma once
#include "Framework.h"

#include <functional>
#include <string>
#include <vector>

// The test program's application: message boxes are recorded, never shown.
class CDialogTestApp : public CWinApp {
public:
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        messageBoxes.push_back(lpszPrompt);
        return IDOK;
    }
    std::vector<std::string> messageBoxes;
};
CDialogTestApp& TestApp();

INT_PTR RunDialog(CDialog& dialog, const std::string& caption, const std::function<void(HWND)>& script,
                  DWORD patience = 30000);
// The same for a dialog that its opener constructs itself (an Edit function).
INT_PTR RunOpener(const std::function<INT_PTR()>& opener, const std::string& caption,
                  const std::function<void(HWND)>& script, DWORD patience = 30000);

void Click(HWND dialog, int id);
void SetText(HWND dialog, int id, const std::string& text);
void Select(HWND dialog, int id, int index);
bool Checked(HWND dialog, int id);
bool Enabled(HWND dialog, int id);
std::string Text(HWND dialog, int id);
int Selection(HWND dialog, int id);
// A list box: an item selected as a click does (LB_SETCURSEL, then LBN_SELCHANGE), the
// selection (-1: none), the number of items and the text of one.
void SelectListItem(HWND dialog, int id, int index);
int ListSelection(HWND dialog, int id);
int ListItemCount(HWND dialog, int id);
std::string ListItemText(HWND dialog, int id, int index);
// Lets the windows paint and timers run for the given time.
void Settle(DWORD ms);

void AnswerFileDialog(const std::string& title, const std::string& name);
void AnswerColorDialog(bool ok, COLORREF colour = 0);
// A dialog of the program opened by the next click (a dialog run from a dialog): the
// script works it and ends it.
void AnswerDialog(const std::string& caption, const std::function<void(HWND)>& script);
// Keys typed into an edit control (or a combo box's edit field), as WM_CHAR.
void Type(HWND control, const std::string& text);
// True when every armed answer was given.
bool AllAnswered();

// The shell's folder browser ("Browse for Folder") answered as a person does: each part of
// the way found below the one before in its tree (the first may lie a few levels down),
// selected, then OK. BrowserWay gives the parts for a folder: Wine shows the Unix file
// system as "/", then the folder's parts below it.
void BrowseTo(HWND browser, const std::vector<std::string>& parts);
std::vector<std::string> BrowserWay(const std::string& folder);
// OK of a dialog pressed as it stands (posted, for a dialog running its own loop).
void PressOk(HWND dialog);
// A command of a drop-down menu button chosen as a person does: the drop-down square
// pressed, then the arrow key pressed position times and Enter.
void ChooseMenuCommand(HWND dialog, UINT button, int position);
// A drop-down menu opened the same way and closed with Escape, nothing chosen.
void DismissMenu(HWND dialog, UINT button);

// The first visible top-level window of this process with this caption, or null.
HWND FindTopLevel(const std::string& caption);

// The screen as it stands (xwd and ImageMagick), and a pixel of a window's client area in
// it, placed through ClientToScreen. CLR_INVALID when there is no screenshot.
struct ScreenGrab;
class CScreen {
public:
    CScreen();
    ~CScreen();
    bool Taken() const;
    COLORREF ClientPixel(HWND window, int x, int y) const;

private:
    ScreenGrab* m_grab;
};
// The colour at the centre of a dialog's control, as the screen shows it now.
COLORREF CentreOf(HWND dialog, int id);

// A scratch CD-ROM base folder below the test's build folder (emptied first) with the test
// target program copied in under the names given; paths without a trailing backslash.
std::string MakeBaseFolder(const std::string& name, const std::vector<std::string>& programs);
// A drive letter of the Wine prefix for a folder (a link in its dosdevices), and away again.
bool MapDrive(char letter, const std::string& folder);
void UnmapDrive(char letter);
// A folder and everything in it gone.
void RemoveTree(const std::string& folder);
void WriteFile(const std::string& path, const std::string& content);
std::string ReadFile(const std::string& path);
