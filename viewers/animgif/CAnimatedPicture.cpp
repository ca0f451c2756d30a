#include "CAnimatedPicture.h"
#include "CGifFrameBuilder.h"
#include "CGifFrameParser.h"
#include "FreeMemoryBitmap.h"

#include <process.h>
#include <cstring>

namespace {

// The system's OLE picture loader, by ordinal from OLEPRO32.DLL; oleaut32's own export
// where that module or ordinal is missing.
typedef HRESULT(WINAPI* OleLoadPictureFn)(LPSTREAM, LONG, BOOL, REFIID, LPVOID*);

OleLoadPictureFn PictureLoader()
{
    static OleLoadPictureFn loader = [] {
        OleLoadPictureFn fn = nullptr;
        if (HMODULE olepro = ::LoadLibraryA("OLEPRO32.DLL"))
            fn = (OleLoadPictureFn)(void*)::GetProcAddress(olepro, MAKEINTRESOURCEA(251));
        if (!fn)
            if (HMODULE oleaut = ::LoadLibraryA("OLEAUT32.DLL"))
                fn = (OleLoadPictureFn)(void*)::GetProcAddress(oleaut, "OleLoadPicture");
        return fn;
    }();
    return loader;
}

const IID kIID_IPicture = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

}  // namespace

