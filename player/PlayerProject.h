// What the player keeps of a project data file's top-level fields, with the defaults it
// has before loading. The targets' own records are read by their viewers.
#pragma once
#include "CString.h"
#include "DataFileVersion.h"
#include "WinTypes.h"
#include <vector>

struct AdditionalViewerEntry {
    CString extension;        // "." + the stored extension, lower-cased
    CString failsafeProgram;  // the installer to run
    CString confirmation;     // shown before it runs; line breaks as CR LF; empty: no question
    CString minimumVersion;
};

struct AgreementBlock {
    bool present = false;
    int mode = 0;             // 3: show the text and wait for "I Agree"
    CString text;
};

struct PlayerProject {
    static const int MaxTargets = 10;
    static const int MaxAdditionalViewers = 3;
    static const int MaxAgreementStrings = 1000;

    bool loaded = false;
    DataFileVersion version;
    CString projectKey;
    int singleInstance = 1;
    int repeat = 0;
    int waitForEachTarget = 0;
    int preload = 0;
    COLORREF backgroundColor = 0;
    int music = 0;
    CString musicFile;
    int verbose = 0;
    int hide = 0;
    int suppressAOL = 0;
    int debugLog = 0;
    int splash = 0;
    CString splashImage;
    CString splashSound;
    int splashDuration = 0;
    int splashShowBackground = 0;
    COLORREF splashBackgroundColor = 0;
    std::vector<AdditionalViewerEntry> additionalViewers;
    AgreementBlock agreement;
    int numTargets = 0;
};
