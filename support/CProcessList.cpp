#include "CProcessList.h"

#include <algorithm>
#include <cstdio>
#include <set>

#ifdef _WIN32
#include <tlhelp32.h>
#else
#include <dirent.h>
#include <unistd.h>
#include <cstdlib>
#endif

namespace {

CString FilePart(const char* path)
{
    CString p(path);
    int cut = -1;
    for (int i = 0; i < p.GetLength(); ++i)
        if (p[i] == '\\' || p[i] == '/')
            cut = i;
    return p.Mid(cut + 1);
}

}

CProcessList::CProcessList()
{
#ifdef _WIN32
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    m_platformId = version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : version.dwPlatformId;
#else
    m_platformId = 2;
#endif
    m_entries.reserve(MaxEntries);
}

CProcessList::~CProcessList() = default;

const ProcessInfo_Tag* CProcessList::Refresh(int& count)
{
    m_entries.clear();
    Enumerate();
    count = GetCount();
    return m_entries.data();
}

const ProcessInfo_Tag* CProcessList::GetNewProcesses(int& count)
{
    std::set<DWORD> before;
    for (const ProcessInfo_Tag& e : m_entries)
        before.insert(e.ProcessID);
    Refresh(count);
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [&](const ProcessInfo_Tag& e) { return before.count(e.ProcessID) != 0; }),
                    m_entries.end());
    count = GetCount();
    return m_entries.data();
}

bool CProcessList::GetAt(int index, ProcessInfo_Tag& info) const
{
    info.ProcessName.Empty();
    info.ProcessPath.Empty();
    info.ProcessID = 0;
    if (index < 0 || index >= GetCount())
        return false;
    info.ProcessName = m_entries[index].ProcessName;
    info.ProcessPath = m_entries[index].ProcessPath;
    info.ProcessID = m_entries[index].ProcessID;
    return true;
}

bool CProcessList::FindByID(DWORD id, ProcessInfo_Tag& info)
{
    int count = 0;
    Refresh(count);
    for (int i = 0; i < count; ++i)
        if (m_entries[i].ProcessID == id)
            return GetAt(i, info);
    return false;
}

bool CProcessList::FindByName(const char* name, ProcessInfo_Tag& info)
{
    int count = 0;
    Refresh(count);
    for (int i = 0; i < count; ++i)
        if (m_entries[i].ProcessName.CompareNoCase(name) == 0)
            return GetAt(i, info);
    return false;
}

bool CProcessList::FindOtherByName(const char* name, DWORD id, ProcessInfo_Tag& info)
{
    int count = 0;
    Refresh(count);
    for (int i = 0; i < count; ++i)
        if (m_entries[i].ProcessName.CompareNoCase(name) == 0 && m_entries[i].ProcessID != id)
            return GetAt(i, info);
    return false;
}

bool CProcessList::IsRunning(const ProcessInfo_Tag& info)
{
    if (info.hProcess)
        return IsHandleRunning(info.hProcess);
    if (info.ProcessID != 0)
        return IsIDRunning(info.ProcessID);
    if (!info.ProcessPath.IsEmpty())
        return IsPathRunning(info.ProcessPath);
    return IsNameRunning(info.ProcessName);
}

bool CProcessList::IsIDRunning(DWORD id)
{
    ProcessInfo_Tag found;
    return FindByID(id, found);
}

bool CProcessList::IsPathRunning(const char* path)
{
    int count = 0;
    Refresh(count);
    for (int i = 0; i < count; ++i)
        if (m_entries[i].ProcessPath.CompareNoCase(path) == 0)
            return true;
    return false;
}

bool CProcessList::IsNameRunning(const char* name)
{
    ProcessInfo_Tag found;
    return FindByName(name, found);
}

CString CProcessList::Dump()
{
    int count = 0;
    Refresh(count);
    CString out;
    for (const ProcessInfo_Tag& e : m_entries) {
        CString line;
        line.Format("%s\t%s\t%x\n", e.ProcessName.c_str(), e.ProcessPath.c_str(), static_cast<unsigned>(e.ProcessID));
        out += line;
    }
    return out;
}

void CProcessList::Append(const char* name, const char* path, DWORD id)
{
    if (GetCount() >= MaxEntries)
        return;
    ProcessInfo_Tag e;
    e.ProcessPath = path;
    e.ProcessName = name ? CString(name) : FilePart(path);
    e.ProcessID = id;
    m_entries.push_back(e);
}

#ifdef _WIN32

