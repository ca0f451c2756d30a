#include "CMenuButton.h"

#include "AfxModule.h"
#include "CFontFallback.h"
#include "CMenuButtonBlend.h"

#include "CNewMenu.h"

#include <cstring>
#include <vector>

BEGIN_MESSAGE_MAP(CMenuButton, CButton)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_KILLFOCUS()
    ON_WM_ENABLE()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace {

using Face = CMenuButtonState::Face;

void FillRect(HDC dc, int l, int t, int r, int b, COLORREF colour)
{
    RECT rect = {l, t, r, b};
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &rect, brush);
    ::DeleteObject(brush);
}

void FrameRect(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FrameRect(dc, &r, brush);
    ::DeleteObject(brush);
}

// Top and left edges in one colour, bottom and right in the other.
void Edge(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    FillRect(dc, r.left, r.top, r.right - 1, r.top + 1, topLeft);
    FillRect(dc, r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
    FillRect(dc, r.right - 1, r.top, r.right, r.bottom, bottomRight);
    FillRect(dc, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
}

RECT Deflated(const RECT& r, int d)
{
    RECT x = {r.left + d, r.top + d, r.right - d, r.bottom - d};
    return x;
}

}  // namespace

CMenuButton::CMenuButton()
{
    LOGFONTA lf = {};
    std::strncpy(lf.lfFaceName, CFontFallback::Face("MS Sans Serif"), LF_FACESIZE - 1);
    lf.lfHeight = -11;
    lf.lfWeight = 400;
    m_font = ::CreateFontIndirectA(&lf);
}

CMenuButton::~CMenuButton()
{
    if (m_font)
        ::DeleteObject(m_font);
}

void CMenuButton::PreSubclassWindow()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CMenuButton::DrawItem(LPDRAWITEMSTRUCT)
{
    // The faces are painted on WM_PAINT.
}

void CMenuButton::AddMenuItem(const CString& text, UINT commandId, int icon)
{
    if (!m_menu) {
        m_menu.reset(new CNewMenu);
        m_menu->CreatePopupMenu();
        m_state.isMenuButton = true;
    }
    m_menu->InsertItem(m_itemCount++, text, MF_BYPOSITION | MF_STRING, commandId, icon);
}

void CMenuButton::RebuildIfCreated()
{
    if (m_created) {
        BuildFaces();
        Invalidate(FALSE);
    }
}

void CMenuButton::SetStyle(int style)
{
    m_state.style = style;
    m_coloursRead = false;
    RebuildIfCreated();
}

void CMenuButton::SetColor(COLORREF colour)
{
    if (m_state.style == StyleFramed) {
        m_face = colour;
        m_faceSet = true;
    } else if (m_state.style == StyleSwatch) {
        m_swatch = colour;
    } else {
        return;
    }
    m_coloursRead = false;
    RebuildIfCreated();
}

void CMenuButton::SetBitmaps(UINT hotBitmap, UINT normalBitmap, UINT alphaMask)
{
    m_imageIds[0] = hotBitmap;
    m_imageIds[1] = normalBitmap;
    m_imageIds[2] = alphaMask;
    m_hasImage = true;
    m_imageIsBitmap = true;
    RebuildIfCreated();
}

void CMenuButton::SetIcons(UINT hotIcon, UINT normalIcon)
{
    m_imageIds[0] = hotIcon;
    m_imageIds[1] = normalIcon;
    m_imageIds[2] = 0;
    m_hasImage = true;
    m_imageIsBitmap = false;
    RebuildIfCreated();
}

void CMenuButton::SetImageSize(int size)
{
    m_imageSize = size;
    RebuildIfCreated();
}

void CMenuButton::SetImageLayout(int layout)
{
    m_imageLayout = layout;
    RebuildIfCreated();
}

void CMenuButton::SetCornerMarks(BOOL marks)
{
    m_cornerMarks = marks != FALSE;
    if (m_cornerMarks)
        m_edgeTick = false;
    RebuildIfCreated();
}

void CMenuButton::SetEdgeTick(BOOL tick)
{
    m_edgeTick = tick != FALSE;
    RebuildIfCreated();
}

CString CMenuButton::GetCaption() const
{
    if (m_captionSet || !m_hWnd)
        return m_caption;
    CString text;
    GetWindowText(text);
    return text;
}

void CMenuButton::SetCaption(const CString& caption, BOOL redraw)
{
    m_caption = caption;
    m_captionSet = true;
    if (m_hWnd)
        SetWindowText(caption);
    if (m_created) {
        BuildFaces();
        if (redraw)
            Invalidate(FALSE);
    }
}

// The colours of the look. A latching button keeps the colours it was built with.
void CMenuButton::ReadColours()
{
    if (m_coloursRead && m_state.style == StyleLatching)
        return;
    m_coloursRead = true;
    switch (m_state.style) {
    case StyleFramed:
    case StyleSwatch:
    case StyleLatching:
        m_fill = m_state.style == StyleSwatch ? m_swatch : ::GetSysColor(COLOR_CAPTIONTEXT);
        for (COLORREF& e : m_edges)
            e = ::GetSysColor(COLOR_ACTIVECAPTION);
        m_text = ::GetSysColor(COLOR_ACTIVECAPTION);
        m_frame = ::GetSysColor(COLOR_INACTIVECAPTION);
        if (m_state.style != StyleLatching && !m_faceSet)
            m_face = ::GetSysColor(COLOR_BTNFACE);
        break;
    case StyleFlat:
        m_fill = ::GetSysColor(COLOR_BTNFACE);
        m_edges[0] = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        m_edges[1] = ::GetSysColor(COLOR_BTNSHADOW);
        m_edges[2] = ::GetSysColor(COLOR_BTNFACE);
        m_edges[3] = ::GetSysColor(COLOR_BTNFACE);
        m_text = ::GetSysColor(COLOR_BTNTEXT);
        break;
    default:
        m_fill = ::GetSysColor(COLOR_BTNFACE);
        m_edges[0] = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        m_edges[1] = ::GetSysColor(COLOR_3DDKSHADOW);
        m_edges[2] = ::GetSysColor(COLOR_BTNFACE);
        m_edges[3] = ::GetSysColor(COLOR_3DDKSHADOW);
        m_text = ::GetSysColor(COLOR_BTNTEXT);
        break;
    }
}

bool CMenuButton::LoadBitmapPixels(UINT id, DWORD* pixels) const
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageA(AfxFindResourceHandle(MAKEINTRESOURCEA(id), reinterpret_cast<LPCTSTR>(RT_BITMAP)),
                     MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return false;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 32;
    bi.bmiHeader.biHeight = -32;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    const int lines = ::GetDIBits(screen, bitmap, 0, 32, pixels, &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(bitmap);
    for (int i = 0; i < 32 * 32; ++i)
        pixels[i] &= 0xFFFFFF;
    return lines > 0;
}

void CMenuButton::DrawImage(Face face, HDC dc, int x, int y)
{
    if (m_imageIsBitmap) {
        std::vector<DWORD> image(32 * 32), mask(32 * 32);
        const UINT id = face == CMenuButtonState::FaceHot || face == CMenuButtonState::FacePressed ? m_imageIds[0]
                                                                                                    : m_imageIds[1];
        if (!LoadBitmapPixels(id, image.data()) || !LoadBitmapPixels(m_imageIds[2], mask.data()))
            return;
        ::GdiFlush();
        CDibSurface& surface = m_faces[face];
        CMenuButtonBlend::Blend(surface.Bits(), surface.Width(), surface.Height(), x, y, image.data(), mask.data(),
                                32, 32);
        return;
    }
    const bool hot = face == CMenuButtonState::FaceHot || face == CMenuButtonState::FacePressed;
    const UINT id = hot ? m_imageIds[0] : m_imageIds[1];
    HICON icon = static_cast<HICON>(::LoadImageA(AfxFindResourceHandle(MAKEINTRESOURCEA(id),
                                                                         reinterpret_cast<LPCTSTR>(RT_GROUP_ICON)),
                                                 MAKEINTRESOURCEA(id), IMAGE_ICON, m_imageSize, m_imageSize, 0));
    if (!icon)
        return;
    // Clipped to the face: a button lower than its image shows what fits.
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, 0, 0, m_faces[face].Width(), m_faces[face].Height());
    ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, m_imageSize, m_imageSize,
                 DST_ICON | (face == CMenuButtonState::FaceDisabled ? DSS_DISABLED : DSS_NORMAL));
    ::RestoreDC(dc, saved);
    ::DestroyIcon(icon);
}

