#include "CCmdTarget.h"

// Handlers are called through the member-pointer type of their signature.
#pragma GCC diagnostic ignored "-Wcast-function-type"

#include "CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, AfxSig_end, nullptr, nullptr } };
    static const AFX_MSGMAP map = { nullptr, &entries[0] };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (e->pRegisteredMsg) {
                if (*e->pRegisteredMsg != 0 && *e->pRegisteredMsg == nMessage)
                    return e;
                continue;
            }
            if (e->nMessage == nMessage && e->nCode == (nCode & 0xFFFF) && nID >= e->nID && nID <= e->nLastID)
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
    UINT message = WM_COMMAND;
    UINT code = (UINT)nCode;
    if (code != CN_UPDATE_COMMAND_UI && HIWORD(code) == WM_NOTIFY) {
        message = WM_NOTIFY;
        code = LOWORD(code);
    }
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(message, code, nID);
    if (!e)
        return FALSE;
    switch (e->nSig) {
    case AfxSig_vv:
        (this->*e->pfn)();
        return TRUE;
    case AfxSig_vw:
        (this->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(e->pfn))(nID);
        return TRUE;
    case AfxSig_cmdui: {
        CCmdUI* ui = static_cast<CCmdUI*>(pExtra);
        (this->*reinterpret_cast<void (CCmdTarget::*)(CCmdUI*)>(e->pfn))(ui);
        return TRUE;
    }
    case AfxSig_vNMHDRpl: {
        AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(pExtra);
        (this->*reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn))(n->pNMHDR, n->pResult);
        return TRUE;
    }
    default:
        return FALSE;
    }
}
