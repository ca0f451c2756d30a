// "Using Velmora Composer": how the program's controls and icons work.
#pragma once
#include "CCaptionStatic.h"
#include "CDialog.h"
#include "CHoverButton.h"
#include "CMenuButton.h"
#include "CSeparatorStatic.h"
#include "ComposerResource.h"

class CUsingInfoDlg : public CDialog {
public:
    enum { IDD = IDD_USING_INFO };
    explicit CUsingInfoDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

    static const char* const Introduction;

protected:
    BOOL OnInitDialog() override;

private:
    CMenuButton m_close;
    CCaptionStatic m_introduction;
    CSeparatorStatic m_enabledHeading, m_iconsHeading;
    CHoverButton m_disabledDemo, m_enabledDemo;
};
