#include "CInstallation.h"
#include "CDeleteBatch.h"
#include "CFolderChain.h"
#include "CInstallRules.h"
#include "CRegistryKey.h"
#include "SafeName.h"
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <cstring>
#include <string>

const char CInstallation::uninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora";
const char CInstallation::temp[] = "C:\\CorvexTemp";

namespace {

const char kCorvexKey[] = "SOFTWARE\\Corvex Software";
const char kDesktopLink[] = "\\Velmora Composer.lnk";

CString SpecialFolder(int csidl, const char* fallback)
{
    char path[MAX_PATH] = {};
    if (::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) && path[0])
        return CString(path);
    return CString(fallback);
}

CString Parent(const CString& path)
{
    const int cut = path.ReverseFind('\\');
    return cut > 0 ? path.Left(cut) : CString();
}

} // namespace

CString CInstallation::ProgramFilesDir()
{
    CString value;
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    if (!key.QueryString("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", value) || value.IsEmpty())
        value = "C:\\Program Files";
    return value;
}

CString CInstallation::ProgramsFolder()
{
    return SpecialFolder(CSIDL_PROGRAMS, "C:\\Documents and Settings\\All Users\\Start Menu\\Programs");
}

CString CInstallation::DesktopFolder()
{
    return SpecialFolder(CSIDL_DESKTOP, "C:\\Documents and Settings\\All Users\\Desktop");
}

bool CInstallation::MakeShellLink(const char* target, const char* link, const char* description)
{
    const HRESULT init = ::CoInitialize(nullptr);
    bool ok = false;
    IShellLinkA* shellLink = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                     reinterpret_cast<void**>(&shellLink)))) {
        shellLink->SetPath(target);
        shellLink->SetDescription(description);
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            WCHAR wide[MAX_PATH] = {};
            ::MultiByteToWideChar(CP_ACP, 0, link, -1, wide, MAX_PATH - 1);
            ok = file->Save(wide, TRUE) == S_OK;
            file->Release();
        }
        shellLink->Release();
    }
    if (SUCCEEDED(init))
        ::CoUninitialize();
    return ok;
}

void CInstallation::Step(CProgressCtrl* progress)
{
    if (progress) {
        progress->StepIt();
        progress->UpdateWindow();
    }
    ::Sleep(25);
}

bool CInstallation::CopyFiles(const CString& tempFolder, const CString& installFolder, CProgressCtrl* progress)
{
    CFolderChain chain(m_list);
    bool ok = chain.Make(installFolder);
    for (int i = 0; i < m_list.fileCount; ++i) {
        CListRecord& r = m_list.files[i];
        const CString source = tempFolder + "\\" + r.field1;
        const CString destination = installFolder + "\\" + r.field3;
        BOOL copied = ::CopyFileA(source, destination, FALSE);
        if (!copied && ::GetLastError() == ERROR_PATH_NOT_FOUND && chain.Make(Parent(destination)))
            copied = ::CopyFileA(source, destination, FALSE);
        std::string absolute(destination.c_str());
        if (absolute.size() > CInstallList::maxField)
            absolute.resize(CInstallList::maxField); // cannot happen below MAX_PATH
        std::strcpy(r.field3, absolute.c_str());
        r.flag = copied ? 1 : 0;
        ok = ok && copied;
        Step(progress);
    }
    return ok;
}

void CInstallation::MakeShortcuts(const CString& installFolder, CProgressCtrl* progress)
{
    const CString programs = ProgramsFolder();
    const int menus = m_list.menuCount;
    for (int i = 0; i < menus; ++i) {
        const CListRecord& m = m_list.menus[i];
        const CString folder = Parent(programs + m.field3);
        CFolderChain(m_list).Make(folder);
        const CString link = folder + "\\" + m.field1 + ".lnk";
        const CString target = installFolder + "\\" + (m.field2[0] ? m.field2 : "Uninstall.exe");
        if (MakeShellLink(target, link, m.field1))
            m_list.AddFile("", "", link, 1);
        Step(progress);
    }
}

bool CInstallation::Install(const CString& tempFolder, const CString& installFolder, CProgressCtrl* progress)
{
    bool ok = CopyFiles(tempFolder, installFolder, progress);
    MakeShortcuts(installFolder, progress);
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    ok = key.SetString(uninstallKey, "DisplayName", "Velmora 2.9") && ok;
    ok = key.SetString(uninstallKey, "UninstallString", installFolder + "\\Uninstall.exe") && ok;
    return ok;
}

void CInstallation::RollBack()
{
    for (int i = 0; i < m_list.fileCount; ++i)
        if (m_list.files[i].flag == 1)
            ::DeleteFileA(m_list.files[i].field3);
    for (int i = m_list.folderCount - 1; i >= 0; --i)
        if (m_list.folders[i].flag == 1)
            ::RemoveDirectoryA(m_list.folders[i].path);
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    key.Delete(uninstallKey, "DisplayName");
    key.Delete(uninstallKey, "UninstallString");
    key.Delete(uninstallKey, nullptr);
    m_list.folderCount = 0;
}

void CInstallation::CleanUp(const CString& tempFolder, const CSfxArchive& payload)
{
    auto remove = [&tempFolder](const char* name) {
        if (IsNameInsideFolder(name))
            ::DeleteFileA(tempFolder + "\\" + name);
    };
    for (int i = 0; i < m_list.fileCount; ++i)
        remove(m_list.files[i].field1);
    for (int i = 0; i < payload.GetCount(); ++i)
        remove(payload.GetEntry(i).name);
    for (const char* name : {"Data1.cab", "Extractor.exe", "tocFile.ext"})
        remove(name);
    ::RemoveDirectoryA(tempFolder);
}

void CInstallation::Remove(const CString& ownFolder, CProgressCtrl* progress)
{
    const CString programs = ProgramsFolder(), desktop = DesktopFolder();
    for (int i = 0; i < m_list.fileCount; ++i) {
        const char* path = m_list.files[i].field3;
        if (CInstallRules::IsRemovable(path, ownFolder, programs, desktop))
            ::DeleteFileA(path);
        Step(progress);
    }
    for (int i = m_list.folderCount - 1; i >= 0; --i) {
        if (IsPlainPath(m_list.folders[i].path))
            ::RemoveDirectoryA(m_list.folders[i].path);
        Step(progress);
    }
    CRegistryKey machine(HKEY_LOCAL_MACHINE);
    machine.Delete(uninstallKey, "DisplayName");
    machine.Delete(uninstallKey, "UninstallString");
    machine.Delete(uninstallKey, nullptr);
    machine.Delete(kCorvexKey, nullptr);
    CRegistryKey(HKEY_CURRENT_USER).Delete(kCorvexKey, nullptr);
    ::DeleteFileA(desktop + kDesktopLink);
}

bool CInstallation::StartDeleteBatch()
{
    char exe[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string text = CDeleteBatch::Build(exe, m_list.folders, m_list.folderCount);
    HANDLE h = ::CreateFileA(CDeleteBatch::fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)
                    && written == text.size();
    ::CloseHandle(h);
    if (!ok)
        return false;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi = {};
    char command[] = "\\DelUS.bat";
    if (!::CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, CREATE_SUSPENDED | IDLE_PRIORITY_CLASS, nullptr,
                          "\\", &si, &pi))
        return false;
    ::SetThreadPriority(pi.hThread, THREAD_PRIORITY_IDLE);
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    ::SetPriorityClass(::GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    ::CloseHandle(pi.hProcess);
    ::ResumeThread(pi.hThread);
    ::CloseHandle(pi.hThread);
    return true;
}
