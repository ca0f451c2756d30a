#include "ChooseViewerForTarget.h"

#include "CViewer.h"

#include <cstring>
#include <initializer_list>

namespace {

// Whether one of the marks appears anywhere after the text's first character.
bool ContainsAfterFirst(const CString& text, std::initializer_list<const char*> marks)
{
    for (const char* mark : marks)
        if (text.Find(mark, 1) >= 1)
            return true;
    return false;
}

bool StartsWith(const CString& text, const char* start)
{
    const int length = static_cast<int>(strlen(start));
    return text.GetLength() >= length && text.Left(length) == start;
}

}  // namespace

int ChooseViewerForTarget(const CString& target, bool leftShiftDown)
{
    if (leftShiftDown)
        return CViewer::TypeFile;
    CString text = target;
    text.MakeLower();
    if (ContainsAfterFirst(text, {".htm"}) || StartsWith(text, "http://") || StartsWith(text, "https://"))
        return CViewer::TypeWeb;
    if (ContainsAfterFirst(text, {".zip"}))
        return CViewer::TypeZip;
    if (ContainsAfterFirst(text, {".mpeg", ".mpg", ".wmv", ".wma", ".asf", ".avi", ".asx"}))
        return CViewer::TypeMedia;
    if (ContainsAfterFirst(text, {".swf"}))
        return CViewer::TypeFlash;
    if (text == "slideshow")
        return CViewer::TypeSlideShow;
    if (text == "menu")
        return CViewer::TypeMenu;
    return CViewer::TypeFile;
}
