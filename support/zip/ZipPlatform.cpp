#include "ZipPlatform.h"

CString ZipPlatform::GetTmpFileName(const char* folder, ULONGLONG bytesNeeded)
{
    CString candidates[3] = { folder ? CString(folder) : CString(), GetSystemTempFolder(), GetCurrentFolder() };
    for (const CString& dir : candidates) {
        if (dir.IsEmpty() || FileExists(dir) != -1)
            continue;
        if (bytesNeeded && GetDeviceFreeSpace(dir) < bytesNeeded)
            continue;
        CString name = CreateTempFileIn(dir);
        if (!name.IsEmpty())
            return name;
    }
    return CString();
}

void ZipPlatform::AppendSeparator(CString& path)
{
    path.TrimRight("\\/");
    path += '\\';
}
