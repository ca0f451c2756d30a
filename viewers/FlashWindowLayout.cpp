#include "FlashWindowLayout.h"

ControlWindowLayout FlashLayout(const CFlashViewerSettings& s, const LayoutMetrics& m)
{
    const CaptionFrame frame(s.ShowTitleBar != 0, m);
    ControlWindowLayout out;
    switch (s.FlashWindowSize) {
    case CFlashViewerSettings::SizeCustom:
        out.control = LayoutRect{ 0, 0, s.CustomFlashWidth, s.CustomFlashHeight };
        out.window = LayoutRect{ (m.screenWidth - frame.width - s.CustomFlashWidth) / 2,
                                 (m.screenHeight - frame.height - s.CustomFlashHeight) / 2,
                                 s.CustomFlashWidth + frame.width, s.CustomFlashHeight + frame.height };
        break;
    case CFlashViewerSettings::SizeFullScreen:
        out.control = LayoutRect{ 0, 0, m.screenWidth, m.screenHeight };
        out.window = out.control;
        break;
    default:
        out.keepTemplate = true;
        break;
    }
    return out;
}

CString FlashInstallerSystemFolder(int windowsVersionCode)
{
    switch (windowsVersionCode) {
    case 1:
    case 2:
    case 3:
    case 5:
        return "C:\\Windows\\System";
    case 4:
    case 6:
        return "C:\\WinNT\\System32";
    default:
        return "C:\\Windows\\System32";
    }
}

bool FlashInstallerCommandLine(const CString& systemFolder, const CString& programDirectory, CString& commandLine)
{
    CString line;
    line.Format("%s\\msiexec.exe /i \"%s\\flash.msi\" /q", systemFolder.c_str(), programDirectory.c_str());
    if (line.GetLength() >= InstallerCommandLineLimit) {
        commandLine.Empty();
        return false;
    }
    commandLine = line;
    return true;
}

bool FlashClosesOnPoll(const CFlashViewerSettings& s, bool playing)
{
    return !playing && s.CloseFlashAfterFinished && !s.LoopAnimation && s.StartPlaying;
}
