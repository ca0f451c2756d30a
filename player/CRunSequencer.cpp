#include "CRunSequencer.h"

CRunSequencer::CRunSequencer(CRunHost& host, const RunOptions& options)
    : m_host(host), m_options(options), m_preloaded(size_t(options.numTargets > 0 ? options.numTargets : 0), false)
{
}

void CRunSequencer::Arm(int id, int ms)
{
    m_running[id] = true;
    m_host.StartTimer(id, ms);
}

void CRunSequencer::Disarm(int id)
{
    if (m_running[id]) {
        m_host.KillTimer(id);
        m_running[id] = false;
    }
}

void CRunSequencer::End(bool finished)
{
    for (int id = 1; id <= 5; ++id)
        Disarm(id);
    m_ended = true;
    m_host.EndPlayer(finished);
}

void CRunSequencer::Start() { Arm(StartTimer, StartMs); }

void CRunSequencer::OnTimer(int id)
{
    // A tick of a timer that is not running (one already killed) changes nothing.
    if (m_ended || id < 1 || id > 5 || !m_running[id])
        return;
    Disarm(id);
    switch (id) {
    case StartTimer: OnStart(); break;
    case SplashTimer: OnSplash(); break;
    case AdditionalViewerTimer: OnAdditionalViewer(); break;
    case TargetTimer: OnTarget(); break;
    case PreloadTimer: OnPreload(); break;
    }
}

void CRunSequencer::OnStart()
{
    m_host.PrepareWindow(m_options.preload);
    if (m_options.numTargets <= 0) {
        End(false);
        return;
    }
    if (m_target == 0 && !m_firstStartDone) {
        m_host.SetStatus("Initializing, Please wait ...");
        if (!m_host.RunAgreementGate()) {
            End(false);
            return;
        }
        m_firstStartDone = true;
    }
    // The checks run once a run: a repeat finds them done and goes straight on.
    if (m_additional >= m_options.numAdditionalViewers) {
        AfterAdditionalViewers();
        return;
    }
    m_host.SetTopmost(false);
    m_host.SetStatus("Checking for compatibility  ...");
    m_host.LaunchAdditionalViewer(m_additional);
    m_scratch.Empty();
    Arm(AdditionalViewerTimer, AdditionalViewerMs);
}

void CRunSequencer::AfterAdditionalViewers()
{
    if (m_options.preload) {
        m_preloaded.assign(m_preloaded.size(), false);
        m_host.SetStatus("Loading ... 0%");
        PreloadStep();
    } else {
        m_target = 0;
        StartSplash();
    }
}

void CRunSequencer::OnAdditionalViewer()
{
    if (!m_host.IsAdditionalViewerAlive(m_additional)) {
        m_host.DebugLog(m_host.TakeAdditionalViewerLog(m_additional));
        ++m_additional;
        if (m_additional >= m_options.numAdditionalViewers) {
            m_additional = m_options.numAdditionalViewers;
            AfterAdditionalViewers();
            return;
        }
        m_host.LaunchAdditionalViewer(m_additional);
    }
    Arm(AdditionalViewerTimer, AdditionalViewerMs);
}

void CRunSequencer::PreloadStep()
{
    // A target is launched once: when its failsafe program has run, the viewer opens the
    // target itself, so the end of the wait only moves the pre-load on.
    if (!m_preloaded[size_t(m_target)]) {
        m_preloaded[size_t(m_target)] = true;
        m_host.LaunchTarget(m_target);
    }
    if (m_host.IsTargetWaitingOnFailsafe(m_target)) {
        m_host.SetTopmost(false);
    } else {
        m_host.SetTopmost(true);
        m_host.MakeForeground();
        CString status;
        status.Format("Loading ... %.0f%%", double(m_target + 1) / double(m_options.numTargets) * 100.0);
        m_host.SetStatus(status);
        ++m_target;
    }
    Arm(PreloadTimer, PreloadMs);
}

void CRunSequencer::OnPreload()
{
    if (m_target < m_options.numTargets) {
        PreloadStep();
        return;
    }
    m_target = 0;
    StartSplash();
}

void CRunSequencer::StartSplash()
{
    if (m_options.hide)
        m_host.HideWindow();
    if (m_options.splash) {
        if (!m_host.SplashShowsBackground() && m_options.hide)
            m_host.ShowTaskbar(true);
        m_host.StartSplash();
        m_host.DebugLog("Splash Started...\n");
        Arm(SplashTimer, SplashMs);
    } else {
        Arm(SplashTimer, NoSplashMs);
    }
}

void CRunSequencer::OnSplash()
{
    if (m_options.splash) {
        if (m_host.IsSplashAlive()) {
            m_host.DebugLog(".");
            Arm(SplashTimer, SplashMs);
            return;
        }
        m_host.DebugLog("Splash End\n\n");
    }
    m_host.SetTopmost(false);
    if (m_host.HasMusic()) {
        // A repeat plays the music again: stop it first, so it never plays twice at once.
        if (m_musicStarted)
            m_host.StopMusic();
        m_host.PlayMusic();
        m_musicStarted = true;
    }
    StartTarget();
    if (m_options.preload)
        m_host.FitToWorkArea();
    if (!m_host.IsTargetFullScreen(m_target))
        m_host.ShowTaskbar(true);
}

void CRunSequencer::StartTarget()
{
    m_host.SetStatus(m_host.GetTargetFilename(m_target));
    if (!m_options.preload) {
        m_host.SetTargetTestMode(m_target);
        m_host.LaunchTarget(m_target);
    }
    m_host.ShowTarget(m_target);
    m_scratch.Empty();
    Arm(TargetTimer, TargetMs);
}

void CRunSequencer::OnTarget()
{
    const int type = m_host.GetTargetType(m_target);
    if (type == WebType && m_host.IsTargetWindowMoving(m_target)) {
        Arm(TargetTimer, TargetMs);
        return;
    }
    if (type != FileType && type != FolderType && m_host.IsTargetAlive(m_target)) {
        m_scratch += ".";
        Arm(TargetTimer, TargetMs);
        return;
    }
    if (m_options.waitForEachTarget) {
        if (m_host.IsTargetWaitingOnFailsafe(m_target) || m_host.IsTargetAlive(m_target)) {
            m_scratch += ".";
            Arm(TargetTimer, TargetMs);
            return;
        }
        m_host.DebugLog(m_host.TakeTargetLog(m_target));
        m_host.DebugLog(m_scratch);
        m_host.DebugLog("\nProcess ended\n\n");
        m_scratch.Empty();
    } else {
        if (m_host.IsTargetWaitingOnFailsafe(m_target)) {
            m_scratch += ".";
            Arm(TargetTimer, TargetMs);
            return;
        }
        m_host.DebugLog(m_host.TakeTargetLog(m_target));
    }
    NextTarget();
}

void CRunSequencer::NextTarget()
{
    ++m_target;
    if (m_target < m_options.numTargets) {
        m_host.SetStatus(m_host.GetTargetFilename(m_target));
        if (!m_options.preload) {
            m_host.SetTargetTestMode(m_target);
            m_host.LaunchTarget(m_target);
        }
        m_host.ShowTarget(m_target);
        Arm(TargetTimer, TargetMs);
        m_host.ShowTaskbar(!m_host.IsTargetFullScreen(m_target));
        return;
    }
    if (m_options.repeat) {
        m_target = 0;
        Arm(StartTimer, StartMs);
        return;
    }
    End(true);
}