void CMenuButton::DrawCaption(HDC dc, COLORREF colour, int dx, int dy, bool disabled)
{
    if (!m_layout.showCaption || m_caption.IsEmpty())
        return;
    HGDIOBJ oldFont = ::SelectObject(dc, m_font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    const int x = m_layout.captionX + dx, y = m_layout.captionY + dy;
    if (disabled) {
        ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(m_caption.c_str()), m_caption.GetLength(), x, y, 0,
                     0, DST_PREFIXTEXT | DSS_DISABLED);
    } else {
        ::TextOutA(dc, x, y, m_caption, m_caption.GetLength());
    }
    ::SelectObject(dc, oldFont);
}

// At each corner two parallel lines 2 pixels apart, 10 pixels long, along both edges.
void CMenuButton::DrawCornerMarks(HDC dc, const RECT& o, COLORREF colour)
{
    const int len = 10;
    for (int d = 0; d <= 2; d += 2) {
        // top-left
        FillRect(dc, o.left, o.top + d, o.left + len, o.top + d + 1, colour);
        FillRect(dc, o.left + d, o.top, o.left + d + 1, o.top + len, colour);
        // top-right
        FillRect(dc, o.right - len, o.top + d, o.right, o.top + d + 1, colour);
        FillRect(dc, o.right - 1 - d, o.top, o.right - d, o.top + len, colour);
        // bottom-left
        FillRect(dc, o.left, o.bottom - 1 - d, o.left + len, o.bottom - d, colour);
        FillRect(dc, o.left + d, o.bottom - len, o.left + d + 1, o.bottom, colour);
        // bottom-right
        FillRect(dc, o.right - len, o.bottom - 1 - d, o.right, o.bottom - d, colour);
        FillRect(dc, o.right - 1 - d, o.bottom - len, o.right - d, o.bottom, colour);
    }
}

