// Draws the system menu of a dialog with the owner-drawn menus although the dialog's class
// knows nothing of them: attached by the message hook to dialogs created while the hook
// flag asks for it, it takes the dialog's menu messages before the dialog does. Deletes
// itself when the dialog is destroyed.
#pragma once
#include "CNewMenu.h"
#include "CObject.h"

class CTempMenuHandler : public CObject {
public:
    // Subclasses the dialog (window property "CNewMenuTempHandler").
    explicit CTempMenuHandler(HWND dialog);
    // Restores the dialog's procedure, removes the property, lets go of the system menu.
    ~CTempMenuHandler() override;

    static CTempMenuHandler* FromWindow(HWND dialog);
    CNewMenu& Menu() { return m_menu; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    CNewMenu m_menu;
    WNDPROC m_oldProc = nullptr;
    HWND m_dialog = nullptr;
};
