#include "CSlideShowSettingsDlg.h"

#include "BaseFolderPath.h"
#include "CColorDialog.h"
#include "CFileDialog.h"
#include "CSlideShowViewer.h"
#include "CSlideShowViewerDlg.h"
#include "DDX.h"
#include "SettingsDialogOpener.h"

namespace {

const char kImageFilter[] =
    "All Image Files|*.bmp; *.gif; *.jpeg; *.jpg; *.pcx; *.pgm; *.pict; *.psd; *.tga; *.tiff; *.wmf|"
    "BMP Files|*.bmp|GIF Files|*.gif|JPEG Files|*.jpeg; *.jpg|PCX Files|*.pcx|PGM Files|*.pgm|"
    "PICT Files|*.pict|PSD Files|*.psd|TGA Files|*.tga|TIFF Files|*.tiff|WMF Files|*.wmf||";
const char kMusicFilter[] = "Wave Files (*.wav), MP3 files (*.mp3)|*.wav; *.mp3||";

} // namespace

BEGIN_MESSAGE_MAP(CSlideShowSettingsDlg, CSettingsDlg)
    ON_CBN_SELCHANGE(IDC_WINDOW_SIZE, &CSlideShowSettingsDlg::OnRuleChange)
    ON_CBN_SELCHANGE(IDC_SS_DISPLAY_TIME_TYPE, &CSlideShowSettingsDlg::OnRuleChange)
    ON_BN_CLICKED(IDC_SS_ADD_IMAGES, &CSlideShowSettingsDlg::OnAddImages)
    ON_BN_CLICKED(IDC_SS_DELETE_IMAGE, &CSlideShowSettingsDlg::OnDeleteImage)
    ON_BN_CLICKED(IDC_SS_MOVE_UP, &CSlideShowSettingsDlg::OnMoveUp)
    ON_BN_CLICKED(IDC_SS_MOVE_DOWN, &CSlideShowSettingsDlg::OnMoveDown)
    ON_BN_CLICKED(IDC_SS_BROWSE_MUSIC, &CSlideShowSettingsDlg::OnBrowseMusic)
    ON_BN_CLICKED(IDC_SS_CLEAR_MUSIC, &CSlideShowSettingsDlg::OnClearMusic)
    ON_BN_CLICKED(IDC_SWATCH, &CSlideShowSettingsDlg::OnSwatch)
    ON_BN_CLICKED(IDC_TEST, &CSlideShowSettingsDlg::OnTest)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSlideShowSettingsDlg::CSlideShowSettingsDlg(CWnd* parent)
    : CSettingsDlg(IDD, parent), m_viewer(new CSlideShowViewer)
{
    // The caption stays the template's.
    m_frame.firstHelpTitle = IDS_TITLE_SLIDESHOW_SETTINGS;
    m_frame.firstHelpText = IDS_HELP_SLIDESHOW_SETTINGS;
    m_frame.helpButtons = {{IDC_SETTINGS_HELP_1, IDS_TITLE_SLIDESHOW_PLAY, IDS_HELP_SLIDESHOW_PLAY},
                           {IDC_SETTINGS_HELP_2, IDS_TITLE_SLIDESHOW_SIZE, IDS_HELP_SLIDESHOW_SIZE},
                           {IDC_SETTINGS_HELP_3, IDS_TITLE_SLIDESHOW_IMAGES, IDS_HELP_SLIDESHOW_IMAGES},
                           {IDC_SETTINGS_HELP_4, IDS_TITLE_SLIDESHOW_DURATION, IDS_HELP_SLIDESHOW_DURATION},
                           {IDC_SETTINGS_HELP_5, IDS_TITLE_SLIDESHOW_MUSIC, IDS_HELP_SLIDESHOW_MUSIC},
                           {IDC_SETTINGS_HELP_6, IDS_TITLE_SLIDESHOW_COLOR, IDS_HELP_SLIDESHOW_COLOR}};
}

CSlideShowSettingsDlg::~CSlideShowSettingsDlg() = default;

