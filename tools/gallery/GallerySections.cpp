#include "GallerySections.h"

#include <algorithm>
#include <cstdio>

#include "GalleryProtocolText.h"

namespace gallery {

std::vector<SectionInfo> KnownSections() {
    return {
        {"skin.xml", "main_window", "PeluQQ表情精灵（预览）", true, false},
        {"skin.xml", "about_window", "关于 PeluQQ表情精灵", true, false},
        {"skinED.xml", "main_window", "PeluQQ表情编辑器（预览）", true, false},
        {"skinED.xml", "about_window", "关于 PeluQQ表情编辑器", true, false},
        {"skinED.xml", "config_window", "选项设置", true, false},
        {"skinED.xml", "onlinedown_window", "Pelu表情在线下载", true, false},
        {"skinED.xml", "toolbar_window", "PeluQQ表情工具栏（预览）", false, false},
        {"skinED.xml", "volte_window", "PeluQQ表情精灵 - 在线升级（预览）", true, true},
        {kControlsFileName, kControlsSectionName, "皮肤控件一览", true, false},
    };
}

Options ParseOptions(const std::vector<std::string>& args) {
    Options o;
    const std::vector<SectionInfo> known = KnownSections();
    bool all = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--faces") {
            if (i + 1 >= args.size()) {
                o.error = "--faces needs a folder";
                return o;
            }
            o.facesDir = args[++i];
        } else if (a == "all") {
            all = true;
        } else {
            bool found = false;
            for (const SectionInfo& s : known) {
                if (a == s.Key() || a == s.section) {
                    bool already = false;
                    for (const SectionInfo& t : o.sections) already = already || t.Key() == s.Key();
                    if (!already) o.sections.push_back(s);
                    found = true;
                }
            }
            if (!found) {
                o.error = "unknown window: " + a;
                return o;
            }
        }
    }
    if (all || o.sections.empty()) o.sections = known;
    return o;
}

std::vector<std::string> ControlsSkinImages() {
    return {"btn_push.bmp", "check.bmp", "radio.bmp", "bg.bmp", "frame.bmp",
            "btn_close.bmp", "btn_min.bmp", "icon.bmp"};
}

std::string ControlsSkinXml() {
    return R"(<?xml version="1.0" encoding="utf-8"?>
<!-- Written by the skin gallery: every kind of skinned control, on the default skin's pictures. -->
<skin>
  <skinbutton image="btn_push.bmp"/>
  <checkbox image="check.bmp"/>
  <radiobutton image="radio.bmp"/>
  <dialog background="bg.bmp">
    <window>
      <topleft image="frame.bmp" rect="0,0,8,26"/>
      <topmid image="frame.bmp" rect="8,0,16,26"/>
      <topright image="frame.bmp" rect="16,0,24,26"/>
      <leftmid image="frame.bmp" rect="0,26,8,34"/>
      <rightmid image="frame.bmp" rect="16,26,24,34"/>
      <bottomleft image="frame.bmp" rect="0,34,8,42"/>
      <bottommid image="frame.bmp" rect="8,34,16,42"/>
      <bottomright image="frame.bmp" rect="16,34,24,42"/>
    </window>
    <close image="btn_close.bmp"/>
    <icon image="icon.bmp"/>
  </dialog>
  <controls_window size="360,300">
    <minimize type="sysbutton" image="btn_min.bmp" hint="最小化" position="305,3,331,23"/>
    <close type="sysbutton" image="btn_close.bmp" hint="关闭" position="331,3,357,23"/>
    <static text="复选框" position="16,36,340,54" color="0x1f4e8c" font="SimSun" fontsize="12" bold="true"/>
    <checkbox id="play_faces" text="播放动画表情" position="24,58,170,78" font="SimSun" fontsize="12"/>
    <checkbox id="show_tips" text="显示表情提示" position="180,58,336,78" font="SimSun" fontsize="12"/>
    <static text="单选按钮" position="16,88,340,106" color="0x1f4e8c" font="SimSun" fontsize="12" bold="true"/>
    <radiobutton id="size_small" group="true" text="小图标" position="24,110,170,130" font="SimSun" fontsize="12"/>
    <radiobutton id="size_large" text="大图标" position="180,110,336,130" font="SimSun" fontsize="12"/>
    <radiobutton id="sort_name" group="true" text="按名称排列" position="24,132,170,152" font="SimSun" fontsize="12"/>
    <radiobutton id="sort_time" text="按时间排列" position="180,132,336,152" font="SimSun" fontsize="12"/>
    <static text="按钮" position="16,162,340,180" color="0x1f4e8c" font="SimSun" fontsize="12" bold="true"/>
    <ok type="button" text="确 定" hint="默认按钮图片" position="24,184,96,208"/>
    <apply type="button" text="应 用" position="104,184,176,208"/>
    <static text="动画（帧延时 0、4、5、10、50 和 1000）" position="16,218,340,236" color="0x1f4e8c" font="SimSun" fontsize="12" bold="true"/>
  </controls_window>
</skin>
)";
}

std::vector<Box> PackWindows(const std::vector<Box>& sizes, int screenWidth, int margin) {
    std::vector<Box> placed;
    for (const Box& s : sizes) {
        std::vector<int> xs{margin}, ys{margin};
        for (const Box& p : placed) {
            xs.push_back(p.x + p.width + margin);
            ys.push_back(p.y + p.height + margin);
        }
        auto overlaps = [&](int x, int y) {
            for (const Box& p : placed)
                if (x < p.x + p.width + margin && p.x < x + s.width + margin && y < p.y + p.height + margin &&
                    p.y < y + s.height + margin)
                    return true;
            return false;
        };
        Box best{margin, margin, s.width, s.height};
        bool found = false;
        for (int y : ys)
            for (int x : xs) {
                if (x + s.width > screenWidth - margin && x != margin) continue;
                if (overlaps(x, y)) continue;
                if (!found || y + s.height < best.y + best.height ||
                    (y + s.height == best.y + best.height && x < best.x)) {
                    best = Box{x, y, s.width, s.height};
                    found = true;
                }
            }
        if (!found) {   // nowhere free: below everything
            int bottom = margin;
            for (const Box& p : placed) bottom = std::max(bottom, p.y + p.height + margin);
            best = Box{margin, bottom, s.width, s.height};
        }
        placed.push_back(best);
    }
    return placed;
}

std::vector<SectionInfo> InPackingOrder(std::vector<SectionInfo> sections) {
    const std::vector<std::string> order = {
        "skin.xml:main_window", "skinED.xml:onlinedown_window", "skinED.xml:toolbar_window",
        std::string(kControlsFileName) + ":" + kControlsSectionName, "skinED.xml:volte_window",
        "skinED.xml:main_window", "skin.xml:about_window", "skinED.xml:config_window",
        "skinED.xml:about_window"};
    auto rank = [&](const SectionInfo& s) {
        for (size_t i = 0; i < order.size(); ++i)
            if (order[i] == s.Key()) return i;
        return order.size();
    };
    std::stable_sort(sections.begin(), sections.end(),
                     [&](const SectionInfo& a, const SectionInfo& b) { return rank(a) < rank(b); });
    return sections;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    int w = 0, h = 0;
    if (std::sscanf(text.c_str(), "%d,%d", &w, &h) != 2 || w <= 0 || h <= 0 || w > 4096 || h > 4096)
        return false;
    width = w;
    height = h;
    return true;
}

}  // namespace gallery
