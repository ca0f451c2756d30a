// The settings of a Menu target's window: caption bar and title, size, the text box and its
// text, the background colour and picture. One value, copied whole by SetEqual and read and
// written as the head of the menu viewer's record (its buttons follow it there).
#pragma once
#include "CFileReadWrite.h"
#include "ViewersExport.h"

struct VIEWERS_API CMenuViewerSettings {
    int ShowMenuTitleBar = 1;
    CString MenuTitle = "My Menu";
    int MenuWidth = 640;
    int MenuHeight = 480;  // the drawing area; a caption bar is added on top
    int ShowMenuText = 0;
    CString MenuText = "My Menu Text";
    int ShowMenuBackgroundColor = 0;  // 0: the system's button-face colour
    unsigned long MenuBackgroundColor = 0;
    CString MenuBackgroundImage;  // relative to the program directory; empty for none

    void Write(CFileReadWrite& file) const;
    void Read(CFileReadWrite& file);

    bool operator==(const CMenuViewerSettings& other) const;
    bool operator!=(const CMenuViewerSettings& other) const { return !(*this == other); }
};
