// Resource ids of the player.
#pragma once

#define IDD_PLAYER 102
#define IDR_MAINFRAME 128
#define IDD_AGREEMENT 131
#define IDC_PICTURE 1006
#define IDC_STATUS_PLACE 1015
#define IDC_AGREE 1017
#define IDC_SPLASH_VIEWER 1049
#define IDC_STATUS_LINE 722
#define IDC_AGREEMENT_TEXT 4073
