#include "BaseFolderPath.h"

#include <cctype>
#include <string>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool SameLetter(char a, char b)
{
    if (IsSeparator(a) && IsSeparator(b))
        return true;
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

bool RelativeToBaseFolder(const CString& baseFolder, const CString& path, CString& relative)
{
    const std::string base(static_cast<const char*>(baseFolder));
    const std::string full(static_cast<const char*>(path));
    size_t baseLength = base.size();
    while (baseLength > 0 && IsSeparator(base[baseLength - 1]))
        --baseLength;
    if (baseLength == 0 || full.size() <= baseLength || !IsSeparator(full[baseLength]))
        return false;
    for (size_t i = 0; i < baseLength; ++i)
        if (!SameLetter(base[i], full[i]))
            return false;
    size_t rest = baseLength;
    while (rest < full.size() && IsSeparator(full[rest]))
        ++rest;
    if (rest == full.size())
        return false;
    relative = full.substr(rest).c_str();
    return true;
}

bool IsInBaseFolder(const CString& baseFolder, const CString& folder)
{
    CString relative;
    if (RelativeToBaseFolder(baseFolder, folder, relative))
        return true;
    CString base = baseFolder, chosen = folder;
    base.TrimRight("\\/");
    chosen.TrimRight("\\/");
    return !base.IsEmpty() && base.CompareNoCase(chosen) == 0;
}
