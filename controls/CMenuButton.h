// The owner-drawn push button of the dialogs and of menu targets' windows: five looks drawn
// from pre-rendered faces, an optional 32 x 32 image (alpha-blended bitmap or icon) beside or
// without the caption, a hot look while the mouse is over it, an optional popup menu that
// drops down from its bottom-right square, and an optional viewer it opens when clicked.
#pragma once
#include "CButton.h"
#include "CDibSurface.h"
#include "CMenuButtonLayout.h"
#include "CMenuButtonState.h"

#include <functional>
#include <memory>

class CNewMenu;

class CMenuButton : public CButton {
public:
    enum Style { StyleNormal = 0, StyleFlat = 1, StyleFramed = 2, StyleSwatch = 3, StyleLatching = 4 };

    CMenuButton();
    ~CMenuButton() override;

    void AddMenuItem(const CString& text, UINT commandId, int icon);
    void SetStyle(int style);
    void SetColor(COLORREF colour);
    void SetBitmaps(UINT hotBitmap, UINT normalBitmap, UINT alphaMask);
    void SetIcons(UINT hotIcon, UINT normalIcon);
    void SetImageSize(int size);
    void SetImageLayout(int layout);
    void SetCornerMarks(BOOL marks);
    void SetEdgeTick(BOOL tick);
    CString GetCaption() const;
    void SetCaption(const CString& caption, BOOL redraw = TRUE);

    // Attaches a viewer (anything with Init, SetTestMode, Launch and Show): the button
    // initialises it in test mode and starts it with Launch and Show when clicked.
    template <class Viewer>
    void SetViewer(Viewer* viewer)
    {
        m_state.hasViewer = true;
        m_viewer = viewer;
        viewer->Init();
        viewer->SetTestMode(true);
        m_launch = [viewer] {
            viewer->Launch();
            viewer->Show();
        };
    }

    // State and faces, for the dialogs and the tests.
    const CMenuButtonState& State() const { return m_state; }
    bool IsCreated() const { return m_created; }
    bool IsMenuShown() const { return m_state.menuShown; }
    const CDibSurface& GetFace(CMenuButtonState::Face face) const { return m_faces[face]; }
    const CMenuButtonLayout& FaceLayout() const { return m_layout; }
    COLORREF FillColor() const { return m_fill; }
    COLORREF TextColor() const { return m_text; }
    COLORREF FrameColor() const { return m_frame; }

protected:
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* wnd);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg void OnEnable(BOOL enable);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

    // Drops the popup menu down from the button's lower-left corner.
    virtual void TrackMenu();

private:
    void ReadColours();
    void BuildFaces();
    void RebuildIfCreated();
    void Apply(const CMenuButtonState::Actions& actions);
    bool Inside(CPoint point) const;
    bool LoadBitmapPixels(UINT id, DWORD* pixels) const;
    void DrawImage(CMenuButtonState::Face face, HDC dc, int x, int y);
    void DrawCaption(HDC dc, COLORREF colour, int dx, int dy, bool disabled);
    void DrawCornerMarks(HDC dc, const RECT& outer, COLORREF colour);
    void DrawEdgeTick(HDC dc, const RECT& outer, bool left, COLORREF colour);

    bool m_created = false;
    CMenuButtonState m_state;
    UINT m_hoverPeriod = CMenuButtonState::TimerPeriod;
    std::unique_ptr<CNewMenu> m_menu;
    int m_itemCount = 0;
    void* m_viewer = nullptr;
    std::function<void()> m_launch;
    bool m_hasImage = false;
    bool m_imageIsBitmap = false;
    UINT m_imageIds[3] = {0, 0, 0};  // hot, normal, mask (or hot and normal icon)
    int m_imageLayout = 0;
    int m_imageSize = 32;
    bool m_cornerMarks = false;
    bool m_edgeTick = false;
    COLORREF m_fill = 0;
    COLORREF m_edges[4] = {0, 0, 0, 0};
    COLORREF m_text = 0;
    COLORREF m_frame = 0;
    COLORREF m_face = 0;
    bool m_faceSet = false;
    COLORREF m_swatch = 0;
    bool m_coloursRead = false;
    CString m_caption;  // the window text unless set
    bool m_captionSet = false;
    HFONT m_font = nullptr;
    CMenuButtonLayout m_layout;
    CDibSurface m_faces[4];
};
