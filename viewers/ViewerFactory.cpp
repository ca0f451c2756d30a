#include "ViewerFactory.h"

#include "CFileViewer.h"
#include "CFolderViewer.h"

CViewer* NewViewerOfType(int type)
{
    switch (type) {
    case CViewer::TypeFolder:
        return new CFolderViewer;
    default:
        return new CFileViewer;
    }
}
