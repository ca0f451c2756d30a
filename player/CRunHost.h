// What the run sequencer asks of the player's window: its timers, its look, the viewers
// of the splash, the additional-viewer checks and the targets, the music and the log.
// The player dialog implements it; tests implement it with a clock of their own.
#pragma once
#include "CString.h"

class CRunHost {
public:
    virtual ~CRunHost() = default;

    virtual void StartTimer(int id, int milliseconds) = 0;
    virtual void KillTimer(int id) = 0;

    virtual void SetStatus(const CString& text) = 0;
    virtual void DebugLog(const CString& text) = 0;
    // The start of a pass: full-screen in the project colour (pre-load), or the button-face
    // background; the brush is made and the window repainted.
    virtual void PrepareWindow(bool preload) = 0;
    // After the splash, in pre-load mode: no caption, the work area, the status centred.
    virtual void FitToWorkArea() = 0;
    virtual void SetTopmost(bool topmost) = 0;
    virtual void MakeForeground() = 0;
    virtual void HideWindow() = 0;
    virtual void ShowTaskbar(bool show) = 0;
    // The shut-down; finished: the run ended normally (targets are left running).
    virtual void EndPlayer(bool finished) = 0;
    // The agreement gate; true when it passed.
    virtual bool RunAgreementGate() = 0;

    virtual void LaunchAdditionalViewer(int index) = 0;
    virtual bool IsAdditionalViewerAlive(int index) = 0;
    // The viewer's log, emptied.
    virtual CString TakeAdditionalViewerLog(int index) = 0;

    // Init, Launch and Show of the splash viewer.
    virtual void StartSplash() = 0;
    virtual bool IsSplashAlive() = 0;
    virtual bool SplashShowsBackground() = 0;

    // The music stream exists (its file opened).
    virtual bool HasMusic() = 0;
    virtual void PlayMusic() = 0;
    virtual void StopMusic() = 0;

    virtual int GetTargetType(int index) = 0;
    virtual CString GetTargetFilename(int index) = 0;
    virtual void SetTargetTestMode(int index) = 0;
    virtual void LaunchTarget(int index) = 0;
    virtual void ShowTarget(int index) = 0;
    virtual bool IsTargetAlive(int index) = 0;
    virtual bool IsTargetWaitingOnFailsafe(int index) = 0;
    virtual bool IsTargetFullScreen(int index) = 0;
    // A web target whose window is still sliding or growing in.
    virtual bool IsTargetWindowMoving(int index) = 0;
    virtual CString TakeTargetLog(int index) = 0;
};
