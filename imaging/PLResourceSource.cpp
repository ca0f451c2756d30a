#include "PLResourceSource.h"

#ifdef _WIN32
#include "PLTextException.h"
#include <cstdio>

PLResourceSource::PLResourceSource(PLIProgressNotification* notification) : PLDataSource(notification) {}

PLResourceSource::~PLResourceSource() {
    if (m_hGlobal)
        Close();
}

int PLResourceSource::Open(HINSTANCE instance, int resourceId, const char* resourceType) {
    m_hRsrc = FindResourceA(instance, MAKEINTRESOURCEA(resourceId),
                            resourceType ? resourceType : MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (m_hRsrc)
        m_hGlobal = LoadResource(instance, m_hRsrc);
    if (m_hGlobal)
        m_pCurPos = static_cast<BYTE*>(LockResource(m_hGlobal));
    if (!m_pCurPos) {
        m_hRsrc = nullptr;
        m_hGlobal = nullptr;
        return PL_ERRFILE_NOT_FOUND;
    }
    char name[40];
    std::snprintf(name, sizeof name, "Resource: %i", resourceId);
    SetNameAndSize(name, int(SizeofResource(instance, m_hRsrc)));
    return 0;
}

void PLResourceSource::Close() {
    if (m_hGlobal)
        FreeResource(m_hGlobal);
    m_hGlobal = nullptr;
    m_hRsrc = nullptr;
    m_pCurPos = nullptr;
    PLDataSource::Close();
}
#endif
