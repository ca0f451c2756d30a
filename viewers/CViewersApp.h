// The library's application object: loading the library enables ActiveX control hosting
// (the media and Flash windows host controls) and registers the suite's messages.
#pragma once
#include "CWinApp.h"

class CViewersApp : public CWinApp {
public:
    CViewersApp();
};
