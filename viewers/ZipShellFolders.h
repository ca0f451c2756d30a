// The system's folders a Zip target installs into, as this machine's shell and registry
// give them (empty where they cannot).
#pragma once
#include "ZipInstallPaths.h"

ZipSystemFolders ReadZipSystemFolders();
// A special folder through its item list, freed through the shell's allocator; "" when the
// shell cannot give it.
CString ReadSpecialFolder(int csidl);
