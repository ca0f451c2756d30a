// The player's main window: a small dialog with a status line that owns the project, the
// viewers of the splash, the additional-viewer checks and the targets, the music and the
// debug log. Its timers drive the run (CRunSequencer); destroying it ends the run.
#pragma once
#include "AgreementDialog.h"
#include "CBackgroundMusic.h"
#include "CCorvEdit.h"
#include "CDebugLog.h"
#include "CDialog.h"
#include "CFileViewer.h"
#include "CForegroundLockTimeout.h"
#include "CImageViewer.h"
#include "CRunHost.h"
#include "CRunSequencer.h"
#include "CStatic.h"
#include "CProjectData.h"
#include "PlayerResource.h"

#include <memory>
#include <vector>

class PlayerDialog : public CDialog, public CRunHost, private CProjectTargetBinder {
public:
    enum { IDD = IDD_PLAYER };

    explicit PlayerDialog(CWnd* pParent = nullptr);
    ~PlayerDialog() override;

    // The command line the data file's name is taken from; the executable's base name.
    CString m_commandLine;
    CString m_exeName;

    // CRunHost.
    void StartTimer(int id, int milliseconds) override;
    void KillTimer(int id) override;
    void SetStatus(const CString& text) override;
    void DebugLog(const CString& text) override;
    void PrepareWindow(bool preload) override;
    void FitToWorkArea() override;
    void SetTopmost(bool topmost) override;
    void MakeForeground() override;
    void HideWindow() override;
    void ShowTaskbar(bool show) override;
    void EndPlayer(bool finished) override;
    bool RunAgreementGate() override;
    void LaunchAdditionalViewer(int index) override;
    bool IsAdditionalViewerAlive(int index) override;
    CString TakeAdditionalViewerLog(int index) override;
    void StartSplash() override;
    bool IsSplashAlive() override;
    bool SplashShowsBackground() override;
    bool HasMusic() override;
    void PlayMusic() override;
    void StopMusic() override;
    int GetTargetType(int index) override;
    CString GetTargetFilename(int index) override;
    void SetTargetTestMode(int index) override;
    void LaunchTarget(int index) override;
    void ShowTarget(int index) override;
    bool IsTargetAlive(int index) override;
    bool IsTargetWaitingOnFailsafe(int index) override;
    bool IsTargetFullScreen(int index) override;
    bool IsTargetWindowMoving(int index) override;
    CString TakeTargetLog(int index) override;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override { DestroyWindow(); }
    void OnOK() override {}
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnPauseSound(WPARAM, LPARAM);
    afx_msg LRESULT OnRestartSound(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void LoadProject();
    // CProjectTargetBinder: the splash, the additional viewers and the log once the fields
    // are in; each target a child window, Init once its record is read.
    void FieldsRead(CProjectData& project) override;
    CViewer* NewTarget(int type, int index, const CProjectData& project) override;
    void TargetRead(CViewer& viewer, int index) override;
    void EndOtherInstance();
    void ShutDown();
    void CentreStatusLine();

    HICON m_icon = nullptr;
    CCorvEdit m_status;
    HBRUSH m_backgroundBrush = nullptr;
    CString m_startFolder;
    CString m_playerFolder;
    CString m_dataFileName;
    CProjectData m_project;  // owns the targets
    CString m_tempPath;
    CDebugLog m_log;
    CImageViewer m_splash;
    bool m_splashInitialised = false;
    CFileViewer m_additional[CProjectData::MaxAdditionalViewers];
    CForegroundLockTimeout m_foregroundLock;
    CBackgroundMusic m_music;
    std::unique_ptr<CRunSequencer> m_sequencer;
    RECT m_windowRect = {};
    bool m_endTargetsAtExit = true;
    bool m_shutDown = false;
    bool m_oleReady = false;

    static CStatic s_picture;
};
