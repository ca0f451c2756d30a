// The run's sequencing on a host with a clock of its own: timers fire in time order, and
// every call the sequencer makes is recorded with the time it was made at.
#include "CRunSequencer.h"
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

struct Target {
    int type = CRunSequencer::FileType;
    int aliveUntil = 0;         // alive while the clock is below this
    int failsafeUntil = 0;      // waiting on its failsafe program while the clock is below this
    int movingUntil = 0;
    bool fullScreen = false;
};

class FakeHost : public CRunHost {
public:
    int now = 0;
    std::map<int, int> due; // timer id -> time
    std::vector<std::string> calls;
    std::vector<std::string> status;
    std::string debug;
    std::vector<Target> targets;
    std::vector<int> additionalAliveUntil;
    bool hasSplash = false;
    int splashAliveUntil = 0;
    bool splashBackground = false;
    bool music = false;
    bool agree = true;
    int agreementGates = 0;
    bool ended = false;
    bool finished = false;
    std::function<void(FakeHost&)> onLaunch;

    void Record(const std::string& what) { calls.push_back(std::to_string(now) + " " + what); }
    // Runs the timers in time order until the player ends (or steps run out).
    void Run(CRunSequencer& seq, int maxSteps = 10000)
    {
        seq.Start();
        for (int step = 0; step < maxSteps && !ended && !due.empty(); ++step) {
            auto next = due.begin();
            for (auto it = due.begin(); it != due.end(); ++it)
                if (it->second < next->second)
                    next = it;
            now = next->second;
            const int id = next->first;
            // A Windows timer repeats until it is killed; the sequencer kills it first.
            next->second = now + 1000000;
            seq.OnTimer(id);
        }
    }
    bool Alive(int until) const { return now < until; }
    int Count(const std::string& what) const
    {
        int n = 0;
        for (const std::string& c : calls)
            n += c.substr(c.find(' ') + 1) == what;
        return n;
    }
    std::vector<int> TimesOf(const std::string& what) const
    {
        std::vector<int> t;
        for (const std::string& c : calls)
            if (c.substr(c.find(' ') + 1) == what)
                t.push_back(std::stoi(c));
        return t;
    }

    void StartTimer(int id, int ms) override { due[id] = now + ms; }
    void KillTimer(int id) override { due.erase(id); }
    void SetStatus(const CString& text) override { status.push_back(text.str()); }
    void DebugLog(const CString& text) override { debug += text.str(); }
    void PrepareWindow(bool preload) override { Record(preload ? "prepare preload" : "prepare"); }
    void FitToWorkArea() override { Record("fit"); }
    void SetTopmost(bool) override {}
    void MakeForeground() override {}
    void HideWindow() override { Record("hide"); }
    void ShowTaskbar(bool show) override { Record(show ? "taskbar on" : "taskbar off"); }
    void EndPlayer(bool f) override { ended = true; finished = f; Record("end"); }
    bool RunAgreementGate() override { ++agreementGates; return agree; }
    void LaunchAdditionalViewer(int i) override { Record("check " + std::to_string(i)); }
    bool IsAdditionalViewerAlive(int i) override { return Alive(additionalAliveUntil.at(size_t(i))); }
    CString TakeAdditionalViewerLog(int i) override { return CString(("[check " + std::to_string(i) + " log]").c_str()); }
    void StartSplash() override { Record("splash"); }
    bool IsSplashAlive() override { return Alive(splashAliveUntil); }
    bool SplashShowsBackground() override { return splashBackground; }
    bool HasMusic() override { return music; }
    void PlayMusic() override { Record("music play"); }
    void StopMusic() override { Record("music stop"); }
    int GetTargetType(int i) override { return targets.at(size_t(i)).type; }
    CString GetTargetFilename(int i) override { return CString(("target" + std::to_string(i) + ".doc").c_str()); }
    void SetTargetTestMode(int i) override { Record("test mode " + std::to_string(i)); }
    void LaunchTarget(int i) override
    {
        Record("launch " + std::to_string(i));
        if (onLaunch)
            onLaunch(*this);
    }
    void ShowTarget(int i) override { Record("show " + std::to_string(i)); }
    bool IsTargetAlive(int i) override { return Alive(targets.at(size_t(i)).aliveUntil); }
    bool IsTargetWaitingOnFailsafe(int i) override { return Alive(targets.at(size_t(i)).failsafeUntil); }
    bool IsTargetFullScreen(int i) override { return targets.at(size_t(i)).fullScreen; }
    bool IsTargetWindowMoving(int i) override { return Alive(targets.at(size_t(i)).movingUntil); }
    CString TakeTargetLog(int i) override { return CString(("[target " + std::to_string(i) + " log]").c_str()); }
};

