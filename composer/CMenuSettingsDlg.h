// "Menu Settings": a Menu target's window (title, size, text box, background colour and
// picture) and its up to 25 buttons, each launching a target of its own or closing the
// menu.
//
// The dialog works on copies: the window settings, the button slots and every button's
// viewer are the dialog's own until OK, so that Cancel leaves the menu exactly as it was.
// On OK the menu takes the slots and shares of their viewers; the viewers it held that no
// button uses any more are let go. Test shows a menu of its own with copies of the
// buttons' viewers; it ends with the next Test or with the dialog.
#pragma once
#include "CSettingsDlg.h"

#include <memory>

class CMenuViewer;
class CViewer;

class CMenuSettingsDlg : public CSettingsDlg {
public:
    enum { IDD = IDD_MENU_SETTINGS, MaxButtons = 25, MaxMenuText = 5000 };
    enum ButtonStyle { StyleNormal = 0, StyleFlat = 1, StyleCorvex = 2 };

    struct ButtonSlot {
        CString caption;
        int style = StyleNormal;
        int action = -1;
        std::shared_ptr<CViewer> viewer;
    };

    explicit CMenuSettingsDlg(CWnd* parent = nullptr);
    ~CMenuSettingsDlg() override;

    // The opener's side: the window settings and the buttons from the menu (each button's
    // viewer copied), and on OK back into it, type Menu, target "Menu". Cancel writes
    // nothing. Edit does all of it and gives DoModal's result.
    void CopyFrom(const CMenuViewer& menu, const CString& baseFolder);
    void WriteBack(CMenuViewer& menu) const;
    static INT_PTR Edit(CMenuViewer& menu, const CString& baseFolder, CWnd* parent);

    CString m_menuTitle = "My Menu";
    int m_menuWidth = 640;
    int m_menuHeight = 480;
    int m_showBackgroundColor = 1;
    CString m_backgroundImage = "alpha.gif";
    int m_showTitleBar = 1;
    int m_showMenuText = 1;
    CString m_menuText = "Menu Text Here";
    int m_buttonStyle = 0;
    CString m_targetText;
    CString m_buttonText;
    CString m_targetLabel = "Target File";
    CString m_findLabel = "Find";
    COLORREF m_backgroundColor = 0;

    int ButtonCount() const { return m_buttonCount; }
    int CurrentButton() const { return m_currentButton; }
    const ButtonSlot& Button(int slot) const { return m_slots[slot]; }
    CMenuViewer* TestViewer() const { return m_testViewer.get(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void ApplyEnableRules() override;
    void OnOK() override;

    afx_msg void OnShowCheck();
    afx_msg void OnSwatch();
    afx_msg void OnBrowseImage();
    afx_msg void OnCreateButton();
    afx_msg void OnDeleteButton();
    afx_msg void OnShiftUp();
    afx_msg void OnShiftDown();
    afx_msg void OnButtonTextChange();
    afx_msg void OnStyleChange();
    afx_msg void OnSelectionChange();
    afx_msg void OnActionChange();
    afx_msg void OnFind();
    afx_msg void OnViewerSettings();
    afx_msg void OnFailsafe();
    afx_msg void OnClearTarget();
    afx_msg void OnTest();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    int ChosenAction() const;
    void SelectAction(int action);
    void SelectButton(int index);
    void RewriteListEntry(int index);
    void SwapButtons(int a, int b);
    void ShowRow(std::initializer_list<UINT> ids, bool shown);
    // The selected slot's viewer of the type: kept when it has that type, else a new one.
    CViewer& ViewerOfType(int type);
    static std::shared_ptr<CViewer> CopyButtonViewer(const CViewer* source, CMenuViewer& menu, int slot);
    void WriteWindowSettings(CMenuViewer& menu) const;
    void RefuseOutside();
    void EndTest();

    ButtonSlot m_slots[MaxButtons];
    int m_buttonCount = 0;
    int m_currentButton = -1;
    RECT m_actionArea = {};
    std::unique_ptr<CMenuViewer> m_testViewer;
    CMenuButton m_swatch, m_create, m_delete, m_shiftUp, m_shiftDown;
    CHoverButton m_browseImage, m_find, m_settings, m_failsafe, m_clear;
};
