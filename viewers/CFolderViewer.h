// A folder of the CD, opened in an Explorer window that the viewer then watches: the target
// is alive while a top-level window titled with the folder's path exists.
#pragma once
#include "CViewer.h"

class VIEWERS_API CFolderViewer : public CViewer {
public:
    enum { FolderTimer = 1, FolderPollMs = 250, WindowWaitSteps = 25 };

    CFolderViewer();
    ~CFolderViewer() override;

    void Show() override;
    void Launch() override;
    void Init() override;
    bool IsAlive() override;
    void SetEqual(CViewer* other) override;
    void Read_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;
    void Write_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;

    void OnTimer(UINT_PTR id) override;
    int GetFolderTimerId() const { return m_FolderTimerId; }

protected:
    int m_FolderTimerId;

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
    DECLARE_MESSAGE_MAP()
#endif
};