void CSlideShowSettingsDlg::CopyFrom(const CSlideShowViewer& viewer, const CString& baseFolder)
{
    m_programDirectory = baseFolder;
    m_loop = viewer.GetLoopSlideShow();
    m_closeAfterDone = viewer.GetCloseSlideShowAfterDone();
    m_closeButton = viewer.GetShowCloseButton();
    m_windowSize = static_cast<int>(viewer.GetSlideShowWindowSize());
    m_width = viewer.GetCustomSlideShowWidth();
    m_height = viewer.GetCustomSlideShowHeight();
    m_displayTimeType = static_cast<int>(viewer.GetDisplayTimeType());
    m_seconds = viewer.GetDisplayTime();
    m_music = viewer.GetBackgroundMusic();
    m_backgroundColor = viewer.GetSSBackgroundColor();
    m_imageSizeType = viewer.GetImageSizeType();
    m_viewer->DeleteAllSlides();
    for (const CString& slide : viewer.GetSlides())
        m_viewer->AddSlide(slide);
}

void CSlideShowSettingsDlg::Apply(CSlideShowViewer& viewer) const
{
    viewer.SetLoopSlideShow(m_loop);
    viewer.SetCloseSlideShowAfterDone(m_closeAfterDone);
    viewer.SetShowCloseButton(m_closeButton);
    viewer.SetSlideShowWindowSize(static_cast<unsigned>(m_windowSize));
    viewer.SetCustomSlideShowWidth(m_width);
    viewer.SetCustomSlideShowHeight(m_height);
    viewer.SetDisplayTimeType(static_cast<unsigned>(m_displayTimeType));
    viewer.SetDisplayTime(m_seconds);
    viewer.SetBackgroundMusic(m_music);
    viewer.SetSSBackgroundColor(m_backgroundColor);
    viewer.SetImageSizeType(m_imageSizeType);
}

void CSlideShowSettingsDlg::WriteBack(CSlideShowViewer& viewer) const
{
    viewer.SetViewerType(CViewer::TypeSlideShow);
    Apply(viewer);
    viewer.DeleteAllSlides();
    for (const CString& slide : m_viewer->GetSlides())
        viewer.AddSlide(slide);
    viewer.SetTargetFilename("SlideShow");
}

INT_PTR CSlideShowSettingsDlg::Edit(CSlideShowViewer& viewer, const CString& baseFolder, CWnd* parent)
{
    return EditInDialog<CSlideShowSettingsDlg>(viewer, baseFolder, parent);
}

std::vector<CString> CSlideShowSettingsDlg::ListedSlides() const
{
    std::vector<CString> slides;
    for (int i = 0; i < m_slides.GetItemCount(); ++i)
        slides.push_back(m_slides.GetItemText(i, 0));
    return slides;
}

void CSlideShowSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CSettingsDlg::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_SS_LOOP, m_loop);
    DDX_Check(pDX, IDC_SS_CLOSE_AFTER_DONE, m_closeAfterDone);
    DDX_Check(pDX, IDC_SS_CLOSE_BUTTON, m_closeButton);
    DDX_CBIndex(pDX, IDC_WINDOW_SIZE, m_windowSize);
    DDX_Text(pDX, IDC_CUSTOM_WIDTH, m_width);
    DDX_Text(pDX, IDC_CUSTOM_HEIGHT, m_height);
    DDX_CBIndex(pDX, IDC_SS_DISPLAY_TIME_TYPE, m_displayTimeType);
    DDX_Text(pDX, IDC_SS_DISPLAY_TIME, m_seconds);
    DDX_Text(pDX, IDC_SS_MUSIC, m_music);
    DDX_CBIndex(pDX, IDC_SS_IMAGE_SIZE_TYPE, m_imageSizeType);
}

