// The player's application object: runs the player dialog and ends with it.
#pragma once
#include "CWinApp.h"

class VelmoraApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
