// A zip archive of the CD unpacked onto the user's disk: Show runs the extractor dialog,
// which proposes a destination, unpacks the archive and makes the shortcuts; afterwards the
// viewer opens the destination folder and starts the files marked for it.
#pragma once
#include "CViewer.h"
#include "CZipShortcutList.h"

// The settings of a Zip target, copied whole by SetEqual; the shortcut list travels beside it.
struct CZipViewerSettings {
    CString MessageText = "A File is about to be un-ziped on your system.\r\n\r\nPlease select the destination folder.";
    int ExtractLocation = 1;  // 0 Program Files, 1 Desktop, 2 Documents, 3 C:\ .
    CString ExtractFolder;    // appended to the location; also the program group's name
    int OpenExtractFolder = 0;
    CString ZipPassword;
};

class VIEWERS_API CZipViewer : public CViewer {
public:
    CZipViewer();
    ~CZipViewer() override;

    void Show() override;
    void Launch() override;
    void Init() override;
    bool IsAlive() override;
    void SetEqual(CViewer* other) override;
    void Read_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;
    void Write_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;

    void SetMessageText(CString value);
    void SetExtractLocation(unsigned value);
    void SetExtractFolder(CString value);
    void SetOpenExtractFolder(int value);
    void SetZipPassword(CString value);
    void SetNumShortcuts(int value);

    void AddShortcut(unsigned id, CString fileName, unsigned location, CString name, CString icon, int launchFile);
    void UpdateShortcut(unsigned id, CString fileName, unsigned location, CString name, int launchFile);
    void DeleteShortcut(unsigned id);
    void DeleteAllShortcuts();
    ShortcutInfo* FindShortcut(unsigned id);

    CString GetMessageText() const { return m_ZipSettings.MessageText; }
    int GetExtractLocation() const { return m_ZipSettings.ExtractLocation; }
    CString GetExtractFolder() const { return m_ZipSettings.ExtractFolder; }
    int GetOpenExtractFolder() const { return m_ZipSettings.OpenExtractFolder; }
    CString GetZipPassword() const { return m_ZipSettings.ZipPassword; }
    int GetNumShortcuts() const { return m_Shortcuts.Count(); }
    ShortcutInfo* GetShortcutList() const { return m_Shortcuts.Head(); }
    // The zip settings as one value, for the dialog that edits them.
    const CZipViewerSettings& GetZipSettings() const { return m_ZipSettings; }
    void SetZipSettings(const CZipViewerSettings& settings) { m_ZipSettings = settings; }

    // What the viewer proposes as destination on this machine.
    CString ProposedDestination();

protected:
    // Runs the extractor; true when the installation completed, with where it went. The
    // library's is the dialog; tests put their own in its place.
    virtual bool RunExtractor(const CString& proposed, CString& destination);
    // After a completed installation: the folder opened, the files started, the marks set.
    void FollowUp(const CString& destination);

    CZipViewerSettings m_ZipSettings;
    CZipShortcutList m_Shortcuts;
};
