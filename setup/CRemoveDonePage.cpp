#include "CRemoveDonePage.h"
#include "SetupResource.h"

CRemoveDonePage::CRemoveDonePage() : CSetupPage(IDD_REMOVE_DONE, {27, 28, 0, 0, 0, 26, 0}, 5) {}
