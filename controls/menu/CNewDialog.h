// A dialog whose menu bar and system menu are drawn by the owner-drawn menus.
#pragma once
#include "CDialog.h"
#include "CNewFrame.h"

class CNewDialog : public CNewFrame<CDialog> {
    DECLARE_DYNAMIC(CNewDialog)
public:
    CNewDialog();
    CNewDialog(UINT templateId, CWnd* parent = nullptr);
    CNewDialog(LPCTSTR templateName, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL systemMenu);
    DECLARE_MESSAGE_MAP()
};
