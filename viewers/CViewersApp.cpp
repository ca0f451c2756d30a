#include "CViewersApp.h"

#include "AfxOle.h"
#include "ViewerMessages.h"

CViewersApp::CViewersApp()
{
    AfxEnableControlContainer();
    RegisterSoundMessages();
}

static CViewersApp theViewersApp;