void CMenuButton::DrawEdgeTick(HDC dc, const RECT& o, bool left, COLORREF colour)
{
    const int bottom = o.bottom - 9 > 9 ? o.bottom - 9 : o.bottom;
    if (left)
        FillRect(dc, o.left, 9, o.left + 2, bottom, colour);
    else
        FillRect(dc, o.right - 2, 9, o.right, bottom, colour);
}

void CMenuButton::BuildFaces()
{
    RECT client;
    GetClientRect(&client);
    const int w = client.right > 0 ? client.right : 1, h = client.bottom > 0 ? client.bottom : 1;
    ReadColours();
    if (!m_captionSet)
        GetWindowText(m_caption);

    for (CDibSurface& face : m_faces)
        if (face.Width() != w || face.Height() != h)
            face.Create(w, h);

    SIZE extent = {0, 0};
    {
        HDC measure = m_faces[0].GetDC();
        HGDIOBJ old = ::SelectObject(measure, m_font);
        ::GetTextExtentPoint32A(measure, m_caption, m_caption.GetLength(), &extent);
        ::SelectObject(measure, old);
    }
    m_layout.Compute(w, h, extent.cx, extent.cy, m_hasImage, m_imageLayout, m_imageSize);

    const int style = m_state.style;
    m_faces[CMenuButtonState::FaceDisabled].Fill(::GetSysColor(COLOR_BTNFACE));
    m_faces[CMenuButtonState::FaceNormal].Fill(m_fill);
    m_faces[CMenuButtonState::FaceHot].Fill(m_fill);
    m_faces[CMenuButtonState::FacePressed].Fill(m_fill);

    if (m_hasImage) {
        const int x = m_layout.imageX, y = m_layout.imageY;
        DrawImage(CMenuButtonState::FaceDisabled, m_faces[CMenuButtonState::FaceDisabled].GetDC(), x, y);
        DrawImage(CMenuButtonState::FaceNormal, m_faces[CMenuButtonState::FaceNormal].GetDC(), x, y);
        DrawImage(CMenuButtonState::FaceHot, m_faces[CMenuButtonState::FaceHot].GetDC(), x, y);
        DrawImage(CMenuButtonState::FacePressed, m_faces[CMenuButtonState::FacePressed].GetDC(), x + 1, y + 1);
    }

    const RECT outer = Deflated(client, 1);
    const RECT inner = Deflated(outer, 1);
    auto raised = [this, &outer, &inner](HDC dc) {
        Edge(dc, outer, m_edges[0], m_edges[1]);
        Edge(dc, inner, m_edges[2], m_edges[3]);
    };
    auto sunken = [this](HDC dc, const RECT& o) {
        Edge(dc, o, m_edges[1], m_edges[0]);
        Edge(dc, Deflated(o, 1), m_edges[3], m_edges[2]);
    };
    HDC disabled = m_faces[CMenuButtonState::FaceDisabled].GetDC();
    HDC normal = m_faces[CMenuButtonState::FaceNormal].GetDC();
    HDC hot = m_faces[CMenuButtonState::FaceHot].GetDC();
    HDC pressed = m_faces[CMenuButtonState::FacePressed].GetDC();

    switch (style) {
    case StyleFlat:
        DrawCaption(normal, m_text, 0, 0, false);
        raised(hot);
        DrawCaption(hot, m_text, 0, 0, false);
        sunken(pressed, outer);
        DrawCaption(pressed, m_text, 1, 1, false);
        DrawCaption(disabled, m_text, 0, 0, true);
        break;
    case StyleFramed:
    case StyleSwatch:
        for (HDC dc : {disabled, normal, hot})
            FrameRect(dc, client, m_face);
        FrameRect(disabled, outer, m_frame);
        FrameRect(disabled, inner, m_frame);
        DrawCaption(disabled, m_text, 0, 0, true);
        FrameRect(normal, outer, m_frame);
        FrameRect(normal, inner, m_frame);
        if (m_cornerMarks || style == StyleSwatch)
            DrawCornerMarks(normal, outer, m_text);
        if (m_edgeTick)
            DrawEdgeTick(normal, outer, false, m_text);
        DrawCaption(normal, m_frame, 0, 0, false);
        FillRect(hot, outer.left + 2, outer.bottom - 2, outer.right, outer.bottom, m_frame);
        FillRect(hot, outer.right - 2, outer.top + 2, outer.right, outer.bottom, m_frame);
        {
            const RECT lifted = {outer.left, outer.top, outer.right - 2, outer.bottom - 2};
            Edge(hot, lifted, m_edges[0], m_edges[1]);
            Edge(hot, Deflated(lifted, 1), m_edges[2], m_edges[3]);
        }
        DrawCaption(hot, m_text, 0, 0, false);
        FrameRect(pressed, client, m_face);
        sunken(pressed, outer);
        if (m_edgeTick)
            DrawEdgeTick(pressed, inner, true, m_text);
        DrawCaption(pressed, m_text, 1, 1, false);
        break;
    case StyleLatching:
        FrameRect(disabled, outer, m_frame);
        DrawCaption(disabled, m_text, 0, 0, true);
        for (HDC dc : {normal, hot}) {
            FillRect(dc, 0, 0, w, 2, ::GetSysColor(COLOR_BTNFACE));
            const RECT tab = {outer.left, 2, outer.right, outer.bottom};
            FrameRect(dc, tab, dc == normal ? m_frame : m_text);
            DrawCaption(dc, m_text, 0, 2, false);
            FillRect(dc, 0, h - 2, w, h, m_text);
        }
        sunken(pressed, outer);
        FillRect(pressed, 2, h - 2, w - 2, h, m_fill);
        DrawCaption(pressed, m_text, 1, 1, false);
        break;
    default:
        raised(disabled);
        DrawCaption(disabled, m_text, 0, 0, true);
        raised(normal);
        DrawCaption(normal, m_text, 0, 0, false);
        raised(hot);
        DrawCaption(hot, m_text, 0, 0, false);
        sunken(pressed, outer);
        DrawCaption(pressed, m_text, 1, 1, false);
        break;
    }
    ::GdiFlush();
    m_created = true;
}

