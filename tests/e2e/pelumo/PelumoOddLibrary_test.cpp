// A library and a configuration no editor would make: 50 frequent faces, faces whose
// picture or thumbnail bytes are garbage or missing, and a 10 MB GIF. Each gives a clear
// outcome: the first 40 frequent faces, empty cells, and the big face sent whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "FakeQQClient_win.h"
#include "Md5.h"
#include "PelumoKit_win.h"
#include "RecStubClient_win.h"
#include "SampleSet.h"
#include "TestKit.h"

namespace {

using fakeqq::FakeQQProcess;
using fakeqq::LogField;
using pelumo::Picker;
using testkit::Wide;

std::string Digest(const std::vector<uint8_t>& bytes) { return FaceDigestText(bytes.data(), bytes.size()); }

void WriteConfig(const std::string& app, const std::string& body) {
    const std::string text = "<ROOT version=\"1\"><Menu_QQHook bool=\"0\" />" + body + "</ROOT>";
    HANDLE f = CreateFileW(Wide(app + "\\config.xml").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(f);
}

// A valid GIF of about `size` bytes: a sample face, then comment blocks up to the size.
std::vector<uint8_t> BigGif(size_t size) {
    std::vector<uint8_t> gif = samples::DelayGif(10);
    gif.pop_back();  // the trailer comes last again
    gif.push_back(0x21);
    gif.push_back(0xFE);
    while (gif.size() + 256 < size) {
        gif.push_back(255);
        gif.insert(gif.end(), 255, static_cast<uint8_t>('c'));
    }
    gif.push_back(0);
    gif.push_back(0x3B);
    return gif;
}

// What a cell shows on the screen: how many of its pixels are white, and how many are
// coloured (a face's yellow, not the greys of the window around it).
struct CellPixels {
    int white = 0;
    int coloured = 0;
    int all = 0;
};
CellPixels ReadCell(HWND cell) {
    CellPixels out;
    RECT r;
    if (!cell || !GetWindowRect(cell, &r)) return out;
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    const auto* px = static_cast<const uint32_t*>(bits);
    out.all = w * h;
    for (int i = 0; i < w * h; ++i) {
        const int b = px[i] & 0xFF, g = (px[i] >> 8) & 0xFF, red = (px[i] >> 16) & 0xFF;
        if ((px[i] & 0xFFFFFF) == 0xFFFFFF) ++out.white;
        if (std::max({red, g, b}) - std::min({red, g, b}) > 80) ++out.coloured;
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return out;
}
bool ShowsAFace(HWND cell) { return ReadCell(cell).coloured > 100; }
bool ShowsNothing(HWND cell) {
    const CellPixels p = ReadCell(cell);
    return p.all > 0 && p.white == p.all;
}

class PelumoOddLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Tessel.exe"));
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Volte.exe"));
        pelumo::QuietUpdates();
    }
    void TearDown() override { pelumo::ClearRegistry(); }
    bool LabelIs(const std::string& text) {
        return pelumo::WaitFor([&] { return picker.Text(pelumo::kPageLabel) == text; }, 10000);
    }
    void Exit() {
        PostMessageW(picker.Window(), WM_CLOSE, 0, 0);
        ASSERT_TRUE(picker.WaitExit(30000));
    }

    std::string app;
    Picker picker;
};

TEST_F(PelumoOddLibrary, FiftyFrequentFacesLoadAsTheFirstForty) {
    ASSERT_TRUE(pelumo::MakeLibrary(app, {{"默认表情", 50}}));
    std::string list = "<SendFaceList>";
    for (int i = 0; i < 50; ++i)
        list += "<Item id=\"" + Digest(pelumo::FacePicture(i)) + "\" n=\"" + std::to_string(50 - i) + "\" />";
    WriteConfig(app, list + "</SendFaceList>");
    ASSERT_TRUE(picker.Start(app));
    ASSERT_TRUE(picker.WaitWindow());
    // The frequent view: 40 faces are one page (50 would be two).
    EXPECT_TRUE(LabelIs("[页:1/1]")) << picker.Text(pelumo::kPageLabel);
    EXPECT_FALSE(picker.Visible(pelumo::kNextPage));
    Exit();
    const std::string saved = testkit::ReadFile(app + "\\config.xml");
    size_t items = 0;
    for (size_t at = saved.find("<Item id=\""); at != std::string::npos; at = saved.find("<Item id=\"", at + 1))
        if (saved.compare(at + 10, 32, Digest(pelumo::FacePicture(static_cast<int>(items)))) == 0) ++items;
    EXPECT_EQ(items, 40u) << saved;
    EXPECT_EQ(saved.find(Digest(pelumo::FacePicture(40))), std::string::npos) << saved;
}

TEST_F(PelumoOddLibrary, GarbageFacesStayEmptyAndATenMegabyteFaceIsSentWhole) {
    // Seven good faces first: the preview's corner (cells 0, 1, 5, 6) stays out of the way.
    ASSERT_TRUE(pelumo::MakeLibrary(app, {{"默认表情", 7}}));
    const std::vector<uint8_t> garbage{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 0xFF, 0xD8, 0x00};
    const std::vector<uint8_t> gif = pelumo::FacePicture(70);
    ASSERT_TRUE(pelumo::AddRawFaces(app, "默认表情",
                                    {{std::string(32, 'a'), "garbage both", "g1.gif", garbage, garbage},
                                     {std::string(32, 'b'), "empty both", "g2.gif", {}, {}},
                                     {Digest(gif), "garbage thumbnail", "g3.gif", garbage, gif}}));
    const std::vector<uint8_t> big = BigGif(10u << 20);
    ASSERT_TRUE(pelumo::AddPicture(app, "默认表情", "big", "big.gif", big));
    WriteConfig(app, "");
    FakeQQProcess qq;
    ASSERT_TRUE(qq.Start(app + "\\FakeQQ.exe", "--window classic" + fakeqq::SafetyLifetimeArg(),
                         testkit::RunDir() + "\\fakeqq-odd.log"));
    ASSERT_TRUE(qq.WaitReady()) << testkit::ReadFile(qq.LogPath());
    ASSERT_TRUE(picker.Start(app));
    ASSERT_TRUE(picker.WaitWindow());
    ASSERT_TRUE(LabelIs("[页:1/1]"));
    PostMessageW(picker.Window(), pelumo::kChatActive, reinterpret_cast<WPARAM>(qq.Window(1)), 0);
    // No hover frame or tip: the mouse away from the window.
    RECT frame;
    GetWindowRect(picker.Window(), &frame);
    SetCursorPos(frame.right + 20, frame.bottom - 20);
    // The good faces and the big one show; the odd ones stay white.
    constexpr int kGood = 2, kBig = 10;
    EXPECT_TRUE(pelumo::WaitFor([&] { return ShowsAFace(picker.Cell(kGood)); })) << ReadCell(picker.Cell(kGood)).coloured;
    EXPECT_TRUE(pelumo::WaitFor([&] { return ShowsAFace(picker.Cell(kBig)); })) << "the big face's thumbnail";
    for (int cell : {7, 8, 9})
        EXPECT_TRUE(pelumo::WaitFor([&] { return ShowsNothing(picker.Cell(cell)); })) << cell;
    // Hovering them (the full picture is decoded now) harms nothing.
    for (int cell : {7, 8, 9, kBig}) {
        DWORD_PTR r = 0;
        SendMessageTimeoutW(picker.Cell(cell), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), SMTO_NORMAL,
                            testkit::ScaledMs(20000), &r);
    }
    testkit::Screenshot("e2e_pelumo_odd_faces");
    ASSERT_TRUE(IsWindow(picker.Window()));
    EXPECT_EQ(picker.Text(pelumo::kPageLabel), "[页:1/1]");

    // A right click sends the big face: its file whole in the face folder, then the paste.
    const size_t from = qq.Lines().size();
    PostMessageW(picker.Cell(kBig), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    PostMessageW(picker.Cell(kBig), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    const int line = qq.WaitLine({"FACE id=1 "}, from, std::chrono::seconds(30));
    ASSERT_GE(line, 0) << testkit::ReadFile(qq.LogPath());
    const std::string text = qq.Lines()[static_cast<size_t>(line)];
    EXPECT_EQ(LogField(text, "exists"), "1") << text;
    EXPECT_EQ(LogField(text, "bytes"), std::to_string(big.size())) << text;
    EXPECT_EQ(LogField(text, "path"), app + "\\face\\big.gif") << text;
    EXPECT_GE(qq.WaitLine({"SENT id=1 "}, from), 0) << testkit::ReadFile(qq.LogPath());
    EXPECT_TRUE(testkit::ReadFile(app + "\\face\\big.gif") == std::string(big.begin(), big.end()));
    Exit();
}

}  // namespace
