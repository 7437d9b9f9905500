// Control identifiers, menu commands and private messages of the editor's windows.
#pragma once
#include <windows.h>

namespace editor {

// The picker's and the editor's window identities: other programs find them by these.
constexpr const wchar_t* kDialogClass = L"#32770";
constexpr const wchar_t* kEditorTitle = L"PeluQQ表情编辑器";
constexpr const wchar_t* kPickerTitle = L"PeluQQ表情精灵";
constexpr const wchar_t* kMutexName = L"ZevezEZ";

enum : UINT {
    UM_LIBRARY_CHANGED = WM_USER + 11,  // the library was committed (both directions)
    UM_FILES_DROPPED = WM_USER + 170,   // the drop target queued paths (posted to itself)
    UM_RUN_COMMAND = WM_APP + 1,        // a passed-on command line, handled after the send returned
};

// Main window controls.
enum : int {
    IDC_QUIT = 1,  // "退出" (IDOK's number)
    IDC_IMPORT_FOLDER = 1000,
    IDC_ADD_FACES = 1001,
    IDC_ADD_CATEGORY = 1003,
    IDC_DELETE_CATEGORY = 1004,
    IDC_IMPORT_PACK = 1005,
    IDC_DELETE_FACES = 1008,
    IDC_PREVIOUS_PAGE = 1016,
    IDC_NEXT_PAGE = 1017,
    IDC_PAGE_FIRST = 1018,  // "1" ... "9" are 1018 ... 1026
    IDC_PAGE_LAST = 1026,
    IDC_PAGE_LABEL = 1027,
    IDC_MOVE_FACES = 1028,
    IDC_COPY_FACES = 1029,
    IDC_FACES_PANEL = 1031,
    IDC_CATEGORY_LIST = 1037,
};

// Cell menu commands.
enum : UINT {
    ID_FACE_MOVE_TO_CATEGORY = 32779,
    ID_FACE_DELETE = 32780,
    ID_FACE_COPY_TO_CATEGORY = 32781,
    ID_FACE_RENAME = 32782,
    ID_FACE_EARLIER = 32785,
    ID_FACE_LATER = 32786,
    ID_FACE_ROW_UP = 32790,
    ID_FACE_ROW_DOWN = 32791,
    ID_FACE_TO_POSITION = 32793,
    ID_FACE_SELECT_ALL = 32794,
};

// System menu: commands 16 ... 31 open the about box.
constexpr UINT IDM_ABOUTBOX = 0x0010;

}  // namespace editor
