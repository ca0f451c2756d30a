// Stands in for the authoring program in the installer's tests until that program is
// built: it needs beside it what the program does (the viewer library, the sound library,
// the framework and the run-time DLLs) and ends with 0 once all of them have loaded and
// answered. Started from an installation, it shows that the installed set is whole.
#include "CViewer.h"
#include "FSound.h"
#include "ViewerFactory.h"
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CViewer* viewer = NewViewerOfType(CViewer::TypeFolder);
    const bool viewerMade = viewer && viewer->GetTargetFilename().IsEmpty();
    delete viewer;
    const bool soundAnswers = FSOUND_Stream_Open("no such sound.wav", FSOUND_LOOP_OFF, 0, 0) == nullptr;
    return viewerMade && soundAnswers ? 0 : 1;
}
