// One link of the rich-text control: an external link ("<LINK target>") opened by the shell,
// or an internal link ("<INT_LINK number>") that sends a message to the control's parent.
#pragma once
#include "CControlRect.h"
#include "CString.h"
#include "WinTypes.h"

#include <vector>

class CCorvLink {
public:
    enum Type { External = 0, Internal = 1 };

    // A piece of the link's text as the layout drew it.
    struct Fragment {
        int x = 0;
        int y = 0;
        int width = 0;
        CString text;
        DWORD style = 0;
    };

    // The message an internal link sends: its target read as a decimal number, accepted only
    // in the application's own range (WM_USER to 0xBFFF). False for anything else, so a text
    // from a data file cannot send window-management or system messages.
    bool InternalMessage(UINT& message) const;
    bool HitTest(int x, int y) const { return first.Contains(x, y) || second.Contains(x, y); }

    int start = 0;        // offset in the mark-up text just behind the opening tag
    int x = 0;            // pen position at the opening tag
    int y = 0;
    CString text;         // mark-up from start up to the closing tag, tags included
    CString target;
    CControlRect first;      // the part on the starting line
    CControlRect second;     // the lines after it when the link wraps
    bool hot = false;
    Type type = External;
    bool complete = false;
    std::vector<Fragment> fragments;
};
