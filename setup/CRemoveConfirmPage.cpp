#include "CRemoveConfirmPage.h"
#include "SetupResource.h"

CRemoveConfirmPage::CRemoveConfirmPage() : CSetupPage(IDD_REMOVE_CONFIRM, {18, 19, 0, 0, 23, 24, 25}, 6) {}
