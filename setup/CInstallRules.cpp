#include "CInstallRules.h"
#include "SafeName.h"
#include <cctype>
#include <cstring>
#include <string>

namespace {

bool SameNoCase(const char* a, const char* b, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool EndsWithNoCase(const char* s, const char* tail)
{
    const size_t n = std::strlen(s), m = std::strlen(tail);
    return n >= m && SameNoCase(s + n - m, tail, m);
}

} // namespace

bool CInstallRules::IsInside(const char* path, const char* folder)
{
    std::string base(folder);
    while (!base.empty() && base.back() == '\\')
        base.pop_back();
    if (base.empty() || !IsPlainPath(base) || std::strlen(path) <= base.size() + 1)
        return false;
    return SameNoCase(path, base.c_str(), base.size()) && path[base.size()] == '\\'
        && IsNameInsideFolder(path + base.size() + 1);
}

bool CInstallRules::IsCabinetListSafe(const CInstallList& list)
{
    for (int i = 0; i < list.fileCount; ++i)
        if (!IsNameInsideFolder(list.files[i].field1) || !IsNameInsideFolder(list.files[i].field3))
            return false;
    for (int i = 0; i < list.menuCount; ++i) {
        const CListRecord& m = list.menus[i];
        if (!IsNameInsideFolder(m.field1) || (m.field2[0] && !IsNameInsideFolder(m.field2)))
            return false;
        // "\folder\...\dropped": the folder below Programs is what precedes the last "\".
        if (m.field3[0] != '\\')
            return false;
        const std::string place(m.field3 + 1);
        const size_t last = place.rfind('\\');
        if (last != std::string::npos && !IsNameInsideFolder(place.substr(0, last)))
            return false;
    }
    return true;
}

bool CInstallRules::IsRemovable(const char* path, const char* ownFolder, const char* programs, const char* desktop)
{
    if (!std::strchr(path, '\\') && !std::strchr(path, '/'))
        return IsNameInsideFolder(path);
    if (IsInside(path, ownFolder))
        return true;
    return EndsWithNoCase(path, ".lnk") && (IsInside(path, programs) || IsInside(path, desktop));
}
