#include "CMenuSettingsDlg.h"

#include "BaseFolderPath.h"
#include "CColorDialog.h"
#include "CFailsafeSettingsDlg.h"
#include "CFlashViewer.h"
#include "CFlashViewerSettingsDlg.h"
#include "CFolderDialog.h"
#include "CMailtoDlg.h"
#include "CMediaViewer.h"
#include "CMediaViewerSettingsDlg.h"
#include "CMenuViewer.h"
#include "CSlideShowSettingsDlg.h"
#include "CSlideShowViewer.h"
#include "CUrlDlg.h"
#include "CViewerSettingsDlg.h"
#include "CWebViewer.h"
#include "CWebViewerSettingsDlg.h"
#include "CZipViewer.h"
#include "CZipViewerSettingsDlg.h"
#include "ChooseViewerForTarget.h"
#include "CommandLineText.h"
#include "DDX.h"
#include "SettingsDialogOpener.h"
#include "ViewerFactory.h"

namespace {

const char* const ImageFilter =
    "All Image Files|*.bmp; *.gif; *.jpeg; *.jpg; *.pcx; *.pgm; *.pict; *.psd; *.tga; *.tiff; *.wmf|BMP Files|*.bmp|"
    "GIF Files|*.gif|JPEG Files|*.jpeg; *.jpg|PCX Files|*.pcx|PGM Files|*.pgm|PICT Files|*.pict|PSD Files|*.psd|"
    "TGA Files|*.tga|TIFF Files|*.tiff|WMF Files|*.wmf||";

// The action list in its order, with the action code each item stands for.
const struct {
    const char* text;
    int action;
} Actions[] = {
    {"Launch a File", MenuActionFile},           {"Open a Folder", MenuActionFolder},
    {"Open a WWW Site (URL)", MenuActionWeb},    {"Launch a SlideShow", MenuActionSlideShow},
    {"Send an Email (mailto)", MenuActionMail},  {"Exit Menu", MenuActionExit},
};

const UINT TargetRow[] = {IDC_MN_TARGET_LABEL, IDC_MN_TARGET, IDC_MN_FIND, IDC_MN_FIND_LABEL};
const UINT SettingsRow[] = {IDC_MN_SETTINGS, IDC_MN_SETTINGS_LABEL};
const UINT FailsafeRow[] = {IDC_MN_FAILSAFE, IDC_MN_FAILSAFE_LABEL};
const UINT ClearRow[] = {IDC_MN_CLEAR, IDC_MN_CLEAR_LABEL};

bool StartsWithNoCase(const CString& text, const char* start)
{
    const int length = static_cast<int>(strlen(start));
    return text.GetLength() >= length && text.Left(length).CompareNoCase(start) == 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMenuSettingsDlg, CSettingsDlg)
    ON_BN_CLICKED(IDC_MN_SHOW_TITLE_BAR, &CMenuSettingsDlg::OnShowCheck)
    ON_BN_CLICKED(IDC_MN_SHOW_TEXT, &CMenuSettingsDlg::OnShowCheck)
    ON_BN_CLICKED(IDC_MN_SHOW_COLOR, &CMenuSettingsDlg::OnShowCheck)
    ON_BN_CLICKED(IDC_SWATCH, &CMenuSettingsDlg::OnSwatch)
    ON_BN_CLICKED(IDC_MN_BROWSE_IMAGE, &CMenuSettingsDlg::OnBrowseImage)
    ON_BN_CLICKED(IDC_MN_CREATE, &CMenuSettingsDlg::OnCreateButton)
    ON_BN_CLICKED(IDC_MN_DELETE, &CMenuSettingsDlg::OnDeleteButton)
    ON_BN_CLICKED(IDC_MN_UP, &CMenuSettingsDlg::OnShiftUp)
    ON_BN_CLICKED(IDC_MN_DOWN, &CMenuSettingsDlg::OnShiftDown)
    ON_EN_CHANGE(IDC_MN_BUTTON_TEXT, &CMenuSettingsDlg::OnButtonTextChange)
    ON_CBN_SELCHANGE(IDC_MN_STYLE, &CMenuSettingsDlg::OnStyleChange)
    ON_LBN_SELCHANGE(IDC_MN_LIST, &CMenuSettingsDlg::OnSelectionChange)
    ON_CBN_SELCHANGE(IDC_MN_ACTION, &CMenuSettingsDlg::OnActionChange)
    ON_BN_CLICKED(IDC_MN_FIND, &CMenuSettingsDlg::OnFind)
    ON_BN_CLICKED(IDC_MN_SETTINGS, &CMenuSettingsDlg::OnViewerSettings)
    ON_BN_CLICKED(IDC_MN_FAILSAFE, &CMenuSettingsDlg::OnFailsafe)
    ON_BN_CLICKED(IDC_MN_CLEAR, &CMenuSettingsDlg::OnClearTarget)
    ON_BN_CLICKED(IDC_TEST, &CMenuSettingsDlg::OnTest)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMenuSettingsDlg::CMenuSettingsDlg(CWnd* parent) : CSettingsDlg(IDD, parent)
{
    m_frame.firstHelpTitle = IDS_TITLE_MENU_SETTINGS;
    m_frame.firstHelpText = IDS_HELP_MENU_SETTINGS;
    m_frame.helpPanelId = IDC_MN_HELP_PANEL;
    m_frame.helpButtons = {{IDC_SETTINGS_HELP_1, IDS_TITLE_MENU_WINDOW, IDS_HELP_MENU_WINDOW},
                           {IDC_SETTINGS_HELP_2, IDS_TITLE_MENU_STYLE, IDS_HELP_MENU_STYLE},
                           {IDC_SETTINGS_HELP_3, IDS_TITLE_MENU_BUTTONS, IDS_HELP_MENU_BUTTONS}};
}

CMenuSettingsDlg::~CMenuSettingsDlg() { EndTest(); }

INT_PTR CMenuSettingsDlg::Edit(CMenuViewer& menu, const CString& baseFolder, CWnd* parent)
{
    CMenuSettingsDlg dialog(parent);
    dialog.CopyFrom(menu, baseFolder);
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        dialog.WriteBack(menu);
    return result;
}

// A button's viewer copied for the menu's button slot (none for none).
std::shared_ptr<CViewer> CMenuSettingsDlg::CopyButtonViewer(const CViewer* source, CMenuViewer& menu, int slot)
{
    std::shared_ptr<CViewer> copy;
    if (source) {
        copy.reset(PrepareButtonViewer(source->GetViewerType(), menu, slot));
        copy->SetEqual(const_cast<CViewer*>(source));
    }
    return copy;
}

// Each button's viewer is copied: what the dialog changes, replaces or drops reaches the
// menu only on OK.
void CMenuSettingsDlg::CopyFrom(const CMenuViewer& menu, const CString& baseFolder)
{
    m_programDirectory = baseFolder;
    m_showTitleBar = menu.GetShowMenuTitleBar();
    m_menuTitle = menu.GetMenuTitle();
    m_menuWidth = menu.GetMenuWidth();
    m_menuHeight = menu.GetMenuHeight();
    m_showMenuText = menu.GetShowMenuText();
    m_menuText = menu.GetMenuText();
    m_showBackgroundColor = menu.GetShowMenuBackgroundColor();
    m_backgroundColor = menu.GetMenuBackgroundColor();
    m_backgroundImage = menu.GetMenuBackgroundImage();
    for (ButtonSlot& slot : m_slots)
        slot = ButtonSlot();
    m_buttonCount = menu.GetMenuButtonCount() < MaxButtons ? menu.GetMenuButtonCount() : MaxButtons;
    for (int i = 0; i < m_buttonCount; ++i) {
        ButtonSlot& slot = m_slots[i];
        slot.caption = menu.GetMenuButtonCaption(i);
        slot.style = menu.GetMenuButtonStyle(i);
        slot.action = menu.GetMenuButtonAction(i);
        slot.viewer = CopyButtonViewer(menu.GetMenuButtonViewer(i), const_cast<CMenuViewer&>(menu), i);
        if (slot.viewer) {
            // A viewer read from a file keeps its window state in the parameters: the
            // settings dialogs show and change it as the state.
            CString parameters = slot.viewer->GetParameters();
            if (const int state = TakeWindowState(parameters)) {
                slot.viewer->SetParameters(parameters);
                slot.viewer->SetWindowShowCmdWindow(state);
            }
        }
    }
}

void CMenuSettingsDlg::WriteBack(CMenuViewer& menu) const
{
    menu.SetViewerType(CViewer::TypeMenu);
    WriteWindowSettings(menu);
    for (int i = 0; i < m_buttonCount; ++i)
        menu.AddMenuButton(m_slots[i].caption, m_slots[i].style, m_slots[i].action, m_slots[i].viewer);
    menu.ReleaseUnusedViewers();
    menu.SetTargetFilename("Menu");
}

// The window and style settings into a menu, its buttons cleared for the dialog's own.
void CMenuSettingsDlg::WriteWindowSettings(CMenuViewer& menu) const
{
    menu.SetShowMenuTitleBar(m_showTitleBar);
    menu.SetMenuTitle(m_menuTitle);
    menu.SetMenuWidth(m_menuWidth);
    menu.SetMenuHeight(m_menuHeight);
    menu.SetShowMenuText(m_showMenuText);
    menu.SetMenuText(m_menuText);
    menu.SetShowMenuBackgroundColor(m_showBackgroundColor);
    menu.SetMenuBackgroundColor(m_backgroundColor);
    menu.SetMenuBackgroundImage(m_backgroundImage);
    menu.ClearMenuButtons();
}

void CMenuSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CSettingsDlg::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_MN_SHOW_TITLE_BAR, m_showTitleBar);
    DDX_Text(pDX, IDC_MN_TITLE, m_menuTitle);
    DDX_Text(pDX, IDC_MN_WIDTH, m_menuWidth);
    DDX_Text(pDX, IDC_MN_HEIGHT, m_menuHeight);
    DDX_Check(pDX, IDC_MN_SHOW_TEXT, m_showMenuText);
    DDX_Text(pDX, IDC_MN_TEXT, m_menuText);
    DDV_MaxChars(pDX, m_menuText, MaxMenuText);
    DDX_Check(pDX, IDC_MN_SHOW_COLOR, m_showBackgroundColor);
    DDX_Text(pDX, IDC_MN_IMAGE, m_backgroundImage);
    DDX_CBIndex(pDX, IDC_MN_STYLE, m_buttonStyle);
    DDX_Text(pDX, IDC_MN_TARGET, m_targetText);
    DDX_Text(pDX, IDC_MN_BUTTON_TEXT, m_buttonText);
    DDX_Text(pDX, IDC_MN_TARGET_LABEL, m_targetLabel);
    DDX_Text(pDX, IDC_MN_FIND_LABEL, m_findLabel);
}

