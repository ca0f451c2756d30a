#include "BaseFolderMarker.h"

namespace {

CString WithoutTrailingBackslashes(CString s)
{
    s.TrimRight('\\');
    return s;
}

// Length of the leading folder prefix matched in path, or -1.
int LeadingFolder(const CString& path, const CString& folder, bool ignoreCase)
{
    const int n = folder.GetLength();
    if (n == 0 || path.GetLength() < n)
        return -1;
    const CString head = path.Left(n);
    if (ignoreCase ? head.CompareNoCase(folder) != 0 : head.Compare(folder) != 0)
        return -1;
    if (path.GetLength() > n && path[n] != '\\')
        return -1;
    return n;
}

}

CString ReplaceBaseFolderWithMarker(const CString& path, const CString& baseFolder)
{
    const CString base = WithoutTrailingBackslashes(baseFolder);
    const CString p = WithoutTrailingBackslashes(path);
    const int n = LeadingFolder(p, base, true);
    if (n < 0)
        return path;
    return CString(BASE_FOLDER_MARKER) + p.Mid(n);
}

CString ReplaceMarkerWithBaseFolder(const CString& path, const CString& baseFolder)
{
    const int n = LeadingFolder(path, BASE_FOLDER_MARKER, false);
    if (n < 0)
        return path;
    return WithoutTrailingBackslashes(baseFolder) + path.Mid(n);
}
