// The file-system calls of the zip archive library. ZipPlatformWin32.cpp and
// ZipPlatformPosix.cpp hold the two systems' versions; ZipPlatform.cpp what both share.
// Paths use "\\" or "/" as separators on either system.
#pragma once
#include "CString.h"
#include "CZipBuffer.h"

#include <ctime>

namespace ZipPlatform {

// The system code of this system in zip entries (MS-DOS) and its default attributes.
inline int GetSystemID() { return 0; }
inline DWORD GetDefaultAttributes() { return 0x81A40020; }
inline DWORD GetDefaultDirAttributes() { return 0x41FF0010; }
inline bool GetSystemCaseSensitivity() { return false; }

DWORD GetLastSystemError();
CString GetSystemErrorText(DWORD error);

// The path as the system's calls take it.
CString NativePath(const char* path);

ULONGLONG GetDeviceFreeSpace(const char* path);
bool GetFileSize(const char* path, ULONGLONG& size);
// A new empty file named by the system in folder (prefix "ZAR"); empty on failure.
CString CreateTempFileIn(const char* folder);
CString GetSystemTempFolder();
CString GetCurrentFolder();
// A temporary file in the first of folder, the system's temporary folder and the current
// folder that has bytesNeeded free; empty when none has.
CString GetTmpFileName(const char* folder = nullptr, ULONGLONG bytesNeeded = 0);

bool GetFileAttr(const char* path, DWORD& attributes);
bool SetFileAttr(const char* path, DWORD attributes);
bool GetFileModTime(const char* path, time_t& modTime);
// Modification time as given (-1: now), access time now.
bool SetFileModTime(const char* path, time_t modTime);
bool ChangeDirectory(const char* path);
// 0 missing, 1 file, -1 folder.
int FileExists(const char* path);
bool IsDriveRemovable(const char* path);
bool SetVolLabel(const char* path, const char* label);
// Converts the bytes in place: to the OEM code page for storing, to ANSI for reading.
void AnsiOem(CZipBuffer& buffer, bool toOem);
bool RemoveFile(const char* path, bool throws = true);
// Replaces an existing file of the new name.
bool RenameFile(const char* oldName, const char* newName, bool throws = true);
bool CreateDirectory(const char* path);
// Removes trailing separators and appends one "\\".
void AppendSeparator(CString& path);

// Name comparisons (<0, 0, >0): with or without case, by collation or by bytes.
int CompareCollate(const char* a, const char* b);
int CompareCollateNoCase(const char* a, const char* b);
int CompareBytes(const char* a, const char* b);
int CompareBytesNoCase(const char* a, const char* b);

// A read-write view of a whole open file (handle from CZipAbstractFile::GetHandle);
// false when it cannot be made.
bool MapFile(void* fileHandle, ULONGLONG length, void** view, void** mapping);
void UnmapFile(void* view, void* mapping, ULONGLONG length);

}