BOOL CMenuSettingsDlg::OnInitDialog()
{
    for (const char* style : {"Normal", "Flat", "Corvex"})
        ::SendDlgItemMessageA(m_hWnd, IDC_MN_STYLE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(style));
    for (const auto& action : Actions) {
        const LRESULT item =
            ::SendDlgItemMessageA(m_hWnd, IDC_MN_ACTION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(action.text));
        ::SendDlgItemMessageA(m_hWnd, IDC_MN_ACTION, CB_SETITEMDATA, static_cast<WPARAM>(item), action.action);
    }
    CSettingsDlg::OnInitDialog();
    SetWindowText("Menu Settings");

    m_swatch.SubclassDlgItem(IDC_SWATCH, this);
    m_swatch.SetStyle(CMenuButton::StyleSwatch);
    m_swatch.SetColor(m_backgroundColor);
    m_create.SubclassDlgItem(IDC_MN_CREATE, this);
    m_delete.SubclassDlgItem(IDC_MN_DELETE, this);
    m_shiftUp.SubclassDlgItem(IDC_MN_UP, this);
    m_shiftDown.SubclassDlgItem(IDC_MN_DOWN, this);
    for (CMenuButton* button : {&m_create, &m_delete, &m_shiftUp, &m_shiftDown})
        button->SetStyle(CMenuButton::StyleFramed);
    m_create.SetIcons(IDI_CREATE_BUTTON, IDI_CREATE_BUTTON_HOT);
    m_delete.SetIcons(IDI_DELETE_BUTTON_HOT, IDI_DELETE_BUTTON);
    m_shiftUp.SetBitmaps(IDB_MOVE_UP_HOT, IDB_MOVE_UP, IDB_MOVE_UP_MASK);
    m_shiftDown.SetBitmaps(IDB_MOVE_DOWN_HOT, IDB_MOVE_DOWN, IDB_MOVE_DOWN_MASK);
    SetUpHoverButton(m_browseImage, IDC_MN_BROWSE_IMAGE, IDI_BROWSE, IDI_BROWSE_HOT, 0);
    SetUpHoverButton(m_find, IDC_MN_FIND, IDI_BROWSE, IDI_BROWSE_HOT, 0);
    SetUpHoverButton(m_settings, IDC_MN_SETTINGS, IDI_SETTINGS, IDI_SETTINGS_HOT, 0);
    SetUpHoverButton(m_failsafe, IDC_MN_FAILSAFE, IDI_SETTINGS, IDI_SETTINGS_HOT, 0);
    SetUpHoverButton(m_clear, IDC_MN_CLEAR, IDI_CLEAR, IDI_CLEAR_HOT, 0);

    for (int i = 0; i < m_buttonCount; ++i)
        ::SendDlgItemMessageA(m_hWnd, IDC_MN_LIST, LB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(static_cast<const char*>(m_slots[i].caption)));
    SelectButton(0);
    return TRUE;
}

