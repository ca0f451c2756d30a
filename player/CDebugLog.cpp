#include "CDebugLog.h"

const char* const CDebugLog::FileName = "debug.afv";

namespace {
#ifdef _WIN32
const char kSlash = '\\';
#else
const char kSlash = '/';
#endif
} // namespace

void CDebugLog::SetUp(const CString& playerFolder, bool enabled)
{
    m_path = playerFolder + kSlash + FileName;
    m_enabled = enabled;
}

void CDebugLog::Write(const CString& message)
{
    if (!m_enabled || m_failed || m_closed)
        return;
    try {
        if (!m_opened) {
            if (!m_file.OpenWrite(m_path)) {
                m_failed = true;
                return;
            }
            m_opened = true;
        }
        m_file.WriteString(message);
        // Each message reaches the file at once, so the log is whole after a crash.
        m_file.Flush();
    } catch (CException* e) {
        e->Delete();
        m_failed = true;
    }
}

void CDebugLog::Close()
{
    m_closed = true;
    if (!m_opened)
        return;
    m_opened = false;
    try {
        m_file.Close();
    } catch (CException* e) {
        e->Delete();
    }
}
