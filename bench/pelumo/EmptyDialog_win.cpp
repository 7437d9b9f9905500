// The floor of the picker's start-up benchmark: a program that shows one empty dialog
// filled with one colour, measured from process start to that colour on the screen.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace {

constexpr COLORREF kFill = RGB(0, 160, 64);

INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM, LPARAM) {
    static HBRUSH brush = CreateSolidBrush(kFill);
    switch (msg) {
        case WM_INITDIALOG: return TRUE;
        case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(brush);
        case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // An in-memory template: 250 x 492 pixels' worth of dialog units is not needed; any size.
    std::vector<uint16_t> t(64, 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(t.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER;
    header->cx = 160;
    header->cy = 300;
    // After the header: no menu, default class, then the title.
    size_t at = sizeof(DLGTEMPLATE) / 2 + 2;
    for (const wchar_t* c = L"EmptyDialog"; *c; ++c) t[at++] = static_cast<uint16_t>(*c);
    t[at++] = 0;
    DialogBoxIndirectParamW(instance, header, nullptr, DialogProc, 0);
    return 0;
}
