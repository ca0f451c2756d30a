// The running processes: name, full path and id of each, listed anew by every find and test.
// Windows 9x lists them through Toolhelp32, the NT family through PSAPI (both looked up at
// run time); the native tree reads /proc.
#pragma once
#include "ProcessInfo_Tag.h"

#include <vector>

class CProcessList {
public:
    static constexpr int MaxEntries = 1024;

    CProcessList();
    virtual ~CProcessList();

    // Lists again; returns the entries (count set to their number).
    const ProcessInfo_Tag* Refresh(int& count);
    // Lists again and keeps only the entries whose id the previous listing did not have.
    const ProcessInfo_Tag* GetNewProcesses(int& count);
    // Name, path and id of an entry of the last listing; false past the end.
    bool GetAt(int index, ProcessInfo_Tag& info) const;
    int GetCount() const { return static_cast<int>(m_entries.size()); }

    bool FindByID(DWORD id, ProcessInfo_Tag& info);
    bool FindByName(const char* name, ProcessInfo_Tag& info);
    bool FindOtherByName(const char* name, DWORD id, ProcessInfo_Tag& info);

    // A record holding the handle of a process started here is tested by that handle (ids are
    // reused once a process has ended); else by id, else by full path, else by name.
    bool IsRunning(const ProcessInfo_Tag& info);
    bool IsIDRunning(DWORD id);
    bool IsPathRunning(const char* path);
    bool IsNameRunning(const char* name);

    // One line "%s\t%s\t%x\n" per process, listed again.
    CString Dump();

    DWORD GetPlatformId() const { return m_platformId; }

protected:
    // Fills the entries through Append; the platform's listing unless a subclass knows better.
    virtual void Enumerate();
    virtual bool IsHandleRunning(HANDLE process) const;
    // Name is the part after the last backslash (or slash) of path when name is null.
    void Append(const char* name, const char* path, DWORD id);

#ifdef _WIN32
    void EnumToolhelp();
    void EnumPsapi();
#endif

private:
    DWORD m_platformId;
    std::vector<ProcessInfo_Tag> m_entries;
};
