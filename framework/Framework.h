// The whole framework in one include, for modules that use many of its classes.
//
// Where to read first:
//   MessageMap.h   how a class declares its message map, every ON_ macro and its handler
//   CWnd.h         windows: creation, subclassing, the handle maps, reflection, exceptions
//   CDialog.h      dialogs from templates, DoModal/Create, OnInitDialog/OnOK/OnCancel, DDX
//   DDX.h          the data-exchange and check routines
//   CWinApp.h      the application object, the pump, idle, message boxes, exit code
//   AfxModule.h    one module state for the program and its DLLs; a DLL's own resources
//   AfxOle.h       OLE and ActiveX controls (COleDispatchDriver.h, COleEventSink.h)
//   CFrameWnd.h    frames (and CMDIFrameWnd, CMiniFrameWnd, documents and views)
//
// Linking (CMake): a program links framework_main (WinMain + VelmoraFW.dll), a DLL links
// framework; the installer links framework_static_main (everything static).
#pragma once
#include "WinTypes.h"

#include "AfxModule.h"
#include "AfxOle.h"
#include "CBitmap.h"
#include "CBrush.h"
#include "CButton.h"
#include "CClientDC.h"
#include "CCmdTarget.h"
#include "CCmdUI.h"
#include "CComboBox.h"
#include "CCreateContext.h"
#include "CDC.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "CEdit.h"
#include "CException.h"
#include "CFile.h"
#include "CColorDialog.h"
#include "CFileDialog.h"
#include "CFolderDialog.h"
#include "CFileException.h"
#include "CFont.h"
#include "CFrameWnd.h"
#include "CGdiObject.h"
#include "CImageList.h"
#include "CListBox.h"
#include "CListCtrl.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include "CMemoryException.h"
#include "CMenu.h"
#include "CMiniDockFrameWnd.h"
#include "CMiniFrameWnd.h"
#include "CMultiDocTemplate.h"
#include "CObject.h"
#include "COleDispatchDriver.h"
#include "COleEventSink.h"
#include "CPaintDC.h"
#include "CPen.h"
#include "CPoint.h"
#include "CProgressCtrl.h"
#include "CRect.h"
#include "CResourceException.h"
#include "CResourceScope.h"
#include "CRgn.h"
#include "CScrollBar.h"
#include "CSize.h"
#include "CSliderCtrl.h"
#include "CStatic.h"
#include "CString.h"
#include "CSystemImageList.h"
#include "CToolTipCtrl.h"
#include "CUserException.h"
#include "CView.h"
#include "CWinApp.h"
#include "CWindowDC.h"
#include "CWnd.h"
#include "DDX.h"
