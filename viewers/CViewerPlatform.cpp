#include "CViewerPlatform.h"

#ifdef _WIN32
#include "CWin32ViewerPlatform.h"
#else
#include "CInertViewerPlatform.h"
#endif

CViewerPlatform::~CViewerPlatform() = default;

CViewerPlatform& CViewerPlatform::System()
{
#ifdef _WIN32
    static CWin32ViewerPlatform platform;
#else
    static CInertViewerPlatform platform;
#endif
    return platform;
}

void CViewerPlatform::WaitForExit(HANDLE, DWORD) {}
