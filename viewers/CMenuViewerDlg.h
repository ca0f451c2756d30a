// The menu window: a popup of the menu viewer's buttons (drop-down menu buttons that start
// their own viewers when clicked), its text box and its background colour and picture,
// drawn from an off-screen copy built at the first paint.
#pragma once
#include "CCorvEdit.h"
#include "CDialog.h"
#include "CMenuButton.h"
#include "MenuWindowLayout.h"
#include "PLAnyPicDecoder.h"
#include "PLWinBmp.h"
#include "ViewersExport.h"
#include "ViewersResource.h"

#include <memory>

class CMenuViewer;

class VIEWERS_API CMenuViewerDlg : public CDialog {
public:
    enum { IDD = IDD_MENU_VIEWER, TextBoxId = 3028, MaxButtons = 25 };

    // The window reads every setting through viewer.
    explicit CMenuViewerDlg(CMenuViewer* viewer);
    ~CMenuViewerDlg() override;

    // Creates the hidden window (no parent: a top-level window); its buttons and text box
    // are made on the way.
    BOOL CreateHidden();
    // Adds the caption, centres the window and shows it for viewer.
    void Show(CMenuViewer* viewer);
    // The viewer is going away: the window no longer calls into it.
    void ForgetViewer() { m_viewer = m_shownViewer = nullptr; }
    // The close steps: pictures freed, window gone, the viewer told.
    void CloseMenu();

    // State, for the viewer and tests.
    const MenuLayout& Layout() const { return m_layout; }
    CMenuButton* GetButton(int slot) const;
    bool HasTextBox() const { return m_text.m_hWnd != nullptr; }
    CCorvEdit& TextBox() { return m_text; }
    COLORREF GetBackgroundColour() const { return m_background; }
    bool IsBackgroundReady() const { return m_backgroundReady; }
    bool HasPicture() const { return m_picture != nullptr; }

protected:
    void OnOK() override { CloseMenu(); }
    void OnCancel() override {}  // Esc does nothing
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    void MakeButtons();
    void BuildBackground(HDC windowDC);
    void FreeBackground();

    CMenuViewer* m_viewer;
    CMenuViewer* m_shownViewer = nullptr;
    COLORREF m_background = 0;
    RECT m_drawing = { 0, 0, 0, 0 };
    MenuLayout m_layout;
    // Deleted with the window object, never while their windows live nor while one of them
    // is still at work on the click that closed the menu.
    std::unique_ptr<CMenuButton> m_buttons[MaxButtons];
    CCorvEdit m_text;
    PLAnyPicDecoder m_decoder;
    std::unique_ptr<PLWinBmp> m_picture;
    HDC m_memDC = nullptr;
    HBITMAP m_memBitmap = nullptr;
    HGDIOBJ m_memOldBitmap = nullptr;
    bool m_backgroundReady = false;
    bool m_closing = false;
};
