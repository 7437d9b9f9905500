// Resource ids of the winfx test dialogs (block 100-119).
#pragma once
#define IDD_WINFX_NAME 100
#define IDE_WINFX_NAME 101
#define IDE_WINFX_NOTE 102
#define IDX_WINFX_FLAG 103
#define IDM_WINFX_TRAY 110
#define IDC_WINFX_HIDE 32774
#define IDC_WINFX_DOCK 32772
#define IDC_WINFX_QUIT 32778
