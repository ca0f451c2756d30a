// A modeless window that holds one ActiveX player control (hosted from its dialog template)
// for a viewer: made hidden, shown with the Esc hook of its class, closed by WM_CLOSE, which
// stops the control and tells the viewer that the target has ended. A window whose control is
// missing (its host came up empty) never counts as open, so the viewer can tell it failed.
#pragma once
#include "CDialog.h"
#include "COleDispatchDriver.h"
#include "CEscapeKeyHook.h"
#include "COleEventSink.h"
#include "ControlWindowLayout.h"
#include "ControlWindowOwner.h"
#include "ViewersExport.h"

class VIEWERS_API CControlWindowDlg : public CDialog {
public:
    CControlWindowDlg(UINT idd, UINT controlId, CEscapeKeyHook::Slot hook);
    ~CControlWindowDlg() override;

    // Creates the hidden window from its template, without a parent.
    BOOL CreateHidden();
    // Brings the window up for owner, which it tells when the target ends.
    virtual void ShowPlayer(ControlWindowOwner* owner) = 0;
    // The owner is going away: the window no longer calls it.
    void ForgetOwner() { m_owner = nullptr; }
    // Initialised with its control and not yet closed.
    bool IsOpen() const { return m_open; }
    bool HoldsEscapeHook() const { return m_hWnd && m_hook.Window() == m_hWnd && m_hook.IsInstalled(); }
    CWnd& Control() { return m_control; }

    CString m_file;

    // The system's measures the layouts use.
    static LayoutMetrics SystemMetrics();

protected:
    // Remembers the owner, takes the Esc hook, shows the window, topmost and back, foreground.
    void BringUp(ControlWindowOwner* owner);
    // Adds caption and system menu and the window's icon.
    void AddCaption();
    void Apply(const ControlWindowLayout& layout);
    // Stops the control when the window closes.
    virtual void StopPlaying() {}
    virtual void OnControlEvent(DISPID, DISPPARAMS*) {}
    HRESULT AdviseEvents(REFIID events);
    // Closes the window later, from the message loop, with a reason for the viewer's log.
    void PostClose(const char* reason = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    // The template's control bound; m_open stays false when it hosts nothing.
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    bool HasControl() const { return m_hasControl; }

    CWnd m_control;
    UINT m_controlId;
    bool m_open = false;
    ControlWindowOwner* m_owner = nullptr;
    CEscapeKeyHook& m_hook;

private:
    class Events : public COleEventSink {
    public:
        explicit Events(CControlWindowDlg& window) : m_window(window) {}
    protected:
        HRESULT OnEvent(DISPID id, DISPPARAMS* params, VARIANT*) override;
    private:
        CControlWindowDlg& m_window;
    };
    Events m_events{ *this };
    bool m_hasControl = false;
    const char* m_closeReason = nullptr;
};

// A long from an event's argument (any integer type).
VIEWERS_API long EventArgument(DISPPARAMS* params, UINT index);
