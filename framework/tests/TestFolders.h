// Folders a Windows test program finds itself in.
#pragma once
#include <windows.h>

#include <string>

// The folder of the running test program.
inline std::string Here()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string s = path;
    return s.substr(0, s.rfind('\\'));
}

// The system folder (where the shared run-time libraries of a Wine prefix are found).
inline std::string SystemFolder()
{
    char path[MAX_PATH] = {};
    ::GetSystemDirectoryA(path, MAX_PATH);
    return path;
}