RunOptions Options(const FakeHost& host)
{
    RunOptions o;
    o.numTargets = int(host.targets.size());
    o.numAdditionalViewers = int(host.additionalAliveUntil.size());
    o.splash = host.hasSplash;
    return o;
}

} // namespace

TEST(RunSequencer, NoTargetsEndsAtTheFirstTick)
{
    FakeHost host;
    CRunSequencer seq(host, Options(host));
    host.Run(seq);
    EXPECT_TRUE(host.ended);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"100 prepare", "100 end"}));
    EXPECT_EQ(host.agreementGates, 0);
}

TEST(RunSequencer, DocumentTargetsFollowEachOtherWithoutWaiting)
{
    FakeHost host;
    host.targets.resize(3);
    for (Target& t : host.targets)
        t.aliveUntil = 100000; // still open: not waited for
    CRunSequencer seq(host, Options(host));
    host.Run(seq);
    const std::vector<int> launches = {host.TimesOf("launch 0")[0], host.TimesOf("launch 1")[0], host.TimesOf("launch 2")[0]};
    EXPECT_EQ(launches, (std::vector<int>{110, 160, 210}));
    EXPECT_LE(launches[2] - launches[0], 150);
    EXPECT_TRUE(host.ended);
    EXPECT_TRUE(host.finished);
    EXPECT_EQ(host.Count("test mode 1"), 1);
    EXPECT_EQ(host.Count("show 2"), 1);
    EXPECT_EQ(host.status, (std::vector<std::string>{"Initializing, Please wait ...", "target0.doc", "target1.doc", "target2.doc"}));
    EXPECT_EQ(host.debug, "[target 0 log][target 1 log][target 2 log]");
    EXPECT_EQ(host.agreementGates, 1);
}

TEST(RunSequencer, WebAndOtherWindowTargetsAreAlwaysWaitedFor)
{
    FakeHost host;
    host.targets.resize(2);
    host.targets[0].type = CRunSequencer::WebType;
    host.targets[0].movingUntil = 400;
    host.targets[0].aliveUntil = 1000;
    host.targets[1].type = 6; // slideshow
    host.targets[1].aliveUntil = 2000;
    CRunSequencer seq(host, Options(host));
    host.Run(seq);
    EXPECT_EQ(host.TimesOf("launch 1"), (std::vector<int>{1010}));
    EXPECT_EQ(host.TimesOf("end"), (std::vector<int>{2010}));
}

TEST(RunSequencer, WaitForEachTargetWaitsAndLogsTheWait)
{
    FakeHost host;
    host.targets.resize(2);
    host.targets[0].aliveUntil = 300;
    host.targets[1].failsafeUntil = 500;
    RunOptions o = Options(host);
    o.waitForEachTarget = true;
    CRunSequencer seq(host, o);
    host.Run(seq);
    EXPECT_EQ(host.TimesOf("launch 1"), (std::vector<int>{310}));
    EXPECT_EQ(host.TimesOf("end"), (std::vector<int>{510}));
    // Target 0: the polls at 160, 210 and 260 found it open, the one at 310 closed.
    EXPECT_EQ(host.debug, "[target 0 log]...\nProcess ended\n\n[target 1 log]...\nProcess ended\n\n");
}

TEST(RunSequencer, AFailsafeProgramHoldsTheRunAlsoWithoutWaiting)
{
    FakeHost host;
    host.targets.resize(2);
    host.targets[0].failsafeUntil = 600;
    CRunSequencer seq(host, Options(host));
    host.Run(seq);
    EXPECT_EQ(host.TimesOf("launch 1"), (std::vector<int>{610}));
}

