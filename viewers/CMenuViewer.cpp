#include "CMenuViewer.h"

#include "ViewerFactory.h"

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
#define VELMORA_MENU_WINDOW 1
#include "AfxModule.h"
#include "CMenuViewerDlg.h"
#include "CResourceScope.h"
#endif

CMenuViewer::CMenuViewer() : m_Window(nullptr), m_ButtonCount(0) { ClearMenuButtons(); }

CMenuViewer::~CMenuViewer()
{
    // The window's buttons hold the viewers: the window goes first.
    DestroyMenuWindow();
    ForgetReadViewers();
}

void CMenuViewer::ClearMenuButtons()
{
    for (MenuButtonSlot& slot : m_Buttons)
        slot = MenuButtonSlot();
    m_ButtonCount = 0;
}

void CMenuViewer::AddMenuButton(CString caption, int style, int action, CViewer* viewer)
{
    if (m_ButtonCount >= MaxButtons)
        return;
    if (viewer)
        viewer->SetProgramDirectory(m_Settings.ProgramDirectory);
    MenuButtonSlot& slot = m_Buttons[m_ButtonCount++];
    slot.Caption = caption;
    slot.Style = style;
    slot.Action = action;
    slot.Viewer = viewer;
}

void CMenuViewer::AddMenuButton(CString caption, int style, int action, std::shared_ptr<CViewer> viewer)
{
    if (m_ButtonCount >= MaxButtons)
        return;
    AddMenuButton(caption, style, action, viewer.get());
    HoldViewer(viewer);
}

void CMenuViewer::HoldViewer(const std::shared_ptr<CViewer>& viewer)
{
    if (!viewer)
        return;
    for (const std::shared_ptr<CViewer>& held : m_ReadViewers)
        if (held == viewer)
            return;
    m_ReadViewers.push_back(viewer);
}

void CMenuViewer::ReleaseUnusedViewers()
{
    std::vector<std::shared_ptr<CViewer>> used;
    for (const std::shared_ptr<CViewer>& held : m_ReadViewers) {
        bool inUse = false;
        for (int i = 0; i < m_ButtonCount; ++i)
            inUse = inUse || m_Buttons[i].Viewer == held.get();
        if (inUse)
            used.push_back(held);
    }
    if (used.size() == m_ReadViewers.size())
        return;
    // The window's buttons may hold the viewers let go of: the window goes first.
    DestroyMenuWindow();
    m_ReadViewers.swap(used);
}

const MenuButtonSlot& CMenuViewer::Slot(int slot) const
{
    static const MenuButtonSlot empty;
    return slot >= 0 && slot < m_ButtonCount ? m_Buttons[slot] : empty;
}

void CMenuViewer::ForgetReadViewers()
{
    for (MenuButtonSlot& slot : m_Buttons)
        for (const std::shared_ptr<CViewer>& owned : m_ReadViewers)
            if (slot.Viewer == owned.get())
                slot.Viewer = nullptr;
    m_ReadViewers.clear();
}

void CMenuViewer::SetShowMenuTitleBar(int value) { m_MenuSettings.ShowMenuTitleBar = value; }
void CMenuViewer::SetMenuTitle(CString value) { m_MenuSettings.MenuTitle = value; }
void CMenuViewer::SetMenuWidth(int value) { m_MenuSettings.MenuWidth = value; }
void CMenuViewer::SetMenuHeight(int value) { m_MenuSettings.MenuHeight = value; }
void CMenuViewer::SetShowMenuText(int value) { m_MenuSettings.ShowMenuText = value; }
void CMenuViewer::SetMenuText(CString value) { m_MenuSettings.MenuText = value; }
void CMenuViewer::SetShowMenuBackgroundColor(int value) { m_MenuSettings.ShowMenuBackgroundColor = value; }
void CMenuViewer::SetMenuBackgroundColor(unsigned long value) { m_MenuSettings.MenuBackgroundColor = value; }
void CMenuViewer::SetMenuBackgroundImage(CString value) { m_MenuSettings.MenuBackgroundImage = value; }

