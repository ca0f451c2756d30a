#include "AfxModule.h"

#ifdef _WIN32
#include "CWinApp.h"

#include <algorithm>
#include <vector>

namespace {

struct ModuleState {
    CWinApp* app = nullptr;
    HINSTANCE resource = nullptr;
    std::vector<HINSTANCE> libraries;
};

ModuleState& State()
{
    static ModuleState state;
    return state;
}

thread_local int t_loopDepth = 0;

} // namespace

int AfxGetMessageLoopDepth()
{
    return t_loopDepth;
}

void AfxEnterMessageLoop()
{
    ++t_loopDepth;
}

void AfxLeaveMessageLoop()
{
    --t_loopDepth;
}

CWinApp* AfxGetApp()
{
    return State().app;
}

void AfxSetApp(CWinApp* app)
{
    State().app = app;
}

CWnd* AfxGetMainWnd()
{
    CWinApp* app = State().app;
    return app ? app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return State().resource ? State().resource : ::GetModuleHandleA(nullptr);
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    State().resource = hInstResource;
}

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE first = AfxGetResourceHandle();
    if (::FindResourceA(first, lpszName, lpszType))
        return first;
    for (HINSTANCE lib : State().libraries)
        if (::FindResourceA(lib, lpszName, lpszType))
            return lib;
    return first;
}

HINSTANCE AfxFindStringResourceHandle(UINT nID)
{
    char probe[2];
    HINSTANCE first = AfxGetResourceHandle();
    if (::LoadStringA(first, nID, probe, sizeof probe) > 0)
        return first;
    for (HINSTANCE lib : State().libraries)
        if (::LoadStringA(lib, nID, probe, sizeof probe) > 0)
            return lib;
    return first;
}

void AfxAddLibraryModule(HINSTANCE hModule)
{
    auto& libs = State().libraries;
    if (std::find(libs.begin(), libs.end(), hModule) == libs.end())
        libs.push_back(hModule);
}

void AfxRemoveLibraryModule(HINSTANCE hModule)
{
    auto& libs = State().libraries;
    libs.erase(std::remove(libs.begin(), libs.end(), hModule), libs.end());
}

HMODULE AfxGetModuleOf(const void* address)
{
    HMODULE module = nullptr;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCSTR>(address), &module))
        return nullptr;
    return module;
}

HMODULE AfxGetFrameworkModule()
{
    static const char marker = 0;
    return AfxGetModuleOf(&marker);
}

LPCTSTR AfxGetAppName()
{
    CWinApp* app = State().app;
    return app ? app->m_pszAppName : "";
}
#endif
