#include "CommandLineText.h"

#include <cstring>

namespace {

int FindNoCase(const CString& s, const char* sub)
{
    CString lower(s), subLower(sub);
    lower.MakeLower();
    subLower.MakeLower();
    return lower.Find(subLower);
}

}

CString FileNameOf(const CString& path)
{
    int cut = -1;
    for (int i = 0; i < path.GetLength(); ++i)
        if (path[i] == '\\' || path[i] == '/')
            cut = i;
    return path.Mid(cut + 1);
}

namespace {
const char* const WindowStateMarks[] = {" /showCmdMAX", " /showCmdMIN"};
}

CString WithWindowState(const CString& parameters, int state)
{
    return state == 1 || state == 2 ? parameters + WindowStateMarks[state - 1] : parameters;
}

int TakeWindowState(CString& parameters)
{
    for (int state = 1; state <= 2; ++state) {
        const int at = parameters.Find(WindowStateMarks[state - 1]);
        if (at >= 0) {
            parameters.Delete(at, static_cast<int>(std::strlen(WindowStateMarks[state - 1])));
            return state;
        }
    }
    return 0;
}

CString ExtensionOf(const CString& targetFilename)
{
    if (targetFilename.Left(7).CompareNoCase("mailto:") == 0)
        return CString();
    const CString name = FileNameOf(targetFilename);
    const int dot = name.ReverseFind('.');
    if (dot < 0)
        return CString();
    CString ext = name.Mid(dot);
    ext.MakeLower();
    return ext;
}

CString CleanRegisteredCommand(const CString& command, const CString& systemRoot)
{
    CString out(command);
    for (int at; (at = FindNoCase(out, "%SystemRoot%")) >= 0;)
        out = out.Left(at) + systemRoot + out.Mid(at + 12);
    static const char* const extra[] = { "\"%2\"", "\"%3\"", "\"%4\"", "\"%*\"", "%2", "%3", "%4", "%*" };
    for (const char* form : extra)
        out.Replace(form, "");
    return out;
}

CString PlaceArguments(const CString& command, const CString& arguments)
{
    static const char* const forms[] = { "\"%1\"", "%1", "\"%L\"", "%L", "\"%l\"", "%l" };
    CString out(command);
    for (const char* form : forms) {
        if (out.Find(form) >= 0) {
            out.Replace(form, arguments);
            return out;
        }
    }
    return out + arguments;
}

CString ProgramPathOf(const CString& commandLine)
{
    CString program;
    if (commandLine.Left(1) == "\"") {
        const int close = commandLine.Find('"', 1);
        program = close < 0 ? commandLine.Mid(1) : commandLine.Mid(1, close - 1);
    } else {
        const int dot = commandLine.Find('.');
        program = dot < 0 ? commandLine : commandLine.Left(dot + 4);
    }
    program.Remove('"');
    program.TrimRight(' ');
    return program;
}

CString WithoutSkFlag(const CString& commandLine)
{
    if (commandLine.Find("iexplore.exe") == 0 || commandLine.Find("-sk") == 0)
        return commandLine;
    CString out(commandLine);
    out.Replace("-sk", "");
    return out;
}
