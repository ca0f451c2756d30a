#include "CSystemImageList.h"

#include <shellapi.h>

BOOL CSystemImageList::LoadSmall(LPCTSTR lpszPath)
{
    Detach();
    SHFILEINFOA info = {};
    const DWORD_PTR list = ::SHGetFileInfoA(lpszPath, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return list ? Attach(reinterpret_cast<HIMAGELIST>(list)) : FALSE;
}

int CSystemImageList::SmallIconOf(LPCTSTR lpszFileName)
{
    SHFILEINFOA info = {};
    if (!::SHGetFileInfoA(lpszFileName, FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                          SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES))
        return -1;
    return info.iIcon;
}
