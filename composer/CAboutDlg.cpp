#include "CAboutDlg.h"

CString CAboutDlg::History()
{
    return CString("<B>Velmora Composer 2.9.6</B> (built ") + __DATE__ +
           ")\r\n\r\n"
           "<B>2.9.6</B>\r\n"
           "Background music for the whole presentation.\r\n"
           "Create checks that every Velmora file reached the CD-ROM Base Folder.\r\n\r\n"
           "<B>2.9.1</B>\r\n"
           "Target files can be pre-loaded behind a loading window of your colour.\r\n\r\n"
           "<B>2.8.4</B>\r\n"
           "Allow only one instance of Velmora, and repeat the presentation.\r\n\r\n"
           "<B>2.8.0</B>\r\n"
           "Splash screens with a background colour; every project has its own registry key.\r\n\r\n"
           "<B>2.5</B>\r\n"
           "Target types: folders, web pages, media, Flash, slideshows, menus and zip archives.";
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_close.SubclassDlgItem(IDOK, this);
    m_close.SetStyle(CMenuButton::StyleFramed);
    CWnd* place = GetDlgItem(IDC_ABOUT_PLACE);
    RECT rect;
    place->GetWindowRect(&rect);
    ScreenToClient(&rect);
    place->ShowWindow(SW_HIDE);
    m_history.Create(WS_EX_CLIENTEDGE, rect, this, IDC_ABOUT_HISTORY, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP,
                     CCorvEdit::CaptionLook);
    m_history.SetText(History());
    return TRUE;
}
