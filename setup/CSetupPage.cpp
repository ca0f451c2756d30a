#include "CSetupPage.h"
#include "SetupResource.h"

BEGIN_MESSAGE_MAP(CSetupPage, CDialog)
    ON_BN_CLICKED(IDC_CANCEL_PAGE, &CSetupPage::OnCancelPage)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CSetupPage::CSetupPage(UINT templateId, const Texts& texts, UINT cancelQuestion)
    : CDialog(templateId), m_texts(texts), m_cancelQuestion(cancelQuestion)
{
}

CString CSetupPage::LoadText(UINT id)
{
    char text[1024] = {};
    ::LoadStringA(::GetModuleHandleA(nullptr), id, text, sizeof text);
    return CString(text);
}

BOOL CSetupPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    const struct {
        int control;
        UINT text;
    } items[] = {{IDC_TITLE, m_texts.title}, {IDC_TEXT, m_texts.text}, {static_cast<int>(m_texts.extraId), m_texts.extra},
                 {IDCANCEL, m_texts.back},   {IDOK, m_texts.next},     {IDC_CANCEL_PAGE, m_texts.cancel}};
    for (const auto& item : items)
        if (item.control && item.text)
            SetDlgItemText(item.control, LoadText(item.text));
    return TRUE;
}

void CSetupPage::OnCancelPage()
{
    if (MessageBox(LoadText(m_cancelQuestion), LoadText(7), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_bCancelled = TRUE;
    EndDialog(IDCANCEL);
}

void CSetupPage::OnPaint()
{
    CPaintDC dc(this);
    auto rectOf = [this](int id, RECT& r) {
        HWND h = ::GetDlgItem(m_hWnd, id);
        if (!h)
            return false;
        ::GetWindowRect(h, &r);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return true;
    };
    RECT title, picture, button;
    if (rectOf(IDC_TITLE, title)) {
        RECT band = {title.left, title.bottom + 3, title.right, title.bottom + 8};
        ::FillRect(dc.GetSafeHdc(), &band, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    if (rectOf(IDC_PICTURE, picture) && (rectOf(IDC_CANCEL_PAGE, button) || rectOf(IDOK, button))) {
        RECT shadow = {picture.right + 8, button.top - 10, button.right, button.top - 9};
        RECT light = {picture.right + 8, button.top - 9, button.right, button.top - 8};
        ::FillRect(dc.GetSafeHdc(), &shadow, ::GetSysColorBrush(COLOR_BTNSHADOW));
        ::FillRect(dc.GetSafeHdc(), &light, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    }
}
