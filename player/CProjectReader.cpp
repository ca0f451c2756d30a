#include "CProjectReader.h"

#include <cstdlib>

void CProjectReader::Read(CFileReadWrite& file, CProjectData& project, CProjectTargetBinder& binder)
{
    project.Read(file, binder, CProjectData::ReadOldFiles);
}

bool CProjectReader::ShowsSplash(const CProjectData& p) { return p.Splash && !p.SplashImage.IsEmpty(); }

CString CProjectReader::Extension(const AdditionalViewerEntry& entry)
{
    CString extension = "." + entry.Extension;
    extension.MakeLower();
    return extension;
}

CString CProjectReader::TargetsEndedLog(const CProjectData& p)
{
    CString line;
    line.Format("The data file ends after %d of its %d targets\n", p.GetTargetCount(), p.StoredTargetCount);
    return line;
}

std::vector<CString> CProjectReader::LoadingLog(const CProjectData& p, const CString& baseFolder)
{
    std::vector<CString> lines;
    CString line;
    line.Format("Velmora Version: %d.%d.%d\n", p.Major, p.Minor, p.Build);
    lines.push_back(line);
    line.Format("Base Folder: %s\n", baseFolder.c_str());
    lines.push_back(line);
    line.Format("Wait for each Target: %d\n", p.WaitForEachTarget);
    lines.push_back(line);
    line.Format("Verbose: %d\tHide: %d\tSuppressAOL: %d\n", p.Verbose, p.HidePlayer, p.SuppressAOL);
    lines.push_back(line);
    if (p.Splash) {
        line.Format("Splash (image, sound, length): %s, %s, %d\n", p.SplashImage.c_str(), p.SplashSound.c_str(),
                    std::atoi(p.SplashDuration));
        lines.push_back(line);
    }
    line.Format("Num Targets: %d\n", p.StoredTargetCount);
    lines.push_back(line);
    return lines;
}
