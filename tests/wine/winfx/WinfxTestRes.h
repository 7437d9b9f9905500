// Resource ids of the winfx test dialogs (block 100-119).
#pragma once
#define IDD_WINFX_NAME 100
#define IDE_WINFX_NAME 101
#define IDE_WINFX_NOTE 102
#define IDX_WINFX_FLAG 103
