// CRemoveDonePage1
#pragma once
#include "CSetupPage.h"

class CRemoveDonePage : public CSetupPage {
public:
    CRemoveDonePage();
};
