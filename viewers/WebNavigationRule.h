// What the web viewer does with a navigation the browser is about to make: documents and
// programs named by their links open outside the browser, a page's close link ends the
// target, everything else goes on in the browser.
#pragma once
#include "CString.h"
#include "ViewersExport.h"

namespace WebNavigationRule {

enum Action { Navigate, OpenOutside, CloseBrowser };

// url as the browser gives it; outside receives the lower-cased address to open when the
// answer is OpenOutside.
VIEWERS_API Action Decide(const CString& url, bool pdfOutside, bool exeOutside, CString& outside);

}
