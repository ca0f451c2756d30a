#include "CFolderChain.h"
#include <cstring>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <sys/stat.h>
#endif

CFolderChain::CreateResult CFolderChain::CreateFolder(const char* path)
{
#ifdef _WIN32
    if (::CreateDirectoryA(path, nullptr))
        return created;
    switch (::GetLastError()) {
    case ERROR_ALREADY_EXISTS: {
        const DWORD a = ::GetFileAttributesA(path);
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) ? exists : failed;
    }
    case ERROR_PATH_NOT_FOUND: return parentMissing;
    default: return failed;
    }
#else
    if (::mkdir(path, 0777) == 0)
        return created;
    struct stat st;
    if (errno == EEXIST)
        return ::stat(path, &st) == 0 && S_ISDIR(st.st_mode) ? exists : failed;
    return errno == ENOENT ? parentMissing : failed;
#endif
}

void CFolderChain::Record(const char* path)
{
    for (int i = 0; i < m_list.folderCount; ++i)
        if (std::strcmp(m_list.folders[i].path, path) == 0)
            return;
    m_list.AddFolder(path, 1); // a full table keeps what it has
}

bool CFolderChain::Make(const char* path)
{
    std::string target(path);
    while (target.size() > 1 && (target.back() == '\\' || target.back() == '/'))
        target.pop_back();
    // Walk up to the first folder that exists or can be made, then come down again.
    std::vector<std::string> missing;
    std::string current = target;
    for (;;) {
        const CreateResult r = CreateFolder(current.c_str());
        if (r == created || r == exists) {
            Record(current.c_str());
            break;
        }
        if (r == failed)
            return false;
        const size_t cut = current.find_last_of("\\/");
        if (cut == std::string::npos || cut == 0)
            return false;
        missing.push_back(current);
        current = current.substr(0, cut);
    }
    while (!missing.empty()) {
        const CreateResult r = CreateFolder(missing.back().c_str());
        if (r != created && r != exists)
            return false;
        Record(missing.back().c_str());
        missing.pop_back();
    }
    return true;
}
