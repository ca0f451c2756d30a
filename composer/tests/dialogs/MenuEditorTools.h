// What the menu editor's tests share: the items of its action list, a new button made as
// an author makes one, and the buttons a menu should end with, checked one by one.
#pragma once
#include "CMenuViewer.h"

#include <windows.h>

#include <string>
#include <vector>

// The list item of each action, in the editor's list order.
enum { ItemFile, ItemFolder, ItemWeb, ItemSlideShow, ItemMail, ItemExit };

// Create, the caption typed, the action chosen.
void NewMenuButton(HWND editor, const char* caption, int item);

struct ExpectedButton {
    const char* caption;
    int action;
    int type;  // the viewer's type; -1 for no viewer
    std::string target;
};
void ExpectMenuButtons(const CMenuViewer& menu, const std::vector<ExpectedButton>& expected);