void CMenuSettingsDlg::ApplyEnableRules()
{
    GetDlgItem(IDC_MN_TITLE)->EnableWindow(IsChecked(IDC_MN_SHOW_TITLE_BAR));
    GetDlgItem(IDC_MN_TEXT)->EnableWindow(IsChecked(IDC_MN_SHOW_TEXT));
    GetDlgItem(IDC_SWATCH)->EnableWindow(IsChecked(IDC_MN_SHOW_COLOR));
}

// A tick is taken in at once: the selection refresh pushes the members back to the
// controls, and would otherwise undo it.
void CMenuSettingsDlg::OnShowCheck()
{
    PullControls();
    ApplyEnableRules();
}

void CMenuSettingsDlg::OnSwatch()
{
    CColorDialog dialog(m_backgroundColor, CC_FULLOPEN | CC_RGBINIT, this);
    if (dialog.DoModal() == IDOK)
        m_backgroundColor = dialog.GetColor();
    m_swatch.SetColor(m_backgroundColor);
}

void CMenuSettingsDlg::OnBrowseImage()
{
    PullControls();
    BrowseInBaseFolder("Select an Image file for your Menu background", ImageFilter, m_backgroundImage);
    PushControls();
}

int CMenuSettingsDlg::ChosenAction() const
{
    const LRESULT item = ::SendDlgItemMessageA(m_hWnd, IDC_MN_ACTION, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR)
        return MenuActionNone;
    return static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_MN_ACTION, CB_GETITEMDATA, static_cast<WPARAM>(item), 0));
}

