// What the target settings dialogs' tests share: the viewers' stand-in player controls under
// the real class ids, and a viewer platform that starts no program (the Flash viewer's
// installer run is only recorded).
#pragma once
#include "CInertViewerPlatform.h"
#include "DialogDriver.h"
#include "standin/StandInControlRegistration.h"

#include <string>
#include <vector>

std::string ProgramFolder();

// The stand-in controls registered for as long as the object lives.
class StandInControls {
public:
    StandInControls();

private:
    StandInControlRegistration m_registration;
};

// Starts nothing; remembers the command lines it was asked to start.
class RecordingPlatform : public CInertViewerPlatform {
public:
    bool StartProcess(const char* application, const char* commandLine, const char* folder, bool separate,
                      ProcessInfo_Tag& started, DWORD& lastError) override;
    std::vector<std::string> started;
};
