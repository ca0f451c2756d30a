#include "ZipShellFolders.h"

#include "CRegistryKey.h"

#include <windows.h>
#include <shlobj.h>

CString ReadSpecialFolder(int csidl)
{
    LPITEMIDLIST items = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items)
        return CString();
    char path[MAX_PATH] = "";
    const BOOL ok = ::SHGetPathFromIDListA(items, path);
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(::SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(items);
        allocator->Release();
    }
    return ok ? CString(path) : CString();
}

ZipSystemFolders ReadZipSystemFolders()
{
    ZipSystemFolders folders;
    CRegistryKey(HKEY_LOCAL_MACHINE)
        .QueryString("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", folders.programFiles);
    folders.desktop = ReadSpecialFolder(CSIDL_DESKTOPDIRECTORY);
    folders.documents = ReadSpecialFolder(CSIDL_PERSONAL);
    folders.startMenu = ReadSpecialFolder(CSIDL_STARTMENU);
    folders.programs = ReadSpecialFolder(CSIDL_PROGRAMS);
    return folders;
}