BEGIN_MESSAGE_MAP(CAnimatedPicture, CStatic)
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CAnimatedPicture::CAnimatedPicture()
{
    ::InitializeCriticalSection(&m_pictureLock);
    m_hStopEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

CAnimatedPicture::~CAnimatedPicture()
{
    UnLoad();
    if (m_hStopEvent)
        ::CloseHandle(m_hStopEvent);
    ::DeleteCriticalSection(&m_pictureLock);
}

bool CAnimatedPicture::Load(LPCTSTR pszFileName)
{
    HANDLE file = ::CreateFileA(pszFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const DWORD size = ::GetFileSize(file, nullptr);
    HGLOBAL block = (size == INVALID_FILE_SIZE || size == 0) ? nullptr : ::GlobalAlloc(GMEM_MOVEABLE, size);
    bool loaded = false;
    if (block) {
        void* bytes = ::GlobalLock(block);
        DWORD read = 0;
        const bool ok = bytes && ::ReadFile(file, bytes, size, &read, nullptr) && read == size;
        ::GlobalUnlock(block);
        if (ok)
            loaded = Load(block, size);
        ::GlobalFree(block);
    }
    ::CloseHandle(file);
    return loaded;
}

IPicture* CAnimatedPicture::LoadPicture(HGLOBAL hGlobal, DWORD dwSize, BOOL deleteOnRelease)
{
    OleLoadPictureFn loader = PictureLoader();
    IStream* stream = nullptr;
    if (::CreateStreamOnHGlobal(hGlobal, deleteOnRelease, &stream) != S_OK || !stream) {
        if (deleteOnRelease)
            ::GlobalFree(hGlobal);
        return nullptr;
    }
    IPicture* picture = nullptr;
    if (!loader || loader(stream, (LONG)dwSize, FALSE, kIID_IPicture, (void**)&picture) != S_OK)
        picture = nullptr;
    stream->Release();
    return picture;
}

bool CAnimatedPicture::Load(HGLOBAL hGlobal, DWORD dwSize)
{
    UnLoad();
    if (!hGlobal || dwSize == 0)
        return false;
    const uint8_t* data = (const uint8_t*)::GlobalLock(hGlobal);
    if (!data)
        return false;
    const size_t size = std::min<size_t>(dwSize, ::GlobalSize(hGlobal));
    CGifFrameParser parser;
    if (parser.Open(data, size)) {
        m_isGif = true;
        m_width = parser.GetWidth();
        m_height = parser.GetHeight();
        const std::vector<GifFrame> blocks = parser.ReadFrames();
        if (blocks.empty()) {
            ::GlobalUnlock(hGlobal);
            UnLoad();
            return false;
        }
        if (blocks.size() == 1) {
            ::GlobalUnlock(hGlobal);
            m_single = LoadPicture(hGlobal, dwSize, FALSE);
            if (!m_single || !Prepare()) {
                UnLoad();
                return false;
            }
            return true;
        }
        for (const GifFrame& block : blocks) {
            const std::vector<uint8_t> gif = CGifFrameBuilder::Build(data, size, parser, block);
            if (gif.empty())
                continue;
            HGLOBAL frameBlock = ::GlobalAlloc(GMEM_MOVEABLE, gif.size());
            if (!frameBlock)
                continue;
            if (void* bytes = ::GlobalLock(frameBlock)) {
                std::memcpy(bytes, gif.data(), gif.size());
                ::GlobalUnlock(frameBlock);
            }
            Frame frame;
            frame.picture = LoadPicture(frameBlock, (DWORD)gif.size(), TRUE);
            frame.place = block;
            if (frame.picture)
                m_frames.push_back(frame);
        }
        ::GlobalUnlock(hGlobal);
        if (m_frames.empty() || !Prepare()) {
            UnLoad();
            return false;
        }
        return true;
    }
    ::GlobalUnlock(hGlobal);
    m_single = LoadPicture(hGlobal, dwSize, FALSE);
    if (!m_single) {
        UnLoad();
        return false;
    }
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    m_single->get_Width(&hmWidth);
    m_single->get_Height(&hmHeight);
    HDC screen = ::GetDC(m_hWnd);
    m_width = ::MulDiv(hmWidth, ::GetDeviceCaps(screen, LOGPIXELSX), 2540);
    m_height = ::MulDiv(hmHeight, ::GetDeviceCaps(screen, LOGPIXELSY), 2540);
    ::ReleaseDC(m_hWnd, screen);
    if (!Prepare()) {
        UnLoad();
        return false;
    }
    return true;
}

bool CAnimatedPicture::Prepare()
{
    if (m_width <= 0 || m_height <= 0)
        return false;
    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_width, m_height, SWP_NOMOVE | SWP_NOZORDER);
    HDC windowDC = ::GetDC(m_hWnd);
    m_memDC = ::CreateCompatibleDC(windowDC);
    m_memBitmap = m_memDC ? ::CreateCompatibleBitmap(windowDC, m_width, m_height) : nullptr;
    ::ReleaseDC(m_hWnd, windowDC);
    if (!m_memDC || !m_memBitmap) {
        if (m_memBitmap)
            ::DeleteObject(m_memBitmap);
        if (m_memDC)
            ::DeleteDC(m_memDC);
        m_memDC = nullptr;
        m_memBitmap = nullptr;
        return false;
    }
    m_memOldBitmap = ::SelectObject(m_memDC, m_memBitmap);
    m_bkColor = ::GetSysColor(COLOR_BTNFACE);
    FillRect(0, 0, m_width, m_height);
    m_ready = true;
    return true;
}

void CAnimatedPicture::FillRect(int left, int top, int right, int bottom)
{
    RECT rect = {left, top, right, bottom};
    HBRUSH brush = ::CreateSolidBrush(m_bkColor);
    ::FillRect(m_memDC, &rect, brush);
    ::DeleteObject(brush);
}

bool CAnimatedPicture::RenderPicture(IPicture* picture, int x, int y, int cx, int cy)
{
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);
    if (picture->Render(m_memDC, x, y, cx, cy, 0, hmHeight, hmWidth, -hmHeight, nullptr) != S_OK)
        return false;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return true;
}

bool CAnimatedPicture::Draw()
{
    if (!m_ready)
        return false;
    if (m_isGif && m_frames.size() > 1) {
        if (m_hThread)
            return false;  // already animating
        unsigned id = 0;
        m_exitRequested = false;
        m_hThread = (HANDLE)_beginthreadex(nullptr, 0, &CAnimatedPicture::WorkerEntry, this, CREATE_SUSPENDED, &id);
        if (m_hThread)
            ::ResumeThread(m_hThread);
        return false;
    }
    CPictureLock lock(m_pictureLock);
    // A GIF of which only one frame decoded shows that frame still, in its place.
    if (m_isGif && m_frames.size() == 1) {
        const GifFrame& p = m_frames[0].place;
        return RenderPicture(m_frames[0].picture, p.left, p.top, p.width, p.height);
    }
    if (!m_single)
        return false;
    return RenderPicture(m_single, 0, 0, m_width, m_height);
}

void CAnimatedPicture::SetBkColor(COLORREF color)
{
    if (!m_ready)
        return;
    CPictureLock lock(m_pictureLock);
    m_bkColor = color;
    FillRect(0, 0, m_width, m_height);
}