TEST(RunSequencer, RepeatAsksTheAgreementOnceAndStopsTheMusicBeforePlayingItAgain)
{
    FakeHost host;
    host.targets.resize(1);
    host.music = true;
    host.additionalAliveUntil = {0};
    RunOptions o = Options(host);
    o.repeat = true;
    CRunSequencer seq(host, o);
    host.onLaunch = [](FakeHost& h) {
        if (h.Count("launch 0") == 3)
            h.ended = true; // the user closes the player on the third pass
    };
    host.Run(seq);
    EXPECT_EQ(host.agreementGates, 1);
    EXPECT_EQ(host.Count("check 0"), 1); // the checks ran once, and never past the last
    EXPECT_EQ(host.Count("music play"), 3);
    EXPECT_EQ(host.Count("music stop"), 2);
    std::vector<std::string> music;
    for (const std::string& c : host.calls)
        if (c.find("music") != std::string::npos)
            music.push_back(c.substr(c.find(' ') + 1));
    EXPECT_EQ(music, (std::vector<std::string>{"music play", "music stop", "music play", "music stop", "music play"}));
}

TEST(RunSequencer, RefusingTheAgreementEndsWithNothingOpened)
{
    FakeHost host;
    host.targets.resize(2);
    host.agree = false;
    CRunSequencer seq(host, Options(host));
    host.Run(seq);
    EXPECT_TRUE(host.ended);
    EXPECT_FALSE(host.finished); // targets would be ended at exit
    EXPECT_EQ(host.Count("launch 0"), 0);
}

TEST(RunSequencer, AdditionalViewersAreCheckedInTurnBeforeTheSplash)
{
    FakeHost host;
    host.targets.resize(1);
    host.additionalAliveUntil = {700, 0};
    host.hasSplash = true;
    host.splashAliveUntil = 1400;
    CRunSequencer seq(host, Options(host));
    host.Run(seq);
    EXPECT_EQ(host.TimesOf("check 0"), (std::vector<int>{100}));
    EXPECT_EQ(host.TimesOf("check 1"), (std::vector<int>{850}));
    EXPECT_EQ(host.TimesOf("splash"), (std::vector<int>{1100}));
    EXPECT_EQ(host.TimesOf("launch 0"), (std::vector<int>{1400}));
    EXPECT_EQ(host.status.at(1), "Checking for compatibility  ...");
    EXPECT_EQ(host.debug, "[check 0 log][check 1 log]Splash Started...\n..Splash End\n\n[target 0 log]");
}

TEST(RunSequencer, PreloadLaunchesEveryTargetOnceThenShowsThemInTurn)
{
    FakeHost host;
    host.targets.resize(3);
    host.targets[1].failsafeUntil = 450; // its failsafe program runs during the pre-load
    host.targets[2].fullScreen = true;
    RunOptions o = Options(host);
    o.preload = true;
    CRunSequencer seq(host, o);
    host.Run(seq);
    EXPECT_EQ(host.Count("launch 0"), 1);
    EXPECT_EQ(host.Count("launch 1"), 1); // not again once its failsafe program ended
    EXPECT_EQ(host.Count("launch 2"), 1);
    EXPECT_EQ(host.Count("test mode 0"), 0);
    EXPECT_EQ(host.status, (std::vector<std::string>{"Initializing, Please wait ...", "Loading ... 0%", "Loading ... 33%",
                                                     "Loading ... 67%", "Loading ... 100%", "target0.doc", "target1.doc",
                                                     "target2.doc"}));
    EXPECT_LT(host.TimesOf("launch 2")[0], host.TimesOf("show 0")[0]);
    EXPECT_EQ(host.Count("fit"), 1);
    EXPECT_EQ(host.calls.front(), "100 prepare preload");
    EXPECT_EQ(host.calls.back(), host.TimesOf("end").size() ? std::to_string(host.TimesOf("end")[0]) + " end" : "");
    // The full-screen target hides the taskbar.
    EXPECT_EQ(host.Count("taskbar off"), 1);
}

TEST(RunSequencer, StaleTicksChangeNothing)
{
    FakeHost host;
    host.targets.resize(1);
    CRunSequencer seq(host, Options(host));
    seq.Start();
    seq.OnTimer(CRunSequencer::TargetTimer);
    seq.OnTimer(CRunSequencer::SplashTimer);
    seq.OnTimer(99);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(seq.IsTimerRunning(CRunSequencer::StartTimer));
}
