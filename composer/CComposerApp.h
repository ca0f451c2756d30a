// The authoring program's application object: runs the main dialog and ends with it.
#pragma once
#include "CWinApp.h"

class CComposerApp : public CWinApp {
public:
    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};
