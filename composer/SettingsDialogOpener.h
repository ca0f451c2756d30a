// What the target settings dialogs share beyond their frame:
//
//   // the opener's side: the dialog filled from the viewer, run modally, and on OK only the
//   // viewer written back (options go to both, like the web dialog's PDF flag)
//   INT_PTR CFlashViewerSettingsDlg::Edit(CFlashViewer& viewer, const CString& base, CWnd* parent)
//   { return EditInDialog<CFlashViewerSettingsDlg>(viewer, base, parent); }
//
//   // Test: the viewer set up with what is on screen, then run in test mode
//   ShowInTestMode(viewer);
#pragma once
#include "CViewer.h"

template <class Dialog, class Viewer, class... Options>
INT_PTR EditInDialog(Viewer& viewer, const CString& baseFolder, CWnd* parent, Options... options)
{
    Dialog dialog(parent);
    dialog.CopyFrom(viewer, baseFolder, options...);
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        dialog.WriteBack(viewer, options...);
    return result;
}

// Test mode, then Init, Launch and Show, as every Test button runs its viewer.
inline void ShowInTestMode(CViewer& viewer)
{
    viewer.SetTestMode(true);
    viewer.Init();
    viewer.Launch();
    viewer.Show();
}
