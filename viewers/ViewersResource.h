// Resource ids of the viewers library.
#pragma once

#define IDD_CONFIRM_LAUNCH 1005
#define IDC_CONFIRM_DONTASK 1003
#define IDC_CONFIRM_MESSAGE 1004

#define IDD_IMAGE_VIEWER 1019
#define IDC_IMAGE_PICTURE 1021

#define IDI_SLIDESHOW 1016
#define IDD_SLIDESHOW_VIEWER 1020
