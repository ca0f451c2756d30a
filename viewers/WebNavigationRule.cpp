#include "WebNavigationRule.h"

namespace {

// The first occurrence of the suffix is where the address ends.
bool EndsAtFirst(const CString& lower, const char* suffix)
{
    const int at = lower.Find(suffix);
    return at >= 0 && at + static_cast<int>(CString(suffix).GetLength()) == lower.GetLength();
}

}

WebNavigationRule::Action WebNavigationRule::Decide(const CString& url, bool pdfOutside, bool exeOutside,
                                                    CString& outside)
{
    CString lower = url;
    lower.MakeLower();
    if ((pdfOutside && EndsAtFirst(lower, ".pdf")) || (exeOutside && EndsAtFirst(lower, ".exe"))) {
        outside = lower;
        return OpenOutside;
    }
    if (lower == "javascript:window.close()")
        return CloseBrowser;
    return Navigate;
}
