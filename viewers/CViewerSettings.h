// The settings every viewer kind has: what the authoring program edits, the data file
// carries and SetEqual copies, as one plain value. The process records and the run-time
// state (log, timer, file version, full screen, the temporary folder) are the viewer's own.
#pragma once
#include "CString.h"

struct CViewerSettings {
    bool TestMode = false;
    int SuppressAOL = 0;
    int Verbose = 0;
    int Splash = 0;
    int Hide = 0;
    int TargetNum = 0;
    CString RegConfString;
    int ViewerType = 0;
    CString ProjectRegistryKey;
    int LaunchTargetType = 0;
    CString TargetFilename;
    CString TargetFileExtension;
    CString Parameters;
    int WindowShowCmdWindow = 0;
    CString TargetFileAndPath;
    CString ProgramDirectory;
    CString RegViewerLocation;
    CString RegTargetDescription;
    CString RegViewerVersion;
    int TryAndForce = 0;
    CString ForceString1;
    CString ForceString2;
    int HasFailsafeProgram = 0;
    CString FailsafeProgPath;
    int WaitingOnFailsafe = 0;
    int TryTargetFirst = 1;
    int CheckVersion = 0;
    CString VersionString;
    int AlwaysRun = 0;
    int DisplayConfirmation = 1;
    CString FailsafeConfMessage =
        "This product requires additional software to be installed. Do you wish to proceed with the installation?";
    int RebootMachine = 0;
};