BOOL CSlideShowSettingsDlg::OnInitDialog()
{
    for (const char* size : {"Custom Size", "Full Screen"})
        ::SendDlgItemMessageA(m_hWnd, IDC_WINDOW_SIZE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    for (const char* type : {"# of seconds", "Spread over music"})
        ::SendDlgItemMessageA(m_hWnd, IDC_SS_DISPLAY_TIME_TYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type));
    for (const char* type : {"Keep images at their original size", "Stretch images to fit window"})
        ::SendDlgItemMessageA(m_hWnd, IDC_SS_IMAGE_SIZE_TYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type));
    const UINT headings[3] = {IDC_HEADING_4, IDC_HEADING_5, IDC_HEADING_6};
    for (int i = 0; i < 3; ++i)
        m_headings[i].SubclassDlgItem(headings[i], this);
    m_slides.SubclassDlgItem(IDC_SS_SLIDES, this);
    CSettingsDlg::OnInitDialog();

    m_addImages.SubclassDlgItem(IDC_SS_ADD_IMAGES, this);
    m_deleteImage.SubclassDlgItem(IDC_SS_DELETE_IMAGE, this);
    m_moveUp.SubclassDlgItem(IDC_SS_MOVE_UP, this);
    m_moveDown.SubclassDlgItem(IDC_SS_MOVE_DOWN, this);
    for (CMenuButton* button : {&m_addImages, &m_deleteImage, &m_moveUp, &m_moveDown})
        button->SetStyle(CMenuButton::StyleFramed);
    m_addImages.SetIcons(IDI_ADD_IMAGES_HOT, IDI_ADD_IMAGES);
    m_deleteImage.SetIcons(IDI_DELETE_IMAGE_HOT, IDI_DELETE_IMAGE);
    m_moveUp.SetBitmaps(IDB_MOVE_UP_HOT, IDB_MOVE_UP, IDB_MOVE_UP_MASK);
    m_moveDown.SetBitmaps(IDB_MOVE_DOWN_HOT, IDB_MOVE_DOWN, IDB_MOVE_DOWN_MASK);
    SetUpHoverButton(m_browseMusic, IDC_SS_BROWSE_MUSIC, IDI_BROWSE, IDI_BROWSE_HOT, 0);
    SetUpHoverButton(m_clearMusic, IDC_SS_CLEAR_MUSIC, IDI_CLEAR, IDI_CLEAR_HOT, 0);
    m_swatch.SubclassDlgItem(IDC_SWATCH, this);
    m_swatch.SetStyle(CMenuButton::StyleSwatch);
    m_swatch.SetColor(m_backgroundColor);

    m_slides.InsertColumn(0, "", LVCFMT_LEFT, m_columnWidth);
    if (m_imageList.LoadSmall("C:\\"))
        m_slides.SetImageList(&m_imageList, LVSIL_SMALL);
    const std::vector<CString> slides = m_viewer->GetSlides();
    for (const CString& slide : slides)
        AddFile(m_programDirectory + "\\" + slide);
    return TRUE;
}

void CSlideShowSettingsDlg::ApplyEnableRules()
{
    const int size = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_WINDOW_SIZE, CB_GETCURSEL, 0, 0));
    EnableControls({IDC_CUSTOM_WIDTH, IDC_SIZE_X_LABEL, IDC_CUSTOM_HEIGHT, IDC_SIZE_PIXELS_LABEL}, size == SizeCustom);
    const int type = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_SS_DISPLAY_TIME_TYPE, CB_GETCURSEL, 0, 0));
    EnableControls({IDC_SS_DISPLAY_TIME, IDC_SS_SECONDS_LABEL}, type == TimeSeconds);
}

void CSlideShowSettingsDlg::OnRuleChange()
{
    PullControls();
    ApplyEnableRules();
}

void CSlideShowSettingsDlg::AddFile(const CString& path)
{
    CString name;
    if (!RelativeToBaseFolder(m_programDirectory, path, name))
        return;
    const int item = m_slides.InsertItem(m_slides.GetItemCount(), name, CSystemImageList::SmallIconOf(name));
    if (item < 0)
        return;
    ++m_slideCount;
    FitColumn(m_columnWidth);
}

