// Two copies of the menu component in one process (this program's and a library's): only
// one hook acts and each popup window is subclassed once, also after the acting copy left.
#include "MenuComponent.h"
#include "MenuSystem.h"
#include "MenuWindowHook.h"

#include <gtest/gtest.h>

namespace {

typedef void (*VoidFn)();
typedef int (*IntFn)();
typedef int (*HasStateFn)(HWND);

struct Library {
    HMODULE module = LoadLibraryA("menu_copy_library.dll");
    template <class T>
    T Get(const char* name) const
    {
        return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};

struct Seen {
    HWND window = nullptr;
    bool inProgram = false;
    bool inLibrary = false;
} g_seen;
HasStateFn g_libraryHasState = nullptr;

LRESULT CALLBACK OwnerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_TIMER && wp == 9) {
        KillTimer(w, 9);
        g_seen.window = FindWindowA("#32768", nullptr);
        g_seen.inProgram = g_seen.window && FindMenuWindowState(g_seen.window);
        g_seen.inLibrary = g_seen.window && g_libraryHasState(g_seen.window);
        EndMenu();
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

void ShowPopup()
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TwoCopiesOwner";
    RegisterClassA(&wc);
    HWND owner = CreateWindowA(wc.lpszClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                               nullptr, nullptr, wc.hInstance, nullptr);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "&One");
    g_seen = Seen();
    SetForegroundWindow(owner);
    SetTimer(owner, 9, 300, nullptr);
    TrackPopupMenu(popup, TPM_RETURNCMD, 60, 60, 0, owner, nullptr);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&m);
    DestroyMenu(popup);
    DestroyWindow(owner);
}

void Quiet(DWORD, const char*) {}

}

TEST(MenuTwoCopiesTest, OneHookAndOneSubclassPerPopup)
{
    MenuSystem::SetErrorReporter(Quiet);
    MenuComponent::Start();  // the program's copy started first (before main)
    Library lib;
    ASSERT_NE(lib.module, nullptr);
    g_libraryHasState = lib.Get<HasStateFn>("CopyHasState");
    lib.Get<VoidFn>("CopyStart")();
    IntFn libHook = lib.Get<IntFn>("CopyHookInstalled");
    IntFn libCount = lib.Get<IntFn>("CopySubclassCount");

    EXPECT_TRUE(MenuComponent::HookInstalled());
    EXPECT_FALSE(libHook());

    int program = MenuComponent::subclassCount, library = libCount();
    ShowPopup();
    ASSERT_NE(g_seen.window, nullptr);
    EXPECT_TRUE(g_seen.inProgram);
    EXPECT_FALSE(g_seen.inLibrary);
    EXPECT_EQ(MenuComponent::subclassCount - program, 1);
    EXPECT_EQ(libCount() - library, 0);

    // The acting copy leaves; the library's copy takes over at its next popup.
    MenuComponent::Stop();
    lib.Get<VoidFn>("CopyEnsureActing")();
    EXPECT_TRUE(libHook());
    library = libCount();
    ShowPopup();
    ASSERT_NE(g_seen.window, nullptr);
    EXPECT_TRUE(g_seen.inLibrary);
    EXPECT_EQ(libCount() - library, 1);

    // The program comes back: it joins but does not install a second hook.
    MenuComponent::Start();
    EXPECT_FALSE(MenuComponent::HookInstalled());
    lib.Get<VoidFn>("CopyStop")();
    FreeLibrary(lib.module);
    MenuComponent::EnsureActing();
    EXPECT_TRUE(MenuComponent::HookInstalled());
}
