// The decisions of the Flash window and of installing the Flash player: where the control and
// its window go, the installer's command line for a Windows version, and when the window
// closes itself.
#pragma once
#include "CFlashViewerSettings.h"
#include "CString.h"
#include "ControlWindowLayout.h"

// Custom size centred on the whole screen (not the work area), or the whole screen; any
// other size value keeps the template's size.
VIEWERS_API ControlWindowLayout FlashLayout(const CFlashViewerSettings& s, const LayoutMetrics& m);

// The system folder of msiexec.exe for a Windows version code (0 unknown, 1 95, 2 98, 3 98 SE,
// 4 NT 4, 5 Me, 6 2000, 7 XP and later).
VIEWERS_API CString FlashInstallerSystemFolder(int windowsVersionCode);

// The command line that installs programDirectory\flash.msi quietly; false (line empty) when it
// would not fit the 260-character command-line buffer.
enum { InstallerCommandLineLimit = 260 };
VIEWERS_API bool FlashInstallerCommandLine(const CString& systemFolder, const CString& programDirectory,
                                           CString& commandLine);

// At a poll of the running window: whether it closes itself now.
VIEWERS_API bool FlashClosesOnPoll(const CFlashViewerSettings& s, bool playing);
