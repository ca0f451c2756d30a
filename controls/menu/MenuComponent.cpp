#include "MenuComponent.h"

#include "MenuDirectory.h"
#include "MenuIconRegistry.h"
#include "MenuShareTable.h"
#include "MenuStyleRegistry.h"
#include "MenuSystem.h"
#include "MenuWindowHook.h"

#include <cstdio>

namespace {

bool g_started = false;
HHOOK g_hook = nullptr;
HANDLE g_mapping = nullptr;
MenuShareTable* g_table = nullptr;
MenuShare* g_share = nullptr;
MenuComponent::HookInstaller g_installer = SetWindowsHookExA;

MenuComponent::OwnsProc g_owns = nullptr;
MenuComponent::PopupClosedProc g_closed = nullptr;
MenuComponent::BarRectProc g_barRect = nullptr;
MenuComponent::DialogCreatedProc g_dialogCreated = nullptr;

int ShareOwns(UINT_PTR menu) { return g_owns && g_owns(reinterpret_cast<HMENU>(menu)); }
void ShareClosed(UINT_PTR menu)
{
    if (g_closed)
        g_closed(reinterpret_cast<HMENU>(menu));
}
int ShareBarRect(UINT_PTR menu, RECT* rect)
{
    return g_barRect && g_barRect(reinterpret_cast<HMENU>(menu), rect);
}

void JoinTable()
{
    char name[64];
    std::snprintf(name, sizeof name, "VelmoraMenuShare.%lu",
                  static_cast<unsigned long>(GetCurrentProcessId()));
    g_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                   sizeof(MenuShareTable), name);
    if (g_mapping)
        g_table = static_cast<MenuShareTable*>(
            MapViewOfFile(g_mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(MenuShareTable)));
    g_share = new MenuShare(g_table, ShareOwns, ShareClosed, ShareBarRect);
}

void LeaveTable()
{
    delete g_share;
    g_share = nullptr;
    if (g_table)
        UnmapViewOfFile(g_table);
    if (g_mapping)
        CloseHandle(g_mapping);
    g_table = nullptr;
    g_mapping = nullptr;
}

HINSTANCE OwnModule()
{
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnModule), &self);
    return self;
}

void InstallHook()
{
    if (g_hook)
        return;
    g_hook = g_installer(WH_CALLWNDPROC, MenuCallWndHook, OwnModule(), GetCurrentThreadId());
    if (!g_hook) {
        // Without the hook popups keep the platform's border; the items are still drawn.
        ReportLastError();
        if (g_share)
            g_share->StopActing();
    }
}

// Programs start the component before main; a library starts it on first use, outside the
// loader's lock.
struct AutoStart {
    AutoStart()
    {
        if (OwnModule() == GetModuleHandleA(nullptr))
            MenuComponent::Start();
    }
    ~AutoStart() { MenuComponent::Stop(); }
} g_autoStart;

}

int MenuComponent::subclassCount = 0;

void MenuComponent::Start()
{
    if (g_started)
        return;
    g_started = true;
    MenuSystem::Start();
    MenuStyleRegistry::Create();
    JoinTable();
    EnsureActing();
}

void MenuComponent::EnsureActing()
{
    if (!g_started)
        Start();
    if (g_share && g_share->Joined()) {
        if (g_share->ClaimActing())
            InstallHook();
    } else {
        // No table to agree on: act alone, the window property still keeps popups from
        // being subclassed twice.
        InstallHook();
    }
}

void MenuComponent::Stop()
{
    if (!g_started)
        return;
    if (g_hook && !UnhookWindowsHookEx(g_hook))
        ReportLastError();
    g_hook = nullptr;
    ForgetMenuWindows();
    LeaveTable();
    MenuStyleRegistry::Destroy();
    MenuSystem::Stop();
    MenuIconRegistry::ShutdownProcess();
    g_started = false;
}

bool MenuComponent::Started() { return g_started; }
bool MenuComponent::HookInstalled() { return g_hook != nullptr; }
MenuShare* MenuComponent::Share() { return g_share && g_share->Joined() ? g_share : nullptr; }

void MenuComponent::SetMenuCallbacks(OwnsProc owns, PopupClosedProc closed, BarRectProc barRect,
                                     DialogCreatedProc dialogCreated)
{
    g_owns = owns;
    g_closed = closed;
    g_barRect = barRect;
    g_dialogCreated = dialogCreated;
}

MenuComponent::DialogCreatedProc MenuComponent::DialogCreated() { return g_dialogCreated; }

void MenuComponent::SetHookInstaller(HookInstaller installer)
{
    g_installer = installer ? installer : SetWindowsHookExA;
}

namespace {
HMENU g_localPending = nullptr;
}

void MenuComponent::SetPendingMenu(HMENU menu)
{
    if (MenuShare* s = Share())
        s->SetPending(reinterpret_cast<UINT_PTR>(menu));
    else
        g_localPending = menu;
}

HMENU MenuComponent::TakePendingMenu()
{
    if (MenuShare* s = Share())
        return reinterpret_cast<HMENU>(s->TakePending());
    HMENU m = g_localPending;
    g_localPending = nullptr;
    return m;
}

HMENU MenuComponent::PendingMenu()
{
    if (MenuShare* s = Share())
        return reinterpret_cast<HMENU>(s->Pending());
    return g_localPending;
}

bool MenuDirectory::IsComponentMenu(HMENU menu)
{
    if (MenuShare* s = MenuComponent::Share())
        return s->IsComponentMenu(reinterpret_cast<UINT_PTR>(menu));
    return g_owns && g_owns(menu);
}

void MenuDirectory::PopupClosed(HMENU menu)
{
    if (MenuShare* s = MenuComponent::Share())
        s->NotifyPopupClosed(reinterpret_cast<UINT_PTR>(menu));
    else if (g_closed && g_owns && g_owns(menu))
        g_closed(menu);
}

bool MenuDirectory::BarItemRect(HMENU popup, RECT* rect)
{
    if (MenuShare* s = MenuComponent::Share())
        return s->BarItemRect(reinterpret_cast<UINT_PTR>(popup), rect);
    return g_barRect && g_barRect(popup, rect);
}
