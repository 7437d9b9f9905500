// Sample content for each window, laid out like the program window that uses the
// section: the picker's selector, pages and grid, the editor's lists and buttons, ...
#include "GalleryDialog_win.h"

#include <commctrl.h>

#include "GalleryProtocol.h"
#include "SampleSet.h"

namespace gallery {

void GalleryDialog::BuildContent() {
    const std::string& s = m_info.section;
    const bool editorFile = m_info.file == "skinED.xml";
    if (s == "main_window") editorFile ? BuildEditor() : BuildPicker();
    else if (s == "about_window") BuildAbout(editorFile ? "PeluQQ表情编辑器" : "PeluQQ表情精灵");
    else if (s == "config_window") BuildConfig();
    else if (s == "onlinedown_window") BuildOnlineDown();
    else if (s == "volte_window") BuildUpdater();
    else if (s == kControlsSectionName) BuildControls();
}

// The face picker: category selector, page links, a 5 x 8 grid of faces, search.
void GalleryDialog::BuildPicker() {
    AddLabel("表情分类：", RECT{8, 38, 70, 56});
    HWND combo = AddControl(L"ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL, RECT{70, 33, 165, 200});
    for (const wchar_t* item : {L"我的常用表情", L"默认表情", L"可爱动物"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    AddPushButton("管理", RECT{170, 32, 242, 56});
    int x = 10;
    for (const char* link : {"上页", "1", "2", "下页"}) {
        const int w = link[0] == '1' || link[0] == '2' ? 14 : 28;
        AddLabel(link, RECT{x, 62, x + w, 78}, kIdPageLink);
        x += w + 6;
    }
    AddLabel("[页:1/2]", RECT{180, 62, 240, 78});
    AddFaceGrid(10, 80, 5, 8);
    HWND search = AddControl(L"ComboBox", "", CBS_DROPDOWN | WS_VSCROLL, RECT{8, 457, 165, 560});
    SendMessageW(search, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"微笑"));
    AddPushButton("搜索", RECT{170, 456, 242, 480});
}

void GalleryDialog::BuildAbout(const std::string& name) {
    AddPicture(RECT{20, 44, 52, 76}, Face(0), true);
    AddLabel(name + " 1.1 版", RECT{68, 42, 300, 60});
    AddLabel("联系我们：support@pelux.example", RECT{68, 66, 300, 84});
    AddLabel("http://www.pelux.example/", RECT{68, 90, 300, 108}, kIdPageLink);
    AddPushButton("确 定", RECT{236, 140, 308, 164});
}

// The editor: category list, an 8 x 5 grid, its command buttons and page links.
void GalleryDialog::BuildEditor() {
    HWND list = AddReportList(RECT{10, 34, 130, 372}, {{"Item", 98}});
    for (const char* name : {"<Default>", "默认表情", "可爱动物", "办公室", "节日祝福"}) AddListRow(list, {name});
    AddFaceGrid(138, 34, 8, 5);
    const char* commands[] = {"导入目录", "添加表情", "添加分类", "删除分类", "导入表情包", "删除表情", "移动表情", "复制表情"};
    int y = 34;
    for (const char* c : commands) {
        AddPushButton(c, RECT{516, y, 588, y + 24});
        y += 28;
    }
    int x = 138;
    for (const char* link : {"上页", "1", "2", "下页"}) {
        const int w = link[0] == '1' || link[0] == '2' ? 14 : 28;
        AddLabel(link, RECT{x, 274, x + w, 290}, kIdPageLink);
        x += w + 6;
    }
    AddLabel("第1页/共2页", RECT{420, 274, 506, 290});
    AddLabel("提示：把图片文件拖到窗口里即可添加表情。", RECT{138, 300, 506, 318});
    AddPushButton("退出", RECT{516, 384, 588, 408});
}

// The options window is all skin; show it as the defaults would open it.
void GalleryDialog::BuildConfig() {
    for (const auto& c : CheckControls())
        if (c->Id() == "QQ_right" || c->Id() == "update_auto") SendMessageW(c->Hwnd(), BM_SETCHECK, BST_CHECKED, 0);
}

// A white stand-in for the browser, framed as the real window frames it, with faces.
void GalleryDialog::BuildOnlineDown() {
    const int top = Piece(skin::kTopMid) ? 26 + 2 : 28;
    const RECT browser{4, top, m_client.cx - 4, m_client.cy - 8};
    AddControl(L"Static", "\n表情包下载页（示例）", SS_CENTER, browser, kIdWhitePanel);
    for (int i = 0; i < 8; ++i) {
        const int x = 24 + 56 * i, y = top + 70;
        AddPicture(RECT{x, y, x + 45, y + 45}, Face(static_cast<size_t>(i) + 3), true);
    }
}

void GalleryDialog::BuildUpdater() {
    AddLabel("正在下载更新，请稍候……", RECT{12, 34, 480, 52});
    HWND list = AddReportList(RECT{10, 56, 490, 250},
                              {{"文件名", 100}, {"大小", 70}, {"进 度", 150}, {"速度", 60}, {"版本号", 80}});
    AddListRow(list, {"Pelumo.exe", "812 KB", "64%", "120 KB/s", "V1.01"});
    AddListRow(list, {"Tessel.exe", "640 KB", "0%", "", "V1.01"});
    AddListRow(list, {"动物表情包.mpk", "1.2 MB", "0%", "", "17"});
    AddPushButton("取消", RECT{418, 262, 490, 286});
}

// Every control kind, and two pictures with known frame delays for the tests.
void GalleryDialog::BuildControls() {
    using namespace samples;
    for (const auto& c : CheckControls())
        if (c->Id() == "size_small" || c->Id() == "sort_name") SendMessageW(c->Hwnd(), BM_SETCHECK, BST_CHECKED, 0);
    AddPicture(RECT{24, 242, 72, 290},
               ColourFramesGif(48, 48, {kRed, kGreen, kBlue, kYellow, kOrange}, {0, 4, 5, 10, 50}), true);
    AddPicture(RECT{84, 242, 132, 290}, ColourFramesGif(48, 48, {kBlue, kMagenta}, {1000, 1000}), true);
    for (int i = 0; i < 4; ++i) {
        const int x = 144 + 50 * i;
        AddPicture(RECT{x, 242, x + 45, 287}, Face(static_cast<size_t>(i)), true);
    }
}

}  // namespace gallery
