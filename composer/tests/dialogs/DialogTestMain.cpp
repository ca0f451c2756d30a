// The application object of the settings dialogs' test program.
#include "DialogDriver.h"

static CDialogTestApp theApp;
CDialogTestApp& TestApp() { return theApp; }
