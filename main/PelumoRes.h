// Resource numbers of Pelumo.exe. Other programs and the skin rely on some of them
// (the dialog, menu and icon numbers), so they are fixed.
#pragma once

#define IDD_ABOUT 100
#define IDS_ABOUT_ITEM 101
#define IDI_PELUMO 128
#define IDD_MAIN 133
#define IDR_TRAY_MENU 136
#define IDI_TRAY 141
#define IDD_OPTIONS 144
#define IDB_ABOUT 147

// Main dialog controls.
#define IDC_MANAGE 1000
#define IDC_SEARCH 1001
#define IDC_PREV_PAGE 1016
#define IDC_NEXT_PAGE 1017
#define IDC_PAGE_1 1018  // ... IDC_PAGE_9 = 1026
#define IDC_PAGE_9 1026
#define IDC_PAGE_LABEL_HIDDEN 1027
#define IDC_PANEL 1031
#define IDC_CATEGORY 1039
#define IDC_CATEGORY_LABEL 1045
#define IDC_SEARCH_BOX 1046
#define IDC_MORE 1048
#define IDC_PAGE_LABEL 1049

// About dialog.
#define IDC_ABOUT_ICON 1072
#define IDC_ABOUT_TITLE 1073
#define IDC_ABOUT_CONTACT 1074
#define IDC_ABOUT_LINK 1075

// Tray menu commands.
#define ID_TRAY_DOCK 32772
#define ID_TRAY_SHOWHIDE 32774
#define ID_TRAY_DOWNLOAD 32775
#define ID_TRAY_ABOUT 32776
#define ID_TRAY_UPGRADE 32777
#define ID_TRAY_EXIT 32778
#define ID_TRAY_MANAGE 32780
#define ID_TRAY_OPTIONS 32781

// System menu item of the about dialog.
#define IDM_ABOUTBOX 16
