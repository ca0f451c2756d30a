#include "ViewerFactory.h"

#include "CFileViewer.h"
#include "CFlashViewer.h"
#include "CFolderViewer.h"
#include "CMediaViewer.h"
#include "CMenuViewer.h"
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
    case CViewer::TypeMenu:
        return new CMenuViewer;
    default:
        return new CFileViewer;
    }
}

namespace {

// The binding every owner does: window, owner, type, folders and project key.
CViewer* NewOwnedViewer(int type, CViewerWindow* owner, int controlId, const CString& tempPath,
                        const CString& programDirectory, const CString& projectKey)
{
    CViewer* viewer = NewViewerOfType(type);
#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
    const RECT none = { 0, 0, 0, 0 };
    viewer->Create(nullptr, nullptr, 0, none, owner, static_cast<UINT>(controlId));
#else
    (void)controlId;
#endif
    viewer->SetOwner(owner);
    viewer->SetViewerType(type);
    viewer->SetTempPath(tempPath);
    viewer->SetProgramDirectory(programDirectory);
    viewer->SetProjectRegistryKey(projectKey);
    return viewer;
}

}

CViewer* PrepareViewer(int type, CViewerWindow* owner, int index, const CString& tempPath,
                       const CString& programDirectory, const CString& projectKey)
{
    CViewer* viewer = NewOwnedViewer(type, owner, index, tempPath, programDirectory, projectKey);
    // The record does not carry the target's number; without it every target would log as
    // "Target #0" and share the launch-once flag "0T".
    viewer->SetTargetNum(index);
    return viewer;
}

int ButtonViewerType(int code)
{
    return code >= CViewer::TypeFolder && code <= CViewer::TypeSlideShow ? code : static_cast<int>(CViewer::TypeFile);
}

CViewer* PrepareButtonViewer(int type, CViewer& menu, int slot)
{
    return NewOwnedViewer(ButtonViewerType(type), &menu, slot, menu.GetTempPath(), menu.GetProgramDirectory(),
                          menu.GetProjectRegistryKey());
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
