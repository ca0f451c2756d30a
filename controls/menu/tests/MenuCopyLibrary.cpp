// A library that carries its own copy of the menu component, as the viewers library does.
#include "MenuComponent.h"
#include "MenuSystem.h"
#include "MenuWindowHook.h"

namespace {
void Quiet(DWORD, const char*) {}
}

extern "C" __declspec(dllexport) void CopyStart()
{
    MenuSystem::SetErrorReporter(Quiet);
    MenuComponent::Start();
}
extern "C" __declspec(dllexport) void CopyStop() { MenuComponent::Stop(); }
extern "C" __declspec(dllexport) void CopyEnsureActing() { MenuComponent::EnsureActing(); }
extern "C" __declspec(dllexport) int CopyHookInstalled() { return MenuComponent::HookInstalled(); }
extern "C" __declspec(dllexport) int CopySubclassCount() { return MenuComponent::subclassCount; }
extern "C" __declspec(dllexport) int CopyHasState(HWND window) { return FindMenuWindowState(window) != nullptr; }