void CMenuButton::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (!m_created)
        BuildFaces();
    const CDibSurface& face = m_faces[m_state.CurrentFace()];
    ::BitBlt(dc, 0, 0, face.Width(), face.Height(), face.GetDC(), 0, 0, SRCCOPY);
    ::EndPaint(m_hWnd, &ps);
}

BOOL CMenuButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

bool CMenuButton::Inside(CPoint point) const
{
    RECT client;
    GetClientRect(&client);
    return ::PtInRect(&client, point) != FALSE;
}

void CMenuButton::Apply(const CMenuButtonState::Actions& a)
{
    if (a.killTimer)
        KillTimer(a.killTimer);
    if (a.startTimer)
        SetTimer(a.startTimer, m_hoverPeriod);
    if (a.redraw)
        Invalidate(FALSE);
    if (a.releaseCapture && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (a.sendClick) {
        CWnd* parent = GetParent();
        if (parent)
            parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
    }
    if (a.trackMenu)
        TrackMenu();
    if (a.launchViewer && m_launch) {
        HCURSOR old = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        m_launch();
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        (void)old;
    }
}

void CMenuButton::TrackMenu()
{
    if (!m_menu)
        return;
    RECT window;
    GetWindowRect(&window);
    m_menu->TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RIGHTBUTTON, window.left, window.bottom, GetParent());
}

