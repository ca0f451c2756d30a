// The installation proper, over the lists of the installer: copying the files, the
// Start-menu and desktop shortcuts, the uninstall entry, and undoing all of it; removal of
// an installed copy and the batch file that deletes the uninstaller after it has ended.
#pragma once
#include "CInstallList.h"
#include "CSfxArchive.h"
#include "Framework.h"

class CInstallation {
public:
    static const char uninstallKey[];
    static const char temp[]; // "C:\CorvexTemp"

    explicit CInstallation(CInstallList& list) : m_list(list) {}

    // The "ProgramFilesDir" value, or "C:\Program Files".
    static CString ProgramFilesDir();
    static CString ProgramsFolder();
    static CString DesktopFolder();
    // False also when the link could not be saved.
    static bool MakeShellLink(const char* target, const char* link, const char* description);

    // Copies the files, makes the shortcuts and writes the uninstall entry, stepping
    // progress once per file and per shortcut. False when a file could not be copied or
    // the entry not written.
    bool Install(const CString& tempFolder, const CString& installFolder, CProgressCtrl* progress);
    // Deletes what Install recorded as made, from the last folder to the first, and the entry.
    void RollBack();
    // Deletes what was unpacked into the temp folder and the folder itself.
    void CleanUp(const CString& tempFolder, const CSfxArchive& payload);
    // Removes what the installed list names (only files the installation made), the
    // folders, the registry entries and the desktop shortcut.
    void Remove(const CString& ownFolder, CProgressCtrl* progress);
    // Writes "\DelUS.bat" and starts it; false when it could not be written or started.
    bool StartDeleteBatch();

private:
    bool CopyFiles(const CString& tempFolder, const CString& installFolder, CProgressCtrl* progress);
    void MakeShortcuts(const CString& installFolder, CProgressCtrl* progress);
    static void Step(CProgressCtrl* progress);

    CInstallList& m_list;
};
