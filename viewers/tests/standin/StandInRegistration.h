// Registers the stand-in browser in HKEY_CLASSES_ROOT in place of the system's browser for
// as long as the object lives (this Wine ignores per-user classes), then puts the system's
// entry back; and ends a stand-in's process by one of its windows.
#pragma once
#include "StandInBrowser.h"

#include <string>
#include <vector>

class StandInRegistration {
public:
    // The stand-in program lies in folder.
    explicit StandInRegistration(const std::string& folder)
    {
        m_saved = ReadDefault("InternetExplorer.Application.1\\CLSID", m_had);
        WriteDefault("CLSID\\" STANDIN_CLSID_TEXT "\\LocalServer32", folder + "\\velmora_standin_browser.exe");
        WriteDefault("InternetExplorer.Application.1\\CLSID", STANDIN_CLSID_TEXT);
    }
    ~StandInRegistration()
    {
        for (DWORD pid : m_processes)
            EndProcess(pid);
        if (m_had)
            WriteDefault("InternetExplorer.Application.1\\CLSID", m_saved);
        else
            ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "InternetExplorer.Application.1\\CLSID");
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "CLSID\\" STANDIN_CLSID_TEXT "\\LocalServer32");
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "CLSID\\" STANDIN_CLSID_TEXT);
    }
    StandInRegistration(const StandInRegistration&) = delete;
    StandInRegistration& operator=(const StandInRegistration&) = delete;

    // Remembers the process of a stand-in's window while the window exists, so that it is
    // ended with this object even when the window is gone by then.
    void Track(HWND window)
    {
        DWORD pid = 0;
        if (window && ::GetWindowThreadProcessId(window, &pid) && pid)
            m_processes.push_back(pid);
    }
    // Waits a little for the process of the window to end, then ends it.
    static void EndProcessOf(HWND window)
    {
        DWORD pid = 0;
        if (window && ::GetWindowThreadProcessId(window, &pid) && pid)
            EndProcess(pid);
    }
    static void EndProcess(DWORD pid)
    {
        if (HANDLE p = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
            if (::WaitForSingleObject(p, 3000) != WAIT_OBJECT_0)
                ::TerminateProcess(p, 1);
            ::CloseHandle(p);
        }
    }

private:
    static std::string ReadDefault(const char* key, bool& found)
    {
        char value[512] = {};
        LONG size = sizeof value;
        found = ::RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) == ERROR_SUCCESS;
        return found ? std::string(value) : std::string();
    }
    static void WriteDefault(const char* key, const std::string& value)
    {
        ::RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value.c_str(), DWORD(value.size()));
    }

    std::vector<DWORD> m_processes;
    std::string m_saved;
    bool m_had = false;
};