void CMenuViewer::SetEqual(CViewer* other)
{
    CMenuViewer* menu = dynamic_cast<CMenuViewer*>(other);
    if (menu && menu != this) {
        m_MenuSettings = menu->m_MenuSettings;
        ClearMenuButtons();
        // The other menu's viewers are shared, not copied.
        for (int i = 0; i < menu->m_ButtonCount; ++i) {
            const MenuButtonSlot& slot = menu->m_Buttons[i];
            AddMenuButton(slot.Caption, slot.Style, slot.Action, slot.Viewer);
        }
        for (const std::shared_ptr<CViewer>& held : menu->m_ReadViewers)
            HoldViewer(held);
        ReleaseUnusedViewers();
    }
    CViewer::SetEqual(other);
}

void CMenuViewer::Write_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Write_DAT_File(file, major, minor, build);
    if (!file)
        return;
    m_MenuSettings.Write(*file);
    file->WriteInt(m_ButtonCount);
    for (int i = 0; i < m_ButtonCount; ++i) {
        const MenuButtonSlot& slot = m_Buttons[i];
        // A reader takes a viewer's record after every action that asks for one: a slot
        // without its viewer is stored as a button that does nothing, so the file stays
        // readable.
        const bool nested = MenuActionHasViewer(slot.Action);
        file->WriteString(slot.Caption);
        file->WriteInt(slot.Style);
        file->WriteInt(nested && !slot.Viewer ? static_cast<int>(MenuActionNone) : slot.Action);
        if (nested && slot.Viewer) {
            // Stored as a project's targets are: below the menu's base folder.
            if (!m_Settings.ProgramDirectory.IsEmpty())
                slot.Viewer->SetProgramDirectory(m_Settings.ProgramDirectory);
            slot.Viewer->Write_DAT_File(file, major, minor, build);
        }
    }
}

void CMenuViewer::Read_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Read_DAT_File(file, major, minor, build);
    if (!file)
        return;
    m_MenuSettings.Read(*file);
    const int stored = file->ReadInt();
    // The viewers read before are replaced; the window's buttons hold them.
    DestroyMenuWindow();
    ForgetReadViewers();
    ClearMenuButtons();
    int count = 0;
    for (int i = 0; i < stored && file->IsOK(); ++i) {
        MenuButtonSlot slot;
        slot.Caption = file->ReadString();
        slot.Style = file->ReadInt();
        slot.Action = file->ReadInt();
        std::shared_ptr<CViewer> viewer;
        if (MenuActionHasViewer(slot.Action) && file->IsOK()) {
            // Files before minor version 6 hold no type codes: every button opens a file.
            const int type = minor < 6 ? static_cast<int>(TypeFile) : file->ReadInt();
            if (!file->IsOK())
                break;
            viewer.reset(PrepareButtonViewer(type, *this, i));
            viewer->Read_DAT_File(file, major, minor, build);
        }
        if (!file->IsOK())
            break;  // the file ended inside this button: it is none
        if (i >= MaxButtons)
            continue;  // read to stay in step with the file, then dropped
        slot.Viewer = viewer.get();
        if (viewer)
            m_ReadViewers.push_back(std::move(viewer));
        m_Buttons[i] = slot;
        ++count;
    }
    m_ButtonCount = count;
}

void CMenuViewer::Init() { CViewer::Init(); }

bool CMenuViewer::IsAlive() { return m_Alive; }

void CMenuViewer::MenuClosed(bool shown)
{
    m_Alive = false;
    if (shown)
        MarkLaunched();
}

#if VELMORA_MENU_WINDOW

void CMenuViewer::DestroyMenuWindow()
{
    if (!m_Window)
        return;
    m_Window->ForgetViewer();
    delete m_Window;  // its window, then its buttons
    m_Window = nullptr;
}

void CMenuViewer::Launch()
{
    if (WasLaunchedBefore())
        return;
    m_Alive = true;
    DestroyMenuWindow();
    m_Window = new CMenuViewerDlg(this);
    BOOL created;
    {
        CResourceScope own(AfxGetThisModule());
        created = m_Window->CreateHidden();
    }
    if (!created) {
        m_Window->ForgetViewer();
        delete m_Window;
        m_Window = nullptr;
        Log("\n* Menu window could not be created *\n");
        m_Alive = false;
    }
}

void CMenuViewer::Show()
{
    if (m_LaunchedBefore || !m_Window || !m_Window->m_hWnd)
        return;
    m_Window->Show(this);
}

#else

// No window here: the menu ends as soon as it is launched.
void CMenuViewer::DestroyMenuWindow() {}

void CMenuViewer::Launch()
{
    if (WasLaunchedBefore())
        return;
    m_Alive = false;
}

void CMenuViewer::Show() {}

#endif
