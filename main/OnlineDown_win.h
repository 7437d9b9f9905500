// The online download window (face packs from the maker's site), opened modal.
#pragma once
#include <windows.h>

void ShowOnlineDownload(HWND parent);
