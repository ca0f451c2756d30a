// The installer and uninstaller of the authoring program.
#pragma once
#include "Framework.h"

class CSetupApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
