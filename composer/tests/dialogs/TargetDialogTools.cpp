#include "TargetDialogTools.h"

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string s = path;
    return s.substr(0, s.rfind('\\'));
}

StandInControls::StandInControls()
{
    const std::string player = ProgramFolder() + "\\velmora_standin9.dll";
    m_registration.Register(StandInControlRegistration::Newer, player);
    m_registration.Register(StandInControlRegistration::Older, player);
    m_registration.Register(StandInControlRegistration::Flash, player);
}

bool RecordingPlatform::StartProcess(const char* application, const char* commandLine, const char* folder,
                                     bool separate, ProcessInfo_Tag& started_, DWORD& lastError)
{
    started.push_back(std::string(application ? application : "") + "|" + (commandLine ? commandLine : ""));
    return CInertViewerPlatform::StartProcess(application, commandLine, folder, separate, started_, lastError);
}
