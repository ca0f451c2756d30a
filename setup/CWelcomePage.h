// CWelcomePage1
#pragma once
#include "CSetupPage.h"

class CWelcomePage : public CSetupPage {
public:
    CWelcomePage();
};
