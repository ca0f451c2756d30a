// Files a project uses live in its CD-ROM base folder and are stored relative to it. This
// decides whether a chosen path lies in the base folder and gives the stored name.
//
//   CString stored;
//   if (RelativeToBaseFolder("C:\\CD", "c:\\cd\\Setup\\setup.exe", stored))  // stored: "Setup\\setup.exe"
//
// A path counts as inside only when it begins with the base folder followed by a separator,
// compared ignoring case ("C:\\CD2\\setup.exe" is outside "C:\\CD"); a base folder given with
// a trailing separator, a drive root ("E:\\") among them, is the same folder. The stored name
// is the rest of the path without its leading separators, and is never empty. An empty base
// folder has nothing inside it.
#pragma once
#include "CString.h"

bool RelativeToBaseFolder(const CString& baseFolder, const CString& path, CString& relative);

// The base folder itself or a folder inside it (the folder a browser rooted there may hand
// back), compared as above.
bool IsInBaseFolder(const CString& baseFolder, const CString& folder);
