// Making the viewer of a target: the class of a type code (0 File, 1 Folder, 2 Web, 3 Zip,
// 4 Media, 5 Flash, 6 SlideShow, 7 Menu; every other code gives a File viewer), and binding it
// to the program (or menu) that owns it, in the one order every owner uses.
#pragma once
#include "CViewer.h"

VIEWERS_API CViewer* NewViewerOfType(int type);

// A new viewer of the type made ready for its record: its window as a child of owner with
// the target's index as control id (where windows exist), owner, type, the index as its
// target number, temporary path, program directory and project key.
VIEWERS_API CViewer* PrepareViewer(int type, CViewerWindow* owner, int index, const CString& tempPath,
                                   const CString& programDirectory, const CString& projectKey);

// The class of a menu button's stored viewer: the kinds a button opens, 1 to 6; every other
// code, 0 and 7 among them, is a File viewer (a menu holds no menu).
VIEWERS_API int ButtonViewerType(int code);

// A new viewer of the type for slot of a menu's buttons, ready for its record: its window a
// child of the menu's with the slot as control id, the menu as owner, its type, and the
// menu's temporary path, program directory and project key.
VIEWERS_API CViewer* PrepareButtonViewer(int type, CViewer& menu, int slot);

// Binds a new viewer of the type: its window as a child of owner with the target's index
// as control id (where windows exist), owner, type, the index as its target number,
// temporary path, program directory and project key; then its record is read from file
// (unless null) and Init runs. The caller owns the result.
VIEWERS_API CViewer* BindViewer(int type, CViewerWindow* owner, int index, const CString& tempPath,
                                const CString& programDirectory, const CString& projectKey, CFileReadWrite* file,
                                int major, int minor, int build);