void CMenuSettingsDlg::SelectAction(int action)
{
    int item = -1;
    for (int i = 0; i < static_cast<int>(sizeof Actions / sizeof Actions[0]); ++i)
        if (Actions[i].action == action)
            item = i;
    ::SendDlgItemMessageA(m_hWnd, IDC_MN_ACTION, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

// The selection refresh: the selected button's fields into the controls, then its rows.
void CMenuSettingsDlg::SelectButton(int index)
{
    ::SendDlgItemMessageA(m_hWnd, IDC_MN_LIST, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    OnSelectionChange();
}

void CMenuSettingsDlg::OnSelectionChange()
{
    const LRESULT selected = ::SendDlgItemMessageA(m_hWnd, IDC_MN_LIST, LB_GETCURSEL, 0, 0);
    m_currentButton = selected == LB_ERR ? -1 : static_cast<int>(selected);
    const BOOL any = m_currentButton >= 0;
    EnableControls({IDC_MN_BUTTON_TEXT_LABEL, IDC_MN_BUTTON_TEXT, IDC_MN_STYLE_LABEL, IDC_MN_STYLE,
                    IDC_MN_ACTION_LABEL, IDC_MN_ACTION},
                   any);
    if (!any) {
        m_buttonText.Empty();
        SelectAction(MenuActionNone);
        PushControls();
        OnActionChange();
        return;
    }
    const ButtonSlot& slot = m_slots[m_currentButton];
    m_buttonText = slot.caption;
    m_buttonStyle = slot.style;
    SelectAction(slot.action);
    PushControls();
    OnActionChange();
    if (slot.viewer) {
        m_targetText = slot.viewer->GetTargetFilename();
        PushControls();
        if (!m_targetText.IsEmpty())
            EnableControls({IDC_MN_SETTINGS_LABEL, IDC_MN_SETTINGS}, TRUE);
    }
}

void CMenuSettingsDlg::RewriteListEntry(int index)
{
    CWnd* list = GetDlgItem(IDC_MN_LIST);
    list->SendMessage(LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    list->SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(static_cast<const char*>(m_slots[index].caption)));
}

void CMenuSettingsDlg::OnCreateButton()
{
    if (m_buttonCount >= MaxButtons)
        return;
    ButtonSlot& slot = m_slots[m_buttonCount];
    slot = ButtonSlot();
    slot.caption = "New Button";
    ::SendDlgItemMessageA(m_hWnd, IDC_MN_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("New Button"));
    ++m_buttonCount;
    SelectButton(m_buttonCount - 1);
    CWnd* text = GetDlgItem(IDC_MN_BUTTON_TEXT);
    text->SetFocus();
    text->SendMessage(EM_SETSEL, 0, -1);
}

// The button goes with its viewer copy; the menu's own viewer is let go of only on OK.
void CMenuSettingsDlg::OnDeleteButton()
{
    const int index = m_currentButton;
    if (index < 0 || index >= m_buttonCount)
        return;
    ::SendDlgItemMessageA(m_hWnd, IDC_MN_LIST, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    for (int i = index; i + 1 < m_buttonCount; ++i)
        m_slots[i] = m_slots[i + 1];
    m_slots[--m_buttonCount] = ButtonSlot();
    SelectButton(index < m_buttonCount ? index : -1);
}

void CMenuSettingsDlg::SwapButtons(int a, int b)
{
    std::swap(m_slots[a], m_slots[b]);
    RewriteListEntry(a);
    RewriteListEntry(b);
    SelectButton(b);
}

void CMenuSettingsDlg::OnShiftUp()
{
    if (m_currentButton > 0 && m_currentButton < m_buttonCount)
        SwapButtons(m_currentButton, m_currentButton - 1);
}

void CMenuSettingsDlg::OnShiftDown()
{
    if (m_currentButton >= 0 && m_currentButton + 1 < m_buttonCount)
        SwapButtons(m_currentButton, m_currentButton + 1);
}

void CMenuSettingsDlg::OnButtonTextChange()
{
    if (m_currentButton < 0)
        return;
    GetDlgItem(IDC_MN_BUTTON_TEXT)->GetWindowText(m_buttonText);
    m_slots[m_currentButton].caption = m_buttonText;
    RewriteListEntry(m_currentButton);
    ::SendDlgItemMessageA(m_hWnd, IDC_MN_LIST, LB_SETCURSEL, static_cast<WPARAM>(m_currentButton), 0);
}

void CMenuSettingsDlg::OnStyleChange()
{
    PullControls();
    if (m_currentButton >= 0)
        m_slots[m_currentButton].style = m_buttonStyle;
}

void CMenuSettingsDlg::ShowRow(std::initializer_list<UINT> ids, bool shown)
{
    for (UINT id : ids)
        GetDlgItem(static_cast<int>(id))->ShowWindow(shown ? SW_SHOW : SW_HIDE);
}

void CMenuSettingsDlg::OnActionChange()
{
    PullControls();
    m_targetText.Empty();
    const int action = ChosenAction();
    if (m_currentButton >= 0)
        m_slots[m_currentButton].action = action;
    bool target = false, settings = false, failsafe = false, clear = false;
    switch (action) {
    case MenuActionFile:
        m_targetLabel = "Target File";
        m_findLabel = "Find";
        target = settings = failsafe = clear = true;
        break;
    case MenuActionFolder:
        m_targetLabel = "Folder to Open";
        m_findLabel = "Find";
        target = settings = clear = true;
        break;
    case MenuActionWeb:
        m_targetLabel = "Web Site";
        m_findLabel = "Set";
        target = settings = clear = true;
        break;
    case MenuActionMail:
        m_targetLabel = "Email Address";
        m_findLabel = "Set";
        target = clear = true;
        break;
    case MenuActionSlideShow:
        settings = clear = true;
        break;
    default:
        break;
    }
    ShowRow({TargetRow[0], TargetRow[1], TargetRow[2], TargetRow[3]}, target);
    ShowRow({SettingsRow[0], SettingsRow[1]}, settings);
    ShowRow({FailsafeRow[0], FailsafeRow[1]}, failsafe);
    ShowRow({ClearRow[0], ClearRow[1]}, clear);
    if (action == MenuActionSlideShow)
        EnableControls({IDC_MN_SETTINGS, IDC_MN_SETTINGS_LABEL}, TRUE);
    if (m_currentButton >= 0) {
        ButtonSlot& slot = m_slots[m_currentButton];
        if (action == MenuActionSlideShow)
            ViewerOfType(CViewer::TypeSlideShow);
        else if (action == MenuActionExit)
            slot.viewer.reset();
    }
    RECT first, last;
    GetDlgItem(IDC_MN_TARGET_LABEL)->GetWindowRect(&first);
    GetDlgItem(IDC_MN_CLEAR)->GetWindowRect(&last);
    m_actionArea = {first.left, first.top, last.right, last.bottom};
    ScreenToClient(&m_actionArea);
    InvalidateRect(&m_actionArea);
    PushControls();
}

CViewer& CMenuSettingsDlg::ViewerOfType(int type)
{
    ButtonSlot& slot = m_slots[m_currentButton];
    if (!slot.viewer || slot.viewer->GetViewerType() != type)
        slot.viewer.reset(PrepareViewer(type, this, 10 + m_currentButton, CString(), m_programDirectory, CString()));
    return *slot.viewer;
}

void CMenuSettingsDlg::RefuseOutside()
{
    m_targetText.Empty();
    ShowHelp(IDS_TITLE_MENU_SETTINGS, IDS_OUTSIDE_BASE_FOLDER, TRUE);
}

void CMenuSettingsDlg::OnFind()
{
    if (m_currentButton < 0)
        return;
    PullControls();
    const int action = ChosenAction();
    int kind = CViewer::TypeFile;
    CString target;
    switch (action) {
    case MenuActionFile: {
        const BrowseResult result =
            BrowseInBaseFolder("Select your Target File", "All Files (*.*)|*.*||", target, TargetNameBuffer);
        if (result == BrowseCancelled)
            return;
        if (result == BrowseOutside) {
            RefuseOutside();
            return;
        }
        kind = ChooseViewerForTarget(target, false);
        if (kind == CViewer::TypeSlideShow || kind == CViewer::TypeMenu)
            kind = CViewer::TypeFile;  // the keywords name no file
        EnableControls({IDC_MN_SETTINGS, IDC_MN_SETTINGS_LABEL, IDC_MN_FAILSAFE, IDC_MN_FAILSAFE_LABEL}, TRUE);
        break;
    }
    case MenuActionFolder: {
        CFolderDialog dialog("Select the Folder to Open", m_programDirectory, this);
        if (dialog.DoModal() != IDOK)
            return;
        target = dialog.GetFolderPath();
        // The browser is rooted at the base folder but may still hand back a folder above it.
        if (!IsInBaseFolder(m_programDirectory, target)) {
            RefuseOutside();
            return;
        }
        kind = CViewer::TypeFolder;
        EnableControls({IDC_MN_SETTINGS, IDC_MN_SETTINGS_LABEL}, TRUE);
        break;
    }
    case MenuActionWeb: {
        CUrlDlg dialog(this);
        dialog.m_url = m_targetText;
        if (dialog.DoModal() != IDOK)
            return;
        target = dialog.m_url;
        if (StartsWithNoCase(target, "www"))
            target = "http://" + target;
        kind = CViewer::TypeWeb;
        EnableControls({IDC_MN_SETTINGS, IDC_MN_SETTINGS_LABEL}, TRUE);
        break;
    }
    case MenuActionMail: {
        CMailtoDlg dialog(this);
        dialog.m_address = m_targetText;
        if (dialog.DoModal() != IDOK)
            return;
        target = dialog.m_address;
        break;
    }
    default:
        return;
    }
    m_targetText = target;
    CViewer& viewer = ViewerOfType(kind);
    if (kind == CViewer::TypeFolder)
        viewer.SetProgramDirectory(m_programDirectory);
    viewer.SetTargetFilename(m_targetText);
    PushControls();
}

void CMenuSettingsDlg::OnViewerSettings()
{
    if (m_currentButton < 0 || !m_slots[m_currentButton].viewer)
        return;
    CViewer& viewer = *m_slots[m_currentButton].viewer;
    switch (viewer.GetViewerType()) {
    case CViewer::TypeFile:
        CViewerSettingsDlg::Edit(viewer, m_programDirectory, this);
        break;
    case CViewer::TypeWeb:
        CWebViewerSettingsDlg::Edit(static_cast<CWebViewer&>(viewer), m_programDirectory, false, this);
        break;
    case CViewer::TypeZip:
        CZipViewerSettingsDlg::Edit(static_cast<CZipViewer&>(viewer), m_programDirectory, this);
        break;
    case CViewer::TypeMedia:
        CMediaViewerSettingsDlg::Edit(static_cast<CMediaViewer&>(viewer), m_programDirectory, this);
        break;
    case CViewer::TypeFlash:
        CFlashViewerSettingsDlg::Edit(static_cast<CFlashViewer&>(viewer), m_programDirectory, this);
        break;
    case CViewer::TypeSlideShow:
        CSlideShowSettingsDlg::Edit(static_cast<CSlideShowViewer&>(viewer), m_programDirectory, this);
        break;
    default:
        break;  // a folder has no settings of its own
    }
    OnSelectionChange();
}

void CMenuSettingsDlg::OnFailsafe()
{
    if (m_currentButton >= 0 && m_slots[m_currentButton].viewer)
        CFailsafeSettingsDlg::Edit(*m_slots[m_currentButton].viewer, m_programDirectory, this);
}

void CMenuSettingsDlg::OnClearTarget()
{
    if (m_currentButton < 0)
        return;
    ButtonSlot& slot = m_slots[m_currentButton];
    if (ChosenAction() == MenuActionSlideShow && slot.viewer) {
        auto& show = static_cast<CSlideShowViewer&>(*slot.viewer);
        show.DeleteAllSlides();
        show.ClearAll();
        return;
    }
    slot.viewer.reset();
    PullControls();
    m_targetText.Empty();
    PushControls();
    EnableControls({IDC_MN_FAILSAFE_LABEL, IDC_MN_FAILSAFE, IDC_MN_SETTINGS_LABEL, IDC_MN_SETTINGS}, FALSE);
}

// A new menu viewer each time, with copies of the buttons' viewers: its window initialises
// them for launching (taking the window state out of the parameters, making addresses
// mailto: links), which must not reach the buttons. It lives until the next Test or the
// end of the dialog.
void CMenuSettingsDlg::OnTest()
{
    PullControls();
    EndTest();
    m_testViewer.reset(static_cast<CMenuViewer*>(
        PrepareViewer(CViewer::TypeMenu, this, 9, CString(), m_programDirectory, CString())));
    CMenuViewer& menu = *m_testViewer;
    menu.SetProgramDirectory(m_programDirectory);
    WriteWindowSettings(menu);
    for (int i = 0; i < m_buttonCount; ++i) {
        std::shared_ptr<CViewer> copy = CopyButtonViewer(m_slots[i].viewer.get(), menu, i);
        // Launched as the player launches it: the window state as the file carries it.
        if (copy)
            copy->SetParameters(WithWindowState(copy->GetParameters(), copy->GetWindowShowCmdWindow()));
        menu.AddMenuButton(m_slots[i].caption, m_slots[i].style, m_slots[i].action, copy);
    }
    ShowInTestMode(menu);
}

void CMenuSettingsDlg::EndTest() { m_testViewer.reset(); }

// A button that should launch something but never got its target launches nothing.
void CMenuSettingsDlg::OnOK()
{
    for (int i = 0; i < m_buttonCount; ++i) {
        ButtonSlot& slot = m_slots[i];
        if (slot.action != MenuActionNone && slot.action != MenuActionExit && !slot.viewer)
            slot.action = MenuActionNone;
    }
    CSettingsDlg::OnOK();
}

void CMenuSettingsDlg::OnDestroy()
{
    EndTest();
    CSettingsDlg::OnDestroy();
}
