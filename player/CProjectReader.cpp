#include "CProjectReader.h"

#include "ViewerFactory.h"

void CProjectReader::ReadFields(CFileReadWrite& file, PlayerProject& p)
{
    p.version.major = file.ReadInt();
    p.version.minor = file.ReadInt();
    p.version.build = file.ReadInt();
    const DataFileVersion& v = p.version;
    if (v.AtLeast(2, 8, 0))
        p.projectKey = file.ReadString();
    if (v.AtLeast(2, 8, 4)) {
        p.singleInstance = file.ReadBool();
        p.repeat = file.ReadBool();
    }
    file.ReadBool(); // reserved
    p.waitForEachTarget = file.ReadBool();
    if (v.AtLeast(2, 9, 1)) {
        p.preload = file.ReadBool();
        p.backgroundColor = COLORREF(file.ReadInt());
    }
    if (v.AtLeast(2, 9, 6)) {
        p.music = file.ReadBool();
        if (p.music)
            p.musicFile = file.ReadString();
    }
    p.verbose = file.ReadBool();
    p.hide = file.ReadBool();
    p.suppressAOL = file.ReadBool();
    p.debugLog = file.ReadBool();
    p.splash = file.ReadBool();
    if (p.splash) {
        p.splashImage = file.ReadString();
        p.splashSound = file.ReadString();
        p.splashDuration = file.ReadInt();
        if (v.AtLeast(2, 8, 0)) {
            p.splashShowBackground = file.ReadBool();
            if (p.splashShowBackground)
                p.splashBackgroundColor = COLORREF(file.ReadInt());
        }
        if (p.splashImage.IsEmpty())
            p.splash = 0; // nothing to show
    }

    const int viewers = file.ReadInt();
    p.additionalViewers.clear();
    for (int i = 0; i < viewers; ++i) {
        AdditionalViewerEntry e;
        CString extension = file.ReadString();
        e.failsafeProgram = file.ReadString();
        e.confirmation = file.ReadString();
        e.minimumVersion = file.ReadString();
        e.confirmation.Replace("~^~", "\r\n");
        e.extension = "." + extension;
        e.extension.MakeLower();
        if (i < PlayerProject::MaxAdditionalViewers)
            p.additionalViewers.push_back(e);
        if (!file.IsOK())
            break; // the file ended: a huge count must not keep us reading nothing
    }

    p.agreement = AgreementBlock();
    p.agreement.present = file.ReadBool() != 0;
    if (p.agreement.present) {
        p.agreement.mode = file.ReadInt();
        file.ReadString(); // reserved
        p.agreement.text = file.ReadString();
        file.ReadBool();
        file.ReadBool();
        file.ReadInt();
        file.ReadInt();
        const int strings = file.ReadInt();
        for (int i = 0; i < strings && file.IsOK(); ++i)
            file.ReadString(); // reserved, whatever their number
    }

    const int targets = file.ReadInt();
    p.numTargets = targets < 0 ? 0 : targets > PlayerProject::MaxTargets ? PlayerProject::MaxTargets : targets;
    p.loaded = true;
}

int CProjectReader::ReadTargetType(CFileReadWrite& file, const DataFileVersion& version)
{
    if (version.minor < 6)
        return 0;
    const int type = file.ReadInt();
    return type >= 0 && type <= 7 ? type : 0;
}

CViewer* CProjectReader::BindNextTarget(CFileReadWrite& file, const PlayerProject& p, int index, CViewerWindow* owner,
                                        const CString& tempPath, const CString& programDirectory)
{
    if (file.AtEnd())
        return nullptr;
    const DataFileVersion& v = p.version;
    const int type = ReadTargetType(file, v);
    return BindViewer(type, owner, index, tempPath, programDirectory, p.projectKey, &file, v.major, v.minor, v.build);
}

CString CProjectReader::TargetsEndedLog(int bound, const PlayerProject& p)
{
    CString line;
    line.Format("The data file ends after %d of its %d targets\n", bound, p.numTargets);
    return line;
}

std::vector<CString> CProjectReader::LoadingLog(const PlayerProject& p, const CString& baseFolder)
{
    std::vector<CString> lines;
    CString line;
    line.Format("Velmora Version: %d.%d.%d\n", p.version.major, p.version.minor, p.version.build);
    lines.push_back(line);
    line.Format("Base Folder: %s\n", baseFolder.c_str());
    lines.push_back(line);
    line.Format("Wait for each Target: %d\n", p.waitForEachTarget);
    lines.push_back(line);
    line.Format("Verbose: %d\tHide: %d\tSuppressAOL: %d\n", p.verbose, p.hide, p.suppressAOL);
    lines.push_back(line);
    if (p.splash) {
        line.Format("Splash (image, sound, length): %s, %s, %d\n", p.splashImage.c_str(), p.splashSound.c_str(),
                    p.splashDuration);
        lines.push_back(line);
    }
    line.Format("Num Targets: %d\n", p.numTargets);
    lines.push_back(line);
    return lines;
}