bool CProcessList::IsHandleRunning(HANDLE process) const
{
    return WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

void CProcessList::Enumerate()
{
    if (m_platformId == 1)
        EnumToolhelp();
    else
        EnumPsapi();
}

void CProcessList::EnumToolhelp()
{
    typedef HANDLE(WINAPI * SnapshotFn)(DWORD, DWORD);
    typedef BOOL(WINAPI * WalkFn)(HANDLE, LPPROCESSENTRY32);
    HMODULE kernel = LoadLibraryA("Kernel32.DLL");
    if (!kernel)
        return;
    auto snapshot = reinterpret_cast<SnapshotFn>(GetProcAddress(kernel, "CreateToolhelp32Snapshot"));
    auto first = reinterpret_cast<WalkFn>(GetProcAddress(kernel, "Process32First"));
    auto next = reinterpret_cast<WalkFn>(GetProcAddress(kernel, "Process32Next"));
    if (snapshot && first && next) {
        HANDLE snap = snapshot(TH32CS_SNAPPROCESS, 0);
        if (snap != INVALID_HANDLE_VALUE) {
            PROCESSENTRY32 entry = {};
            entry.dwSize = sizeof entry;
            for (BOOL more = first(snap, &entry); more && GetCount() < MaxEntries; more = next(snap, &entry)) {
                char full[MAX_PATH];
                char* filePart = nullptr;
                if (GetFullPathNameA(entry.szExeFile, MAX_PATH, full, &filePart) && filePart)
                    Append(filePart, full, entry.th32ProcessID);
                else
                    Append(nullptr, entry.szExeFile, entry.th32ProcessID);
                entry.dwSize = sizeof entry;
            }
            CloseHandle(snap);
        }
    }
    FreeLibrary(kernel);
}

void CProcessList::EnumPsapi()
{
    typedef BOOL(WINAPI * EnumProcessesFn)(DWORD*, DWORD, DWORD*);
    typedef DWORD(WINAPI * ModuleNameFn)(HANDLE, HMODULE, LPSTR, DWORD);
    typedef BOOL(WINAPI * EnumModulesFn)(HANDLE, HMODULE*, DWORD, LPDWORD);
    HMODULE psapi = LoadLibraryA("PSAPI.DLL");
    // The 16-bit task listing is only a bonus of NT 4: without VDMDBG.DLL the 32-bit
    // processes are still listed.
    HMODULE vdmdbg = LoadLibraryA("VDMDBG.DLL");
    if (psapi) {
        auto enumProcesses = reinterpret_cast<EnumProcessesFn>(GetProcAddress(psapi, "EnumProcesses"));
        auto fileName = reinterpret_cast<ModuleNameFn>(GetProcAddress(psapi, "GetModuleFileNameExA"));
        auto baseName = reinterpret_cast<ModuleNameFn>(GetProcAddress(psapi, "GetModuleBaseNameA"));
        auto enumModules = reinterpret_cast<EnumModulesFn>(GetProcAddress(psapi, "EnumProcessModules"));
        DWORD ids[MaxEntries];
        DWORD bytes = 0;
        if (enumProcesses && fileName && baseName && enumModules && enumProcesses(ids, sizeof ids, &bytes)) {
            const DWORD n = bytes / sizeof(DWORD);
            for (DWORD i = 0; i < n && GetCount() < MaxEntries; ++i) {
                HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i]);
                if (!process)
                    continue;
                HMODULE module = nullptr;
                DWORD needed = 0;
                char path[MAX_PATH] = "";
                if (enumModules(process, &module, sizeof module, &needed)
                    && fileName(process, module, path, MAX_PATH)) {
                    char full[MAX_PATH];
                    char* filePart = nullptr;
                    if (GetFullPathNameA(path, MAX_PATH, full, &filePart) && filePart)
                        Append(filePart, full, ids[i]);
                    else
                        Append(nullptr, path, ids[i]);
                }
                CloseHandle(process);
            }
        }
        FreeLibrary(psapi);
    }
    if (vdmdbg)
        FreeLibrary(vdmdbg);
}

#else

bool CProcessList::IsHandleRunning(HANDLE) const { return false; }

void CProcessList::Enumerate()
{
    DIR* dir = opendir("/proc");
    if (!dir)
        return;
    while (dirent* d = readdir(dir)) {
        char* end = nullptr;
        const unsigned long id = std::strtoul(d->d_name, &end, 10);
        if (!id || *end)
            continue;
        char link[64], path[4096];
        std::snprintf(link, sizeof link, "/proc/%lu/exe", id);
        const ssize_t n = readlink(link, path, sizeof path - 1);
        if (n <= 0)
            continue;
        path[n] = 0;
        Append(nullptr, path, static_cast<DWORD>(id));
        if (GetCount() >= MaxEntries)
            break;
    }
    closedir(dir);
}

#endif
