// The player's debug log: one string record a message in "debug.afv" in the player folder.
// Off unless the project asks for it; the file is created (emptied) at the first message
// and stays open until Close, after which messages are dropped. A file that cannot be
// created or written drops the messages: no failure of the file ever leaves this class.
#pragma once
#include "CFileReadWrite.h"
#include "CString.h"

class CDebugLog {
public:
    static const char* const FileName; // "debug.afv"

    CDebugLog() = default;
    ~CDebugLog() { Close(); }
    CDebugLog(const CDebugLog&) = delete;
    CDebugLog& operator=(const CDebugLog&) = delete;

    // Where the log goes, and whether the project wants it.
    void SetUp(const CString& playerFolder, bool enabled);
    bool IsEnabled() const { return m_enabled; }
    void Write(const CString& message);
    void Close();

private:
    CFileReadWrite m_file;
    CString m_path;
    bool m_enabled = false;
    bool m_opened = false;
    bool m_failed = false;
    bool m_closed = false;
};
