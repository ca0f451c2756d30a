#include "CFileViewer.h"

CFileViewer::CFileViewer() = default;
CFileViewer::~CFileViewer() = default;

void CFileViewer::SetEqual(CViewer* other) { CViewer::SetEqual(other); }

void CFileViewer::Read_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Read_DAT_File(file, major, minor, build);
}

void CFileViewer::Write_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Write_DAT_File(file, major, minor, build);
}
