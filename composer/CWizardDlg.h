// The frame of the New Project wizards: one page at a time in the page area, Back, Next
// (Finish on the last page) and Cancel, a header with the page's title over a gradient from
// the highlight colour to the button face, and a help band with a help text beside it.
//
//   CWizardDlg wizard(parent);
//   wizard.AddPage({"Select your Target File", IDS_TITLE_WIZARD_TARGET, IDS_HELP_WIZARD_TARGET,
//                   IDD_WIZARD_TARGET, &targetPage});   // the opener owns the pages
//   if (wizard.DoModal() == IDOK) ... the pages' results ...
#pragma once
#include "CDialog.h"
#include "CMenuButton.h"
#include "CSeparatorStatic.h"
#include "ComposerResource.h"

class CWizardPage;

class CWizardDlg : public CDialog {
public:
    enum { IDD = IDD_WIZARD, MaxPages = 9 };
    struct Page {
        CString title;
        UINT helpTitle = 0, helpText = 0, templateId = 0;
        CWizardPage* page = nullptr;
    };

    explicit CWizardDlg(CWnd* parent = nullptr);
    ~CWizardDlg() override;

    // Refused (false) without a page object or with 9 pages held.
    bool AddPage(const Page& page);
    int PageCount() const { return m_pageCount; }
    int CurrentPage() const { return m_current; }

    // The first page of the kind, or null: a page that needs another's result takes an
    // empty one when that page is not in this wizard.
    template <class Kind>
    Kind* FindPage() const
    {
        for (int i = 0; i < m_pageCount; ++i)
            if (Kind* page = dynamic_cast<Kind*>(m_pages[i].page))
                return page;
        return nullptr;
    }

    void ShowHelp(UINT titleId, UINT textId, BOOL warning);
    void EnableNext(bool enable);

    int m_withFailsafe = 0;

    // What the frame shows, for the tests.
    const CString& HelpTitle() const { return m_helpTitle; }
    const CString& HeaderTitle() const { return m_headerTitle; }
    BOOL HelpWarning() const { return m_warning; }
    const RECT& HeaderRect() const { return m_header; }
    const RECT& PageArea() const { return m_pageArea; }
    // The header's colour at column x of width columns: each channel runs from the highlight
    // colour at the left to the button face at the right.
    static COLORREF HeaderColumnColour(int x, int width, COLORREF left, COLORREF right);

protected:
    BOOL OnInitDialog() override;

    afx_msg void OnNext();
    afx_msg void OnBack();
    afx_msg void OnPaint();
    afx_msg void OnSysColorChange();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    RECT ChildRect(UINT id) const;
    void ShowPage(int index);
    void DrawHeader();
    void FreeHeader();

    Page m_pages[MaxPages];
    int m_pageCount = 0;
    int m_current = 0;
    CString m_helpTitle, m_helpText, m_headerTitle;
    BOOL m_warning = FALSE;
    HICON m_normalIcon = nullptr, m_warningIcon = nullptr;
    HBITMAP m_headerBitmap = nullptr;
    HDC m_headerDC = nullptr;
    HGDIOBJ m_headerOld = nullptr;
    RECT m_band = {}, m_header = {}, m_pageArea = {};
    CMenuButton m_back, m_next, m_cancel;
    CSeparatorStatic m_heading;
};
