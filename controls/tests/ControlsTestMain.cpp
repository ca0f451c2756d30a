// The application object of a controls test program.
#include "ControlsTestSupport.h"

static CControlsTestApp theApp;
