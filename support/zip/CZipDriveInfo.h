// The questions about a drive that spanning on removable disks asks. Tests put in their own.
#pragma once
#include "ZipPlatform.h"

class CZipDriveInfo {
public:
    virtual ~CZipDriveInfo() = default;
    virtual bool IsDriveRemovable(const char* path) { return ZipPlatform::IsDriveRemovable(path); }
    virtual ULONGLONG GetDeviceFreeSpace(const char* path) { return ZipPlatform::GetDeviceFreeSpace(path); }
    virtual bool SetVolLabel(const char* path, const char* label) { return ZipPlatform::SetVolLabel(path, label); }
};
