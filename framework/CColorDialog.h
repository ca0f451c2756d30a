// The common colour chooser.
//
//   CColorDialog dlg(current, CC_FULLOPEN | CC_RGBINIT, this);
//   if (dlg.DoModal() == IDOK) current = dlg.GetColor();
//
// GetColor gives the colour chosen, or the initial one while the dialog has not been
// answered with OK (Cancel keeps it). The sixteen custom colours are shared by every
// colour dialog of the process, as the user set them last.
#pragma once
#include "CWnd.h"

#include <commdlg.h>

class FW_API CColorDialog {
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    virtual ~CColorDialog() = default;
    CColorDialog(const CColorDialog&) = delete;
    CColorDialog& operator=(const CColorDialog&) = delete;

    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLORA m_cc;

private:
    CWnd* m_pParentWnd;
};