void CSlideShowSettingsDlg::FitColumn(int from)
{
    // Wide enough for the text beside its icon.
    int width = from;
    int icon = 0, iconHeight = 0;
    if (m_imageList.GetSafeHandle())
        m_imageList.GetIconSize(&icon, &iconHeight);
    for (int i = 0; i < m_slides.GetItemCount(); ++i) {
        const int needed = m_slides.GetStringWidth(m_slides.GetItemText(i, 0)) + icon + 12;
        if (needed > width)
            width = needed;
    }
    m_columnWidth = width;
    m_slides.SetColumnWidth(0, width);
}

void CSlideShowSettingsDlg::SelectItem(int item)
{
    m_slides.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CSlideShowSettingsDlg::OnAddImages()
{
    CFileDialog dialog(TRUE, nullptr, nullptr,
                       OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_LONGNAMES |
                           OFN_EXPLORER | OFN_HIDEREADONLY,
                       kImageFilter, this);
    dialog.SetBufferSize(65535);
    dialog.m_ofn.lpstrInitialDir = m_programDirectory;
    dialog.m_ofn.lpstrTitle = "Select Images to add to your SlideShow";
    if (dialog.DoModal() != IDOK)
        return;
    for (const CString& path : dialog.GetPathNames())
        AddFile(path);
}

void CSlideShowSettingsDlg::OnDeleteImage()
{
    const int item = SelectedItem();
    if (item < 0)
        return;
    if (!m_slides.DeleteItem(item))
        return;
    --m_slideCount;
    const int count = m_slides.GetItemCount();
    if (count > 0)
        SelectItem(item < count ? item : count - 1);
    FitColumn(MinColumnWidth);
}

void CSlideShowSettingsDlg::MoveSelected(int step)
{
    const int item = SelectedItem();
    const int to = item + step;
    if (item < 0 || to < 0 || to >= m_slides.GetItemCount())
        return;
    const CString text = m_slides.GetItemText(item, 0);
    const int image = m_slides.GetItemImage(item);
    m_slides.DeleteItem(item);
    const int placed = m_slides.InsertItem(to, text, image);
    SelectItem(placed);
    m_slides.EnsureVisible(placed, FALSE);
}

void CSlideShowSettingsDlg::OnMoveUp() { MoveSelected(-1); }
void CSlideShowSettingsDlg::OnMoveDown() { MoveSelected(+1); }

void CSlideShowSettingsDlg::OnBrowseMusic()
{
    // A file outside the base folder is not taken: the music stays as it was.
    CString chosen;
    if (BrowseInBaseFolder("Please select your WAV or MP3 file", kMusicFilter, chosen) != BrowseInside)
        return;
    m_music = chosen;
    PushControls();
}

void CSlideShowSettingsDlg::OnClearMusic()
{
    m_music.Empty();
    PushControls();
}

void CSlideShowSettingsDlg::OnSwatch()
{
    CColorDialog dialog(m_backgroundColor, CC_FULLOPEN | CC_RGBINIT, this);
    if (dialog.DoModal() == IDOK)
        m_backgroundColor = dialog.GetColor();
    m_swatch.SetColor(m_backgroundColor);
}

void CSlideShowSettingsDlg::EndTestShow()
{
    CSlideShowViewerDlg* show = m_viewer->GetWindow();
    if (show && show->GetSafeHwnd())
        show->CloseShow();
}

void CSlideShowSettingsDlg::TakeSlidesFromList()
{
    EndTestShow();
    m_viewer->DeleteAllSlides();
    for (const CString& slide : ListedSlides())
        m_viewer->AddSlide(slide);
}

void CSlideShowSettingsDlg::OnTest()
{
    PullControls();
    CSlideShowViewer& viewer = *m_viewer;
    viewer.SetProgramDirectory(m_programDirectory);
    Apply(viewer);
    TakeSlidesFromList();
    ShowInTestMode(viewer);
}

void CSlideShowSettingsDlg::OnOK()
{
    TakeSlidesFromList();
    CSettingsDlg::OnOK();
}

// A test show still up ends with the dialog (its music, its window).
void CSlideShowSettingsDlg::OnDestroy()
{
    EndTestShow();
    m_imageList.Detach();
    CSettingsDlg::OnDestroy();
}
