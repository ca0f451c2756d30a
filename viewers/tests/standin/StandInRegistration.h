// Registers the stand-in browser in HKEY_CLASSES_ROOT in place of the system's browser for
// as long as the object lives (this Wine ignores per-user classes), then puts the system's
// entry back; and ends a stand-in's process by one of its windows.
// A web page is left open when its viewer goes, so a stand-in of an earlier test may still be
// running: every stand-in process is ended when the registration begins and when it ends, so
// that a test finds only the windows its own run opened.
#pragma once
#include "StandInBrowser.h"

#include <tlhelp32.h>

#include <string>
#include <vector>

class StandInRegistration {
public:
    // The stand-in program lies in folder.
    explicit StandInRegistration(const std::string& folder)
    {
        EndEveryStandIn();
        m_saved = ReadDefault("InternetExplorer.Application.1\\CLSID", m_had);
        WriteDefault("CLSID\\" STANDIN_CLSID_TEXT "\\LocalServer32", folder + "\\velmora_standin_browser.exe");
        WriteDefault("InternetExplorer.Application.1\\CLSID", STANDIN_CLSID_TEXT);
    }
    ~StandInRegistration()
    {
        for (DWORD pid : m_processes)
            EndProcess(pid);
        EndEveryStandIn();
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

    // Ends every running process of the stand-in program.
    static void EndEveryStandIn()
    {
        HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE)
            return;
        std::vector<DWORD> found;
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
            if (::lstrcmpiA(entry.szExeFile, "velmora_standin_browser.exe") == 0)
                found.push_back(entry.th32ProcessID);
        ::CloseHandle(snapshot);
        for (DWORD pid : found)
            if (HANDLE p = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
                ::TerminateProcess(p, 1);
                ::WaitForSingleObject(p, 3000);
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
