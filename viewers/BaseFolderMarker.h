// Stored paths name the CD-ROM base folder by a marker, so a folder below it is found again
// wherever the CD is played from. Only a leading base folder counts (the whole path, or the
// base folder followed by a backslash), compared ignoring case, trailing backslashes aside.
#pragma once
#include "CString.h"
#include "ViewersExport.h"

#define BASE_FOLDER_MARKER "B@5e_F01der"

VIEWERS_API CString ReplaceBaseFolderWithMarker(const CString& path, const CString& baseFolder);
VIEWERS_API CString ReplaceMarkerWithBaseFolder(const CString& path, const CString& baseFolder);
