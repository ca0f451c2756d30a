// What the two media player windows share: the settings they play the file with.
#pragma once
#include "CControlWindowDlg.h"
#include "CMediaViewerSettings.h"

class VIEWERS_API CMediaWindow : public CControlWindowDlg {
public:
    using CControlWindowDlg::CControlWindowDlg;
    CMediaViewerSettings m_settings;
};
