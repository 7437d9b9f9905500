#include "TestSkin.h"

#include <cstdio>
#include <vector>

#include "winfx/DialogTemplate.h"
#include "winfx/Gdi.h"
#include "winfx/Wide.h"

namespace skintest {

bool WriteText(const std::string& path, const std::string& text) {
    FILE* f = _wfopen(winfx::ToWide(path).c_str(), L"wb");
    if (!f) return false;
    bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
    return fclose(f) == 0 && ok;
}

bool WriteBmp(const std::string& path, int width, int height,
              const std::function<COLORREF(int, int)>& colour) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = height;  // bottom-up
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = static_cast<DWORD>(stride * height);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + ih.biSizeImage;
    std::string data(reinterpret_cast<const char*>(&fh), sizeof fh);
    data.append(reinterpret_cast<const char*>(&ih), sizeof ih);
    std::vector<char> row(static_cast<size_t>(stride), 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = colour(x, y);
            row[static_cast<size_t>(x * 3)] = static_cast<char>(GetBValue(c));
            row[static_cast<size_t>(x * 3 + 1)] = static_cast<char>(GetGValue(c));
            row[static_cast<size_t>(x * 3 + 2)] = static_cast<char>(GetRValue(c));
        }
        data.append(row.data(), row.size());
    }
    return WriteText(path, data);
}

std::string TestSkinXml() {
    return R"(<?xml version="1.0" encoding="utf-8"?>
<!-- test skin -->
<skin>
  <skinbutton image="btn.bmp"/>
  <checkbox image="check.bmp"/>
  <radiobutton image="radio.bmp"/>
  <dialog background="bg.bmp">
    <window>
      <topleft image="frame.bmp" rect="0,0,20,30"/>
      <topmid image="frame.bmp" rect="20,0,30,30"/>
      <topright image="frame.bmp" rect="30,0,50,30"/>
      <leftmid image="frame.bmp" rect="0,30,6,40"/>
      <rightmid image="frame.bmp" rect="44,30,50,40"/>
      <bottomleft image="frame.bmp" rect="0,40,20,60"/>
      <bottommid image="frame.bmp" rect="20,40,30,60"/>
      <bottomright image="frame.bmp" rect="30,40,50,60"/>
    </window>
    <close image="sys.bmp"/>
  </dialog>
  <test_window>
    <minimize type="sysbutton" image="sys.bmp" position="200,6,216,22" hint="Minimise"/>
    <maxmize type="sysbutton" image="sys.bmp" position="220,6,236,22"/>
    <Close type="sysbutton" image="sys.bmp" position="240,6,256,22"/>
    <close type="sysbutton" image="sys.bmp" position="260,6,276,22" hint="Close"/>
    <ok type="button" position="20,150,100,175" text="OK"/>
    <static position="20,40,200,60" text="&#26631;&#31614; Label" color="0x0000c0" font="SimSun" fontsize="14" bold="true"/>
    <checkbox position="20,70,120,86" text="Check A" id="a"/>
    <checkbox position="130,70,230,86" text="Check B" id="b"/>
    <radiobutton position="20,95,90,111" text="R1" group="true" id="r1"/>
    <radiobutton position="95,95,165,111" text="R2" id="r2"/>
    <radiobutton position="170,95,240,111" text="R3" id="r3"/>
    <radiobutton position="20,120,90,136" text="S1" group="true" id="s1"/>
    <radiobutton position="95,120,165,136" text="S2" id="s2"/>
  </test_window>
</skin>
)";
}

namespace {

COLORREF StripColour(int x, int pieceWidth) {
    switch (x / pieceWidth) {
    case 0: return kNormal;
    case 1: return kHover;
    case 2: return kPressed;
    default: return kFourth;
    }
}

// 50 x 60: corners 20 x 30 (top) and 20 x 20 (bottom) with a magenta triangle in the outer
// corner, middles of plain colour.
COLORREF FrameColour(int x, int y) {
    const bool left = x < 20, right = x >= 30, top = y < 30, bottom = y >= 40;
    if ((left || right) && (top || bottom)) {
        const int dx = left ? x : 49 - x;
        const int dy = top ? y : 59 - y;
        return dx + dy < kCornerCut ? kMagenta : kCorner;
    }
    if (top) return kTopMid;
    return kEdge;
}

// A box with magenta outside a ring: normal white, hover grey, checked black, disabled silver.
COLORREF TickColour(int x, int y) {
    const int piece = x / 14, lx = x % 14;
    if (lx == 0 || y == 0 || lx == 13 || y == 13) return kMagenta;
    const COLORREF fills[4] = {RGB(255, 255, 255), RGB(180, 180, 180), RGB(0, 0, 0), RGB(150, 150, 150)};
    return fills[piece];
}

}  // namespace

std::string WriteTestSkin(const std::string& folder) {
    CreateDirectoryW(winfx::ToWide(folder).c_str(), nullptr);
    const std::string dir = folder + "\\";
    WriteBmp(dir + "frame.bmp", 50, 60, FrameColour);
    WriteBmp(dir + "bg.bmp", 40, 40, [](int, int) { return kBackground; });
    WriteBmp(dir + "sys.bmp", 64, 16, [](int x, int) { return StripColour(x, 16); });
    WriteBmp(dir + "btn.bmp", 83, 25, [](int x, int) { return x >= 80 ? kMagenta : StripColour(x, 20); });
    WriteBmp(dir + "check.bmp", 56, 14, TickColour);
    WriteBmp(dir + "radio.bmp", 56, 14, TickColour);
    WriteText(dir + "skin.xml", TestSkinXml());
    return dir + "skin.xml";
}

namespace {

std::vector<BYTE> TestTemplate() {
    return winfx::DialogTemplate("Skin test", WS_POPUP | WS_VISIBLE, 0, 0, 200, 130).Bytes();
}

}  // namespace

TestDialog::TestDialog() : CSkinDialog(TestTemplate()) {}

bool TestDialog::Open(const std::string& skinFile, const std::string& section, std::uint32_t flags) {
    SetSkinFile(skinFile);
    SetSkinSection(section);
    SetFrameFlags(flags);
    if (!CreateModeless(nullptr)) return false;
    Pump();
    return true;
}

bool TestDialog::OnInitDialog() {
    // The size first: the window is shaped from its client area.
    SetWindowPos(Hwnd(), HWND_TOPMOST, 60, 60, size.cx, size.cy, SWP_NOACTIVATE);
    const bool r = Dialog::OnInitDialog();
    loadResult = LoadSkin();
    return r;
}

void TestDialog::OnSkinButtonMouseMove(const std::string& name, POINT pt) {
    lastMoveName = name;
    CSkinDialog::OnSkinButtonMouseMove(name, pt);
}

void TestDialog::OnSkinButtonClick(int index) {
    ++clicks;
    CSkinDialog::OnSkinButtonClick(index);
}

CSkinButton* ButtonNamed(const CSkinDialog& dialog, const std::string& name) {
    for (const auto& b : dialog.Buttons())
        if (b->Name() == name) return b.get();
    return nullptr;
}

void Pump() {
    for (int round = 0; round < 5; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

COLORREF PixelAt(HWND hwnd, int x, int y) {
    winfx::WindowDc dc(hwnd);
    return GetPixel(dc.Get(), x, y);
}

void Click(HWND control, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageW(control, WM_MOUSEMOVE, 0, at);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(control, WM_LBUTTONUP, 0, at);
    Pump();
}

}  // namespace skintest
