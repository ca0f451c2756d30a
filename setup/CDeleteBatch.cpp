#include "CDeleteBatch.h"
#include "SafeName.h"

const char CDeleteBatch::fileName[] = "\\DelUS.bat";

namespace {

std::string Escaped(const char* text)
{
    std::string out;
    for (const char* p = text; *p; ++p) {
        out += *p;
        if (*p == '%')
            out += '%';
    }
    return out;
}

} // namespace

std::string CDeleteBatch::Build(const char* exePath, const CFolderRecord* folders, int count)
{
    const std::string exe = Escaped(exePath);
    std::string text = ":Repeat\r\ndel \"" + exe + "\"\r\nif exist \"" + exe + "\" goto Repeat\r\n";
    for (int i = count - 1; i >= 0; --i) {
        if (IsPlainPath(folders[i].path))
            text += "rmdir \"" + Escaped(folders[i].path) + "\"\r\n";
    }
    text += "del \"" + Escaped(fileName) + "\"\r\n";
    return text;
}
