// A dialog with the controls as the programs use them: a heading separator, a styled label,
// a caption box, a help panel with links, a row of hover buttons and a menu button.
// Run with a file name as argument, it writes that file once it is shown (for a screenshot)
// and closes itself after ten seconds.
#include "CCaptionStatic.h"
#include "CCorvEdit.h"
#include "CHoverButton.h"
#include "CMenuButton.h"
#include "CSeparatorStatic.h"
#include "CStyledLabel.h"
#include "ControlsTestResource.h"
#include "Framework.h"

#include <cstdio>

namespace {

const char* const HelpText =
    "<B>Target Files</B>\r\n"
    "Choose up to ten files to launch from the CD. Read <LINK http://example.com/help>the help pages</LINK> "
    "or start <INT_LINK 33000>the New Project wizard</INT_LINK>. <I>Italic</I>, <U>underlined</U> and "
    "<COLOR 0,128,0>green</COLOR> text.";

class CShowcaseDlg : public CDialog {
public:
    explicit CShowcaseDlg(const CString& readyFile) : CDialog(IDD_SHOWCASE), m_readyFile(readyFile) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_separator.SubclassDlgItem(IDC_SEPARATOR, this);
        m_label.SubclassDlgItem(IDC_LABEL, this);
        m_label.SetStyle(2);
        m_label.SetText("Project");
        m_caption.SubclassDlgItem(IDC_CAPTION, this);
        m_caption.SetText("AutoPlay is enabled.");
        const UINT hover[] = {IDC_HOVER_FIRST, IDC_HOVER_SECOND, IDC_HOVER_THIRD};
        for (int i = 0; i < 3; ++i) {
            m_hover[i].SubclassDlgItem(hover[i], this);
            m_hover[i].SetIcon(IDI_HOVER_IN, IDI_HOVER_OUT);
        }
        m_menuButton.SubclassDlgItem(IDC_MENU_BUTTON, this);
        m_menuButton.SetStyle(CMenuButton::StyleFramed);
        m_menuButton.SetBitmaps(IDB_IMAGE_HOT, IDB_IMAGE_NORMAL, IDB_IMAGE_MASK);
        RECT panel = {12, 70, 470, 235};
        m_help.Create(WS_EX_CLIENTEDGE, panel, this, IDC_HELP_PANEL, WS_CHILD | WS_VISIBLE | WS_VSCROLL);
        m_help.SetText(HelpText);
        // The pointer over the first link shows it hot in the picture.
        const CCorvLink& link = m_help.Layout().Links().at(0);
        m_help.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(link.first.left + 3, link.first.top + 5));
        SetTimer(1, 500, nullptr);
        SetTimer(2, 10000, nullptr);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR id)
    {
        if (id == 1) {
            KillTimer(1);
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            if (!m_readyFile.IsEmpty()) {
                if (FILE* f = std::fopen(m_readyFile, "w"))
                    std::fclose(f);
            }
        } else {
            EndDialog(IDOK);
        }
    }
    DECLARE_MESSAGE_MAP()

private:
    CString m_readyFile;
    CSeparatorStatic m_separator;
    CStyledLabel m_label;
    CCaptionStatic m_caption;
    CHoverButton m_hover[3];
    CMenuButton m_menuButton;
    CCorvEdit m_help;
};

BEGIN_MESSAGE_MAP(CShowcaseDlg, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CShowcaseApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        CString ready(m_lpCmdLine ? m_lpCmdLine : "");
        ready.Trim();
        CShowcaseDlg dlg(ready);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        return FALSE;
    }
};

CShowcaseApp theApp;

}  // namespace