void CMenuButton::OnMouseMove(UINT flags, CPoint point)
{
    Apply(m_state.MouseMove(Inside(point)));
    CButton::OnMouseMove(flags, point);
}

void CMenuButton::OnTimer(UINT_PTR id)
{
    POINT cursor;
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_hWnd, &cursor);
    const CMenuButtonState::Actions a = m_state.Tick(static_cast<int>(id), Inside(CPoint(cursor.x, cursor.y)));
    Apply(a);
    if (a.defaultHandling)
        CButton::OnTimer(id);
}

void CMenuButton::OnLButtonDown(UINT flags, CPoint point)
{
    const CMenuButtonState::Actions a = m_state.LButtonDown(m_layout.dropDown.Contains(point.x, point.y));
    Apply(a);
    if (a.defaultHandling)
        CButton::OnLButtonDown(flags, point);
}

void CMenuButton::OnLButtonDblClk(UINT flags, CPoint point)
{
    const CMenuButtonState::Actions a = m_state.LButtonDblClk(m_layout.dropDown.Contains(point.x, point.y));
    Apply(a);
    if (a.defaultHandling)
        DefWindowProc(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}

void CMenuButton::OnLButtonUp(UINT flags, CPoint point)
{
    Apply(m_state.LButtonUp());
    CButton::OnLButtonUp(flags, point);
}

void CMenuButton::OnCaptureChanged(CWnd* wnd)
{
    Apply(m_state.CaptureChanged());
    CButton::OnCaptureChanged(wnd);
}

void CMenuButton::OnKillFocus(CWnd* newWnd)
{
    Apply(m_state.KillFocus());
    CButton::OnKillFocus(newWnd);
}

void CMenuButton::OnEnable(BOOL enable)
{
    Apply(m_state.Enable(enable != FALSE));
    CButton::OnEnable(enable);
}

void CMenuButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    if (m_state.style != StyleLatching)
        m_coloursRead = false;
    RebuildIfCreated();
}
