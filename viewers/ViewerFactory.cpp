#include "ViewerFactory.h"

#include "CFileViewer.h"
#include "CFlashViewer.h"
#include "CFolderViewer.h"
#include "CMediaViewer.h"
#include "CZipViewer.h"
#include "CSlideShowViewer.h"
#include "CWebViewer.h"

CViewer* NewViewerOfType(int type)
{
    switch (type) {
    case CViewer::TypeFolder:
        return new CFolderViewer;
    case CViewer::TypeWeb:
        return new CWebViewer;
    case CViewer::TypeSlideShow:
        return new CSlideShowViewer;
    case CViewer::TypeMedia:
        return new CMediaViewer;
    case CViewer::TypeFlash:
        return new CFlashViewer;
    case CViewer::TypeZip:
        return new CZipViewer;
    default:
        return new CFileViewer;
    }
}

CViewer* PrepareViewer(int type, CViewerWindow* owner, int index, const CString& tempPath,
                       const CString& programDirectory, const CString& projectKey)
{
    CViewer* viewer = NewViewerOfType(type);
#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
    const RECT none = { 0, 0, 0, 0 };
    viewer->Create(nullptr, nullptr, 0, none, owner, static_cast<UINT>(index));
#else
    (void)index;
#endif
    viewer->SetOwner(owner);
    viewer->SetViewerType(type);
    // The record does not carry the target's number; without it every target would log as
    // "Target #0" and share the launch-once flag "0T".
    viewer->SetTargetNum(index);
    viewer->SetTempPath(tempPath);
    viewer->SetProgramDirectory(programDirectory);
    viewer->SetProjectRegistryKey(projectKey);
    return viewer;
}

CViewer* BindViewer(int type, CViewerWindow* owner, int index, const CString& tempPath,
                    const CString& programDirectory, const CString& projectKey, CFileReadWrite* file, int major,
                    int minor, int build)
{
    CViewer* viewer = PrepareViewer(type, owner, index, tempPath, programDirectory, projectKey);
    if (file)
        viewer->Read_DAT_File(file, major, minor, build);
    viewer->Init();
    return viewer;
}
