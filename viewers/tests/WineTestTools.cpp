#include "WineTestTools.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>

std::string ReadWholeFile(const std::string& path)
{
    std::string out;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            out.append(buf, n);
        std::fclose(f);
    }
    return out;
}

void RemoveTree(const std::string& path)
{
    const std::string from = path + '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&op);
}

std::string CaptureOutput(const std::string& command)
{
    SECURITY_ATTRIBUTES sa = { sizeof sa, nullptr, TRUE };
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return std::string();
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = writeEnd;
    PROCESS_INFORMATION pi = {};
    std::string cmd = command, out;
    if (::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        ::CloseHandle(writeEnd);
        writeEnd = nullptr;
        char buf[512];
        DWORD n = 0;
        while (::ReadFile(readEnd, buf, sizeof buf, &n, nullptr) && n)
            out.append(buf, n);
        // Wine starts a Unix program without a process handle and leaves the thread handle
        // unset: closing that value would close another handle of this process.
        if (pi.hProcess) {
            ::WaitForSingleObject(pi.hProcess, 30000);
            ::CloseHandle(pi.hProcess);
            ::CloseHandle(pi.hThread);
        }
    }
    if (writeEnd)
        ::CloseHandle(writeEnd);
    ::CloseHandle(readEnd);
    return out;
}

std::string HostPathOf(const std::string& windowsPath)
{
    WCHAR wide[MAX_PATH] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    typedef char*(CDECL * ToUnix)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (!toUnix)
        return std::string();
    char* converted = toUnix(wide);
    if (!converted)
        return std::string();
    std::string path = converted;
    ::HeapFree(::GetProcessHeap(), 0, converted);
    return path;
}

namespace {

// Runs a host command line with its standard output in report; the report is read once it
// has stopped growing.
std::string HostReport(const std::string& command, const std::string& report)
{
    ::DeleteFileA(report.c_str());
    CaptureOutput("Z:\\bin\\sh -c \"" + command + " > '" + HostPathOf(report) + "'\"");
    std::string text, last;
    for (int i = 0; i < 100; ++i) {
        text = ReadWholeFile(report);
        if (!text.empty() && text == last)
            break;
        last = text;
        ::Sleep(100);
    }
    return text;
}

}  // namespace

std::string LnkInfoReport(const std::string& link, const std::string& report)
{
    return HostReport("(lnkinfo '" + HostPathOf(link) + "' 2>&1)", report);
}

std::string UnzippedEntry(const std::string& archive, const std::string& entry, const std::string& password,
                          const std::string& report)
{
    std::string name = entry;
    for (char& c : name)
        if (c == '\\')
            c = '/';
    const std::string pw = password.empty() ? std::string() : " -P '" + password + "'";
    return HostReport("unzip -p" + pw + " '" + HostPathOf(archive) + "' '" + name + "'", report);
}
