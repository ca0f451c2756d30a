// Making the viewer of a target: the class of a type code (0 File, 1 Folder, 4 Media, 5 Flash;
// every code not known here gives a File viewer), and binding it to the program that owns it, in the one
// order every program uses.
#pragma once
#include "CViewer.h"

VIEWERS_API CViewer* NewViewerOfType(int type);

// A new viewer of the type made ready for its record: its window as a child of owner with
// the target's index as control id (where windows exist), owner, type, the index as its
// target number, temporary path, program directory and project key.
VIEWERS_API CViewer* PrepareViewer(int type, CViewerWindow* owner, int index, const CString& tempPath,
                                   const CString& programDirectory, const CString& projectKey);

// Binds a new viewer of the type: its window as a child of owner with the target's index
// as control id (where windows exist), owner, type, the index as its target number,
// temporary path, program directory and project key; then its record is read from file
// (unless null) and Init runs. The caller owns the result.
VIEWERS_API CViewer* BindViewer(int type, CViewerWindow* owner, int index, const CString& tempPath,
                                const CString& programDirectory, const CString& projectKey, CFileReadWrite* file,
                                int major, int minor, int build);
