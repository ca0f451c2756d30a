#include "CPlayerSetCopier.h"

#include "CFileVersionInfo.h"
#include "VelmoraRuntimeDlls.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

std::vector<CString> CPlayerSetCopier::PlayerSet()
{
    std::vector<CString> names = {"Velmora.exe", "VelmoraV.dll"};
    for (int i = 0; i < kVelmoraRuntimeDllCount; ++i)
        names.push_back(kVelmoraRuntimeDlls[i]);
    return names;
}

CPlayerSetCopier::Result CPlayerSetCopier::Copy(const char* name) const
{
    const CString source = m_programFolder + name;
    const CString target = m_baseFolder + name;
    if (::CopyFileA(source, target, FALSE))
        return Copied;
    const DWORD attributes = ::GetFileAttributesA(source);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return SourceMissing;
    return IsSameFile(target, source) ? AlreadyThere : Trouble;
}

bool CPlayerSetCopier::IsSameFile(const CString& installed, const CString& source) const
{
    const DWORD attributes = ::GetFileAttributesA(installed);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    const CString installedVersion = GetFileVersionString(installed);
    const CString sourceVersion = GetFileVersionString(source);
    if (!installedVersion.IsEmpty() || !sourceVersion.IsEmpty())
        return installedVersion == sourceVersion;
    return SameBytes(installed, source);
}

CString CPlayerSetCopier::GetFileVersionString(const char* path)
{
    CFileVersionInfo info;
    if (!info.Open(path))
        return CString();
    const VS_FIXEDFILEINFO& fixed = info.GetFixedInfo();
    CString text;
    text.Format("%u,%u,%u,%u", HIWORD(fixed.dwFileVersionMS), LOWORD(fixed.dwFileVersionMS),
                HIWORD(fixed.dwFileVersionLS), LOWORD(fixed.dwFileVersionLS));
    return text;
}

bool CPlayerSetCopier::SameBytes(const char* first, const char* second)
{
    FILE* a = std::fopen(first, "rb");
    FILE* b = std::fopen(second, "rb");
    bool same = a && b;
    while (same) {
        char x[4096], y[4096];
        const size_t n = std::fread(x, 1, sizeof x, a);
        const size_t m = std::fread(y, 1, sizeof y, b);
        same = n == m && std::equal(x, x + n, y);
        if (n == 0)
            break;
    }
    if (a)
        std::fclose(a);
    if (b)
        std::fclose(b);
    return same;
}
