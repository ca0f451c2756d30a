// The browser's events for a web viewer: links to documents and programs open outside the
// browser, a page's close link and the browser's own end close the viewer's browser.
#pragma once
#include "COleEventSink.h"
#include "ViewersExport.h"

class CWebViewer;

class VIEWERS_API CWebViewerEvents : public COleEventSink {
public:
    enum { BeforeNavigate2Id = 250, OnQuitId = 253 };

    CWebViewerEvents(CWebViewer* viewer, bool launchPdfExternally);
    ~CWebViewerEvents() override;

    // The viewer is done with the browser: later events do nothing.
    void ForgetViewer() { m_Viewer = nullptr; }

    CWebViewer* m_Viewer;
    int m_LaunchPDFExternally;
    int m_LaunchEXEExternally;

protected:
    HRESULT OnEvent(DISPID dispid, DISPPARAMS* params, VARIANT* result) override;

private:
    void BeforeNavigate2(DISPPARAMS* params);
    bool m_ComStarted;
};
