// A picture control that plays an animated GIF on a worker thread of its own, frame by frame
// with each frame's delay and disposal; a GIF of one frame, or any picture the system's OLE
// picture loader reads, is shown still. Each frame is cut out as a standalone GIF
// (CGifFrameBuilder) and decoded once, at load time, by the OLE picture loader; playing only
// renders the prepared pictures into an off-screen bitmap that WM_PAINT copies to the window.
//
// Threads: the worker and the window's thread both use the off-screen bitmap; every use of
// it holds the picture lock, so they never draw into it at once. Stop (and so UnLoad and the
// window's destruction) waits until the worker has ended before anything it uses is freed,
// and only Stop closes the worker's handle. Draw while the worker runs starts no second one.
#pragma once
#include "Framework.h"
#include "GifFrame.h"

#include <ole2.h>
#include <olectl.h>

#include <atomic>
#include <vector>

class CAnimatedPicture : public CStatic {
public:
    CAnimatedPicture();
    ~CAnimatedPicture() override;

    // Reads the whole file and loads it; false when it cannot be read or loaded.
    bool Load(LPCTSTR pszFileName);
    // Loads from a block of global memory; the caller keeps and frees the block.
    bool Load(HGLOBAL hGlobal, DWORD dwSize);
    SIZE GetSize() const { return SIZE{m_width, m_height}; }
    // Starts the worker for an animation (false), or renders the still picture, or the one
    // frame of a GIF that decoded (true when it rendered). Not ready: false.
    bool Draw();
    void SetBkColor(COLORREF color);
    void Stop();
    void UnLoad();

    // What the control holds, for its owner and its tests.
    int GetFrameCount() const { return (int)m_frames.size(); }
    bool IsReady() const { return m_ready; }
    bool IsRunning() const { return m_threadRunning; }
    HANDLE GetWorker() const { return m_hThread; }
    COLORREF GetOffscreenPixel(int x, int y);
    // One step of the animation as the worker takes it: the frame drawn (saving what lies
    // under it for disposal 3), then its disposal.
    void RenderFrame(int index);
    void DisposeFrame(int index);
    // The fill at the start of each loop.
    void ClearPicture();

protected:
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    struct Frame {
        IPicture* picture = nullptr;
        GifFrame place;
    };
    class CPictureLock {
    public:
        explicit CPictureLock(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
        ~CPictureLock() { ::LeaveCriticalSection(&m_cs); }
    private:
        CRITICAL_SECTION& m_cs;
    };

    static unsigned __stdcall WorkerEntry(void* self);
    void Animate();
    bool Prepare();
    void FillRect(int left, int top, int right, int bottom);
    void FreeDisposeDC();
    static IPicture* LoadPicture(HGLOBAL hGlobal, DWORD dwSize, BOOL deleteOnRelease);
    // True when the picture rendered (the window is then invalidated).
    bool RenderPicture(IPicture* picture, int x, int y, int cx, int cy);

    int m_width = 0;
    int m_height = 0;
    COLORREF m_bkColor = RGB(255, 255, 255);
    bool m_isGif = false;
    bool m_ready = false;
    std::atomic<bool> m_threadRunning{false};
    std::atomic<bool> m_exitRequested{false};
    HDC m_memDC = nullptr;
    HBITMAP m_memBitmap = nullptr;
    HGDIOBJ m_memOldBitmap = nullptr;
    HDC m_disposeDC = nullptr;
    HBITMAP m_disposeBitmap = nullptr;
    HGDIOBJ m_disposeOldBitmap = nullptr;
    HANDLE m_hThread = nullptr;
    HANDLE m_hStopEvent = nullptr;
    IPicture* m_single = nullptr;
    int m_currentFrame = 0;
    std::vector<Frame> m_frames;
    CRITICAL_SECTION m_pictureLock;
};
