// Which kind of viewer shows a target, from the path or keyword chosen for it: web pages and
// addresses, archives, media, Flash movies, the "slideshow" and "menu" keywords, and every
// other file through its own program. The left Shift key held makes any choice a File
// target, so that a page or a video can be opened by the program Windows has for it.
//
//   ChooseViewerForTarget("docs\\intro.HTM", false)  // CViewer::TypeWeb
//   ChooseViewerForTarget("clip.avi", true)          // CViewer::TypeFile
//
// The extension rules look anywhere after the first character, not only at the end:
// "notes.html.txt" is a Web target, "old.zip.bak" a Zip target. Case does not matter.
#pragma once
#include "CString.h"

int ChooseViewerForTarget(const CString& target, bool leftShiftDown);

