// OLE for the program's thread and the hosting of ActiveX controls.
// AfxOleInit initialises OLE once (uninitialised again when the program ends);
// AfxEnableControlContainer switches on control hosting (the control site comes with it).
#pragma once
#include "WinTypes.h"

FW_API BOOL AfxOleInit();
FW_API void AfxOleTerm();
FW_API void AfxEnableControlContainer();
FW_API BOOL AfxOleControlContainerEnabled();
