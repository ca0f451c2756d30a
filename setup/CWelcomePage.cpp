#include "CWelcomePage.h"
#include "SetupResource.h"

CWelcomePage::CWelcomePage() : CSetupPage(IDD_WELCOME, {7, 8, IDC_TEXT2, 9, 23, 24, 25}, 5) {}
