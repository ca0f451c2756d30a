// Reading and building the command lines with which targets are opened: the commands the
// registry holds for a file type, the program named at their head, and target names.
#pragma once
#include "CString.h"
#include "ViewersExport.h"

// The window state a target opens in travels at the end of its stored parameters:
// " /showCmdMAX" for 1 (maximised), " /showCmdMIN" for 2 (minimised), nothing for 0.
// WithWindowState adds the mark for the state; TakeWindowState takes the first mark out
// of the parameters and gives its state, 0 when they carry none.
VIEWERS_API CString WithWindowState(const CString& parameters, int state);
VIEWERS_API int TakeWindowState(CString& parameters);

// The extension of a target, with its dot and lower-cased, taken from the last component
// of the path only; empty when that has none, and for "mailto:" links.
VIEWERS_API CString ExtensionOf(const CString& targetFilename);

// The part of a path after its last backslash or slash.
VIEWERS_API CString FileNameOf(const CString& path);

// A registered command made ready: "%SystemRoot%" expanded, the placeholders of further
// arguments ("%2" to "%4" and "%*", quoted or not) removed.
VIEWERS_API CString CleanRegisteredCommand(const CString& command, const CString& systemRoot);

// Puts the argument text in place of the first placeholder form that occurs ("\"%1\"", "%1",
// "\"%L\"", "%L", "\"%l\"", "%l", every occurrence of it), or appends it when none does.
VIEWERS_API CString PlaceArguments(const CString& command, const CString& arguments);

// The program at the head of a command line: the quoted part when it starts with a quote,
// else up to three characters past the first dot; quotes removed, trailing blanks trimmed.
VIEWERS_API CString ProgramPathOf(const CString& commandLine);

// "-sk" removed, unless the command starts with "iexplore.exe" or with "-sk" itself.
VIEWERS_API CString WithoutSkFlag(const CString& commandLine);
