// A window of up to 25 buttons, each opening a target of its own through a viewer it carries
// (a file, a folder, a web page, a slideshow, an e-mail address, ...) or closing the menu,
// beside an optional text box, over a background colour and picture. The buttons' viewers
// are written and read inside the menu's own record.
//
// Who owns the buttons' viewers: those that Read_DAT_File makes belong to the menu viewer,
// which frees them with itself and when a later read replaces them; those handed over by
// AddMenuButton with a plain pointer stay their giver's and are never freed here; those
// handed over with a shared pointer are held in shares, as are the read ones, and a menu
// made equal to another takes shares of the other's held viewers: a held viewer lives as
// long as one menu still holds it.
#pragma once
#include "CMenuViewerSettings.h"
#include "CViewer.h"
#include "MenuWindowLayout.h"

#include <memory>
#include <vector>

class CMenuViewerDlg;

struct MenuButtonSlot {
    CString Caption;
    int Style = 0;                 // the button's look: 0 normal, 1 flat, 2 framed
    int Action = MenuActionNone;   // see MenuAction
    CViewer* Viewer = nullptr;     // what the button starts; null for none and Exit
};

class VIEWERS_API CMenuViewer : public CViewer {
public:
    enum { MaxButtons = 25 };

    CMenuViewer();
    ~CMenuViewer() override;

    void Show() override;
    void Launch() override;
    void Init() override;
    bool IsAlive() override;
    void SetEqual(CViewer* other) override;
    void Read_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;
    void Write_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;

    // Empties every slot (without freeing a viewer) and sets the count to 0.
    void ClearMenuButtons();
    // Fills the next slot while fewer than 25 are in use; the viewer (kept, not owned) gets
    // the menu's program directory. A 26th button is ignored.
    void AddMenuButton(CString caption, int style, int action, CViewer* viewer);
    // The same, the menu taking a share of the viewer.
    void AddMenuButton(CString caption, int style, int action, std::shared_ptr<CViewer> viewer);
    // Lets go of the held viewers that no button uses any more (freed when nothing else
    // holds them).
    void ReleaseUnusedViewers();

    void SetShowMenuTitleBar(int value);
    void SetMenuTitle(CString value);
    void SetMenuWidth(int value);
    void SetMenuHeight(int value);
    void SetShowMenuText(int value);
    void SetMenuText(CString value);
    void SetShowMenuBackgroundColor(int value);
    void SetMenuBackgroundColor(unsigned long value);
    void SetMenuBackgroundImage(CString value);

    int GetShowMenuTitleBar() const { return m_MenuSettings.ShowMenuTitleBar; }
    CString GetMenuTitle() const { return m_MenuSettings.MenuTitle; }
    int GetMenuWidth() const { return m_MenuSettings.MenuWidth; }
    int GetMenuHeight() const { return m_MenuSettings.MenuHeight; }
    int GetShowMenuText() const { return m_MenuSettings.ShowMenuText; }
    CString GetMenuText() const { return m_MenuSettings.MenuText; }
    int GetShowMenuBackgroundColor() const { return m_MenuSettings.ShowMenuBackgroundColor; }
    unsigned long GetMenuBackgroundColor() const { return m_MenuSettings.MenuBackgroundColor; }
    CString GetMenuBackgroundImage() const { return m_MenuSettings.MenuBackgroundImage; }
    const CMenuViewerSettings& MenuSettings() const { return m_MenuSettings; }
    void SetMenuSettings(const CMenuViewerSettings& settings) { m_MenuSettings = settings; }

    // The slots in use, 0 to count - 1; an index outside them reads as an empty slot.
    int GetMenuButtonCount() const { return m_ButtonCount; }
    CString GetMenuButtonCaption(int slot) const { return Slot(slot).Caption; }
    int GetMenuButtonStyle(int slot) const { return Slot(slot).Style; }
    int GetMenuButtonAction(int slot) const { return Slot(slot).Action; }
    CViewer* GetMenuButtonViewer(int slot) const { return Slot(slot).Viewer; }

    // The window of the last Launch; null before and when it could not be made.
    CMenuViewerDlg* GetWindow() const { return m_Window; }

    // The window tells the viewer that it has closed: not alive, and, when it had been
    // shown, the launch-once mark.
    void MenuClosed(bool shown);

protected:
    const MenuButtonSlot& Slot(int slot) const;
    void DestroyMenuWindow();
    void ForgetReadViewers();
    void HoldViewer(const std::shared_ptr<CViewer>& viewer);

    CMenuViewerDlg* m_Window;
    CMenuViewerSettings m_MenuSettings;
    MenuButtonSlot m_Buttons[MaxButtons];
    int m_ButtonCount;
    // The buttons' viewers this menu holds a share of: those Read_DAT_File made, those
    // handed over in shares and those shared with a menu it was made equal to. Let go with
    // the menu and by the next read.
    std::vector<std::shared_ptr<CViewer>> m_ReadViewers;
};
