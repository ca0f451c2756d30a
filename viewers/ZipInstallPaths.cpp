#include "ZipInstallPaths.h"

#include <cstring>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

CString OrFallback(const CString& value, const char* fallback) { return value.IsEmpty() ? CString(fallback) : value; }

}

CString JoinZipPath(const CString& base, const CString& name)
{
    CString head = base, tail = name;
    head.TrimRight("\\/");
    tail.TrimLeft("\\/");
    if (tail.IsEmpty())
        return head + "\\";
    return head + "\\" + tail;
}

bool IsSafeExtractFolder(const CString& folder)
{
    if (folder.IsEmpty())
        return true;
    if (IsSeparator(folder[0]) || folder.Find(':') >= 0)
        return false;
    int start = 0;
    const int length = folder.GetLength();
    for (int i = 0; i <= length; ++i) {
        if (i < length && !IsSeparator(folder[i]))
            continue;
        CString component = folder.Mid(start, i - start);
        component.TrimRight(" ");
        if (component == "..")
            return false;
        start = i + 1;
    }
    return true;
}

CString UsableExtractFolder(const CString& folder) { return IsSafeExtractFolder(folder) ? folder : CString(); }

CString ProposedZipDestination(int location, const CString& extractFolder, const ZipSystemFolders& folders)
{
    const CString folder = UsableExtractFolder(extractFolder);
    switch (location) {
    case 0:
        return JoinZipPath(OrFallback(folders.programFiles, "C:\\Program Files"), folder);
    case 1:
        return JoinZipPath(OrFallback(folders.desktop, "C:\\Windows\\Desktop"), folder);
    case 2:
        return JoinZipPath(OrFallback(folders.documents, "C:\\Documents and Settings\\All Users\\Documents"), folder);
    case 3:
        return JoinZipPath("C:", folder);
    default:
        return CString();
    }
}

ZipShortcutFolders BuildZipShortcutFolders(const ZipSystemFolders& folders, const CString& extractFolder)
{
    ZipShortcutFolders table;
    table[1] = OrFallback(folders.desktop, "C:\\Windows\\Desktop");
    table[2] = OrFallback(folders.startMenu, "C:\\Documents and Settings\\All Users\\Start Menu");
    table[3] = OrFallback(folders.programs, "C:\\Documents and Settings\\All Users\\Start Menu\\Programs");
    for (int i = 1; i <= 3; ++i)
        table[i].TrimRight("\\/");
    table[4] = table[2] + "\\Accessories";
    CString group = UsableExtractFolder(extractFolder);
    group.TrimRight("\\/");
    table[5] = group.IsEmpty() ? table[3] : table[3] + "\\" + group;
    table[6] = group.IsEmpty() ? table[4] : table[4] + "\\" + group;
    return table;
}

CString ZipLinkName(const ShortcutInfo& node)
{
    CString name = node.Name;
    if (name.IsEmpty()) {
        name = node.FileName;
        name.TrimRight("\\/");
        int cut = -1;
        for (int i = 0; i < name.GetLength(); ++i)
            if (IsSeparator(name[i]))
                cut = i;
        name = name.Mid(cut + 1);
        const int dot = name.ReverseFind('.');
        if (dot > 0)
            name = name.Left(dot);
    }
    name.Replace('\\', '_');
    name.Replace('/', '_');
    name.Replace(':', '_');
    name.Trim();
    // A name of dots alone would leave the folder ("..") or name it.
    CString dots = name;
    dots.Remove('.');
    if (dots.IsEmpty())
        return CString();
    return name;
}

CString ZipLinkPath(const ZipShortcutFolders& table, const ShortcutInfo& node)
{
    if (node.Location == 0 || node.Location >= unsigned(ZipShortcutLocations))
        return CString();
    const CString name = ZipLinkName(node);
    if (name.IsEmpty() || table[node.Location].IsEmpty())
        return CString();
    return table[node.Location] + "\\" + name + ".lnk";
}

bool IsAbsoluteZipDestination(const CString& destination)
{
    const int n = destination.GetLength();
    if (n >= 3 && destination[1] == ':' && IsSeparator(destination[2]))
        return (destination[0] >= 'A' && destination[0] <= 'Z') || (destination[0] >= 'a' && destination[0] <= 'z');
    if (n >= 3 && IsSeparator(destination[0]) && IsSeparator(destination[1]) && !IsSeparator(destination[2]))
        return true;
    return false;
}

CString ZipLinkIcon(const CString& destination, const ShortcutInfo& node)
{
    if (!node.Icon[0] || std::strcmp(node.Icon, "Default Icon") == 0)
        return CString();
    return JoinZipPath(destination, node.Icon);
}