COLORREF CAnimatedPicture::GetOffscreenPixel(int x, int y)
{
    CPictureLock lock(m_pictureLock);
    return m_memDC ? ::GetPixel(m_memDC, x, y) : CLR_INVALID;
}

unsigned __stdcall CAnimatedPicture::WorkerEntry(void* self)
{
    static_cast<CAnimatedPicture*>(self)->Animate();
    return 0;
}

void CAnimatedPicture::RenderFrame(int index)
{
    Frame& frame = m_frames[(size_t)index];
    if (!frame.picture)
        return;
    const GifFrame& p = frame.place;
    CPictureLock lock(m_pictureLock);
    if (p.disposal == 3) {
        FreeDisposeDC();
        m_disposeDC = ::CreateCompatibleDC(m_memDC);
        m_disposeBitmap = m_disposeDC ? ::CreateCompatibleBitmap(m_memDC, p.width, p.height) : nullptr;
        if (m_disposeBitmap) {
            m_disposeOldBitmap = ::SelectObject(m_disposeDC, m_disposeBitmap);
            ::BitBlt(m_disposeDC, 0, 0, p.width, p.height, m_memDC, p.left, p.top, SRCCOPY);
        } else {
            FreeDisposeDC();
        }
    }
    RenderPicture(frame.picture, p.left, p.top, p.width, p.height);
}

void CAnimatedPicture::DisposeFrame(int index)
{
    if (index < 0 || (size_t)index >= m_frames.size())
        return;
    const GifFrame& p = m_frames[(size_t)index].place;
    CPictureLock lock(m_pictureLock);
    if (p.disposal == 2) {
        FillRect(p.left, p.top, p.left + p.width, p.top + p.height);
    } else if (p.disposal == 3 && m_disposeDC) {
        ::BitBlt(m_memDC, p.left, p.top, p.width, p.height, m_disposeDC, 0, 0, SRCCOPY);
        FreeDisposeDC();
    }
}

void CAnimatedPicture::ClearPicture()
{
    CPictureLock lock(m_pictureLock);
    FillRect(0, 0, m_width, m_height);
}

void CAnimatedPicture::FreeDisposeDC()
{
    FreeMemoryBitmap(m_disposeDC, m_disposeBitmap, m_disposeOldBitmap);
}

void CAnimatedPicture::Animate()
{
    m_threadRunning = true;
    DisposeFrame(m_currentFrame);
    while (!m_exitRequested) {
        if (m_frames[(size_t)m_currentFrame].picture) {
            RenderFrame(m_currentFrame);
            if (m_exitRequested)
                break;
            ::WaitForSingleObject(m_hStopEvent, (DWORD)m_frames[(size_t)m_currentFrame].place.WaitMs());
            if (m_exitRequested)
                break;
            DisposeFrame(m_currentFrame);
        }
        if (++m_currentFrame >= (int)m_frames.size()) {
            m_currentFrame = 0;
            ClearPicture();
        }
    }
    // The handle is closed by Stop alone, after it has waited for this thread.
    m_threadRunning = false;
}

void CAnimatedPicture::Stop()
{
    m_exitRequested = true;
    if (m_hStopEvent)
        ::SetEvent(m_hStopEvent);
    if (m_hThread) {
        // Wait for the worker to end: it leaves within its current step, and nothing it
        // uses may be freed before.
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    m_threadRunning = false;
    if (m_hStopEvent)
        ::ResetEvent(m_hStopEvent);
    m_exitRequested = false;
}

void CAnimatedPicture::UnLoad()
{
    Stop();
    for (Frame& frame : m_frames)
        if (frame.picture)
            frame.picture->Release();
    m_frames.clear();
    if (m_single)
        m_single->Release();
    m_single = nullptr;
    FreeDisposeDC();
    FreeMemoryBitmap(m_memDC, m_memBitmap, m_memOldBitmap);
    m_width = m_height = 0;
    m_bkColor = RGB(255, 255, 255);
    m_isGif = false;
    m_ready = false;
    m_currentFrame = 0;
}

void CAnimatedPicture::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    {
        CPictureLock lock(m_pictureLock);
        if (m_memDC)
            ::BitBlt(dc, 0, 0, m_width, m_height, m_memDC, 0, 0, SRCCOPY);
    }
    ::EndPaint(m_hWnd, &ps);
}

void CAnimatedPicture::OnDestroy()
{
    Stop();
    CStatic::OnDestroy();
}
