// Progress of an operation of the archive (adding, extracting, saving the central directory).
#pragma once
#include "CString.h"

class CZipActionCallback {
public:
    enum CallbackType {
        cbAdd = 1,
        cbAddTmp = 2,
        cbAddStore = 4,
        cbExtract = 8,
        cbSave = 128,
        cbReplace = 1024
    };

    virtual ~CZipActionCallback() = default;
    virtual void Init(const char* fileName, const char* target)
    {
        m_szFileInZip = fileName;
        m_szExternalFile = target;
        m_uProcessed = 0;
    }
    virtual void SetTotal(DWORD total) { m_uTotalToDo = total; }
    // Bytes just done; false stops the operation.
    virtual bool Callback(DWORD progress) { m_uProcessed += progress; return true; }
    virtual void CallbackEnd() {}

    CString m_szFileInZip;
    CString m_szExternalFile;
    DWORD m_uTotalToDo = 0;
    DWORD m_uProcessed = 0;
};
