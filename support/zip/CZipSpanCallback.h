// Asked by the storage for a disk of a multi-volume archive on removable disks.
#pragma once
#include "CString.h"

class CZipSpanCallback {
public:
    virtual ~CZipSpanCallback() = default;
    // code: the bytes the next block needs when a disk for writing is wanted; -1 when a
    // disk for reading is wanted; -2 the file exists on the inserted disk; -3 the volume
    // label could not be set; -4 the file could not be created. False gives up.
    virtual bool Callback(int code) = 0;

    CString m_szExternalFile;  // the path of the volume wanted
    DWORD m_uDiskNeeded = 0;   // counted from 1
};
