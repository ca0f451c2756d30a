// Makes a module the resource handle (AfxSetResourceHandle) for the life of the object and
// puts the previous one back afterwards. See AfxModule.h.
#pragma once
#include "AfxModule.h"

class CResourceScope {
public:
    explicit CResourceScope(HINSTANCE hModule) : m_previous(AfxGetResourceHandle()) { AfxSetResourceHandle(hModule); }
    ~CResourceScope() { AfxSetResourceHandle(m_previous); }
    CResourceScope(const CResourceScope&) = delete;
    CResourceScope& operator=(const CResourceScope&) = delete;

private:
    HINSTANCE m_previous;
};
