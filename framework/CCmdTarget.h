// Base of every class that handles messages or commands: owns the message-map lookup
// (see MessageMap.h for how to declare a map and the handler signatures).
#pragma once
#include "CObject.h"
#include "MessageMap.h"

class CCmdUI;

class FW_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes a command (nCode CN_COMMAND or a control notification code), a command-state
    // update (CN_UPDATE_COMMAND_UI, pExtra = CCmdUI*) or a notification (nCode =
    // MAKELONG(code, WM_NOTIFY), pExtra = AFX_NOTIFY*) to this object's map.
    // True when a handler ran.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra);

    // The first entry of this object's maps (most derived first) for the message, the
    // notification code and the id; null when none.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// Extra data of a routed WM_NOTIFY.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};
