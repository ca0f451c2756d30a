// What a frame needs to make its view when a document template creates it.
#pragma once
#include "CObject.h"

class CDocTemplate;
class CDocument;
class CFrameWnd;

struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

// The control id of a frame's view.
#define AFX_IDW_PANE_FIRST 0xE900
