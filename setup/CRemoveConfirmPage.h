// CRemoveConfirmPage1
#pragma once
#include "CSetupPage.h"

class CRemoveConfirmPage : public CSetupPage {
public:
    CRemoveConfirmPage();
};
