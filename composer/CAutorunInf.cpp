#include "CAutorunInf.h"

#include <cctype>
#include <cstdio>

bool CAutorunInf::Write(const char* path, const CString& icon)
{
    CString iconLine = CString("ICON=") + (icon.IsEmpty() ? CString("Velmora.exe") : icon);
    CString text;
    text.Format("[autorun]\nOPEN=Velmora.exe\n%s", iconLine.c_str());
    // Line ends of a Windows text file, whichever system writes it.
    text.Replace("\n", "\r\n");
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(text.c_str(), 1, text.GetLength(), f) == size_t(text.GetLength());
    return std::fclose(f) == 0 && ok;
}

bool CAutorunInf::ReadIcon(const char* path, CString& icon)
{
    icon.Empty();
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    CString last, word;
    for (int c; (c = std::fgetc(f)) != EOF;) {
        if (std::isspace(c)) {
            if (!word.IsEmpty())
                last = word;
            word.Empty();
        } else if (word.GetLength() < MaxWord) {
            word += static_cast<char>(c);
        }
    }
    if (!word.IsEmpty())
        last = word;
    std::fclose(f);
    if (last.Find("ICON=") >= 0 && last.Find("Velmora.exe") < 0)
        icon = last.Mid(5);
    return true;
}
