// The decisions of a menu window that need no window: where each button goes and which
// control id it gets, where the text box goes, and the address an e-mail button opens.
#pragma once
#include "CString.h"
#include "ControlWindowLayout.h"
#include "ViewersExport.h"

#include <vector>

enum MenuAction { MenuActionNone = -1, MenuActionFile = 0, MenuActionFolder = 1, MenuActionWeb = 2,
                  MenuActionSlideShow = 3, MenuActionExit = 4, MenuActionMail = 5 };

// Whether a button of this action carries a viewer of its own (every action but none and Exit).
inline bool MenuActionHasViewer(int action) { return action >= 0 && action != MenuActionExit; }

struct MenuButtonPlace {
    int id = 0;  // 1 (the dialog's OK) for Exit, else 1024 + the slot
    LayoutRect rect;
};

struct MenuLayout {
    enum { ButtonHeight = 25, MinimumWidth = 75, MaximumStep = 70, FirstTop = 50, ExitFromBottom = 75,
           FirstButtonId = 1024, ExitId = 1 };
    int widest = 0;  // the buttons' common width; 0 without buttons
    int step = 0;    // from one button's top to the next
    std::vector<MenuButtonPlace> buttons;
    LayoutRect textBox;
};

// The column of buttons at the right of a drawing area of width x height, one per action,
// as wide as the widest caption (captionWidths, measured) but at least 75 pixels; the text
// box to their left. Nothing is cut: buttons may overlap or stand at negative x.
VIEWERS_API MenuLayout LayOutMenu(int width, int height, const std::vector<int>& captionWidths,
                                  const std::vector<int>& actions);

// Where Show puts the window: the drawing area's width, its height plus the caption's when
// the menu has a caption bar, centred on the screen (halves truncated toward zero).
VIEWERS_API LayoutRect MenuWindowRect(int width, int height, bool titleBar, int captionHeight, int screenWidth,
                                      int screenHeight);

// The address an e-mail button opens: "mailto:" put in front unless it begins so already (in
// any case of letters).
VIEWERS_API CString MenuMailTarget(const CString& target);
