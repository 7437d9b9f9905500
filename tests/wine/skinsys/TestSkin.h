// A small skin written by the tests into their run folder: a frame with magenta corners,
// a plain background, caption buttons whose four states are four plain colours, a label,
// two check boxes and two radio groups.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "SkinDialog_win.h"

namespace skintest {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBackground = RGB(200, 220, 240);
constexpr COLORREF kTopMid = RGB(40, 80, 160);
constexpr COLORREF kCorner = RGB(20, 40, 90);
constexpr COLORREF kEdge = RGB(30, 60, 120);
// State strip colours, left to right.
constexpr COLORREF kNormal = RGB(220, 0, 0);
constexpr COLORREF kHover = RGB(0, 200, 0);
constexpr COLORREF kPressed = RGB(0, 0, 210);
constexpr COLORREF kFourth = RGB(230, 230, 0);

constexpr int kWidth = 300, kHeight = 200;  // client size of the test dialogs
constexpr int kCornerCut = 4;               // magenta triangle x + y < 4 in each corner

// Writes a 24-bit BMP whose pixel (x, y) is colour(x, y).
bool WriteBmp(const std::string& path, int width, int height,
              const std::function<COLORREF(int, int)>& colour);
bool WriteText(const std::string& path, const std::string& text);

// Writes the images and "skin.xml" into folder (created if needed); returns the skin's path.
std::string WriteTestSkin(const std::string& folder);
// The skin's XML text, for tests that write variants of it.
std::string TestSkinXml();

// A modeless skinned dialog of kWidth x kHeight at (60, 60), shown, on section "test_window".
class TestDialog : public CSkinDialog {
public:
    TestDialog();
    bool Open(const std::string& skinFile, const std::string& section = "test_window",
              std::uint32_t frameFlags = kDefaultFrameFlags);
    SIZE size{kWidth, kHeight};  // client size, set before Open
    BOOL loadResult = FALSE;
    int clicks = 0;
    std::string lastMoveName;

protected:
    bool OnInitDialog() override;
    void OnSkinButtonMouseMove(const std::string& name, POINT pt) override;
    void OnSkinButtonClick(int index) override;
};

CSkinButton* ButtonNamed(const CSkinDialog& dialog, const std::string& name);
// Pumps this thread's messages for a moment.
void Pump();
// Colour of a client pixel as painted on the window.
COLORREF PixelAt(HWND hwnd, int x, int y);
// A left click at (x, y) in the control's client coordinates, delivered as messages.
void Click(HWND control, int x = 3, int y = 3);

}  // namespace skintest
