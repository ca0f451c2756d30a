// Resource ids of the viewers library.
#pragma once

#define IDD_CONFIRM_LAUNCH 1005
#define IDC_CONFIRM_DONTASK 1003
#define IDC_CONFIRM_MESSAGE 1004
