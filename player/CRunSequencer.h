// The timer-driven run of the player: start, agreement, additional-viewer checks, pre-load,
// splash, music and the targets one after the other, then repeat or the end. Each tick
// kills its own timer first and starts the next one itself. All decisions are here; what
// they act on is the host's.
#pragma once
#include "CRunHost.h"
#include <vector>

struct RunOptions {
    int numTargets = 0;
    int numAdditionalViewers = 0;
    bool preload = false;
    bool hide = false;
    bool waitForEachTarget = false;
    bool repeat = false;
    bool splash = false;
};

class CRunSequencer {
public:
    enum TimerId { StartTimer = 1, SplashTimer = 2, AdditionalViewerTimer = 3, TargetTimer = 4, PreloadTimer = 5 };
    enum Period { StartMs = 100, SplashMs = 100, NoSplashMs = 10, AdditionalViewerMs = 250, TargetMs = 50, PreloadMs = 100 };
    // Target type codes the sequencing tells apart.
    enum { FileType = 0, FolderType = 1, WebType = 2 };

    CRunSequencer(CRunHost& host, const RunOptions& options);

    // Starts the run (timer 1).
    void Start();
    void OnTimer(int id);

    bool HasEnded() const { return m_ended; }
    int GetTargetIndex() const { return m_target; }
    bool IsTimerRunning(int id) const { return id >= 1 && id <= 5 && m_running[id]; }

private:
    void Arm(int id, int ms);
    void Disarm(int id);
    void End(bool finished);

    void OnStart();
    void AfterAdditionalViewers();
    void OnAdditionalViewer();
    void PreloadStep();
    void OnPreload();
    void StartSplash();
    void OnSplash();
    void OnTarget();
    void StartTarget();
    void NextTarget();

    CRunHost& m_host;
    RunOptions m_options;
    bool m_running[6] = {};
    bool m_ended = false;
    bool m_firstStartDone = false;
    bool m_musicStarted = false;
    int m_target = 0;
    int m_additional = 0;
    std::vector<bool> m_preloaded;
    CString m_scratch;
};
