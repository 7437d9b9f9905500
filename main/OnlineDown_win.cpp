#include "OnlineDown_win.h"

// Not built yet: the browser window comes with the download page.
void ShowOnlineDownload(HWND) {}
