#include "OnlineDown_win.h"

#include "OnlineDownDlg_win.h"

void ShowOnlineDownload(HWND parent) {
    OpenOnlineDownload(parent);
}
