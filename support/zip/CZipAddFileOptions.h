// What CZipArchive::AddNewFile adds and how.
#pragma once
#include "CString.h"

class CZipAbstractFile;

struct CZipAddFileOptions {
    enum Smartness {
        zipsmLazy = 0,
        zipsmCPassDir = 1,       // folders are added without encryption
        zipsmCPFile0 = 2,        // empty files are added without encryption
        zipsmNotCompSmall = 4,   // files of fewer than 5 bytes are stored
        zipsmCheckForEff = 8,    // an entry compression did not shrink is stored instead
        zipsmSafeSmart = 7,
        zipsmInternal01 = 0xF000 // a second attempt: no smart handling
    };

    explicit CZipAddFileOptions(const char* filePath = "", const char* nameInZip = "")
        : m_szFilePath(filePath), m_szFileNameInZip(nameInZip)
    {
    }

    CString m_szFilePath;
    CString m_szFileNameInZip;
    bool m_bFullPath = false;
    int m_iComprLevel = -1;
    int m_iSmartLevel = zipsmSafeSmart;
    int m_iReplaceIndex = -1;
    DWORD m_nBufSize = 65536;
    CZipAbstractFile* m_pFile = nullptr;
};
