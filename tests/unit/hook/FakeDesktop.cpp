#include "FakeDesktop.h"

#include <algorithm>
#include <cstring>

namespace dock::test {
namespace {

std::string_view Copy(const std::string& text, wintree::Name& buffer) {
    const size_t n = std::min(text.size(), sizeof buffer.text - 1);
    std::memcpy(buffer.text, text.data(), n);
    buffer.text[n] = '\0';
    return std::string_view(buffer.text, n);
}

std::string RectText(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

}  // namespace

Hwnd FakeDesktop::Add(const std::string& cls, Hwnd parent, const std::string& title, Rect rect) {
    const Hwnd w = m_next++;
    m_windows[w] = FakeWindow{cls, title, parent, {}, rect, true, false};
    if (parent) m_windows.at(parent).children.push_back(w);
    return w;
}

void FakeDesktop::Remove(Hwnd w) {
    const FakeWindow* win = Find(w);
    if (!win) return;
    for (Hwnd c : std::vector<Hwnd>(win->children)) Remove(c);
    if (const Hwnd p = m_windows.at(w).parent) {
        auto& siblings = m_windows.at(p).children;
        siblings.erase(std::find(siblings.begin(), siblings.end(), w));
    }
    m_windows.erase(w);
}

const FakeWindow* FakeDesktop::Find(Hwnd w) const {
    const auto it = m_windows.find(w);
    return it == m_windows.end() ? nullptr : &it->second;
}

Hwnd FakeDesktop::FirstChild(Hwnd w) const {
    const FakeWindow* win = Find(w);
    return win && !win->children.empty() ? win->children.front() : 0;
}

Hwnd FakeDesktop::NextSibling(Hwnd w) const {
    const FakeWindow* win = Find(w);
    const FakeWindow* parent = win ? Find(win->parent) : nullptr;
    if (!parent) return 0;
    auto it = std::find(parent->children.begin(), parent->children.end(), w);
    return ++it == parent->children.end() ? 0 : *it;
}

Hwnd FakeDesktop::Parent(Hwnd w) const {
    const FakeWindow* win = Find(w);
    return win ? win->parent : 0;
}

std::string_view FakeDesktop::ClassName(Hwnd w, wintree::Name& buffer) const {
    ++reads;
    const FakeWindow* win = Find(w);
    return win ? Copy(win->cls, buffer) : std::string_view();
}

std::string_view FakeDesktop::Title(Hwnd w, wintree::Name& buffer) const {
    const FakeWindow* win = Find(w);
    return win ? Copy(win->title, buffer) : std::string_view();
}

bool FakeDesktop::Exists(Hwnd w) const { return Find(w) != nullptr; }

bool FakeDesktop::GetRect(Hwnd w, Rect& rect) const {
    const FakeWindow* win = Find(w);
    if (!win) return false;
    rect = win->rect;
    return true;
}

bool FakeDesktop::IsIconic(Hwnd w) const {
    const FakeWindow* win = Find(w);
    return win && win->iconic;
}

bool FakeDesktop::IsVisible(Hwnd w) const {
    const FakeWindow* win = Find(w);
    return win && win->visible;
}

void FakeDesktop::Record(const std::string& call) {
    calls.push_back(call);
    if (onCall) onCall(call);
}

void FakeDesktop::ShowTarget(Hwnd target, ShowMode mode) {
    static const char* const kNames[] = {"hide", "show", "restore"};
    if (FakeWindow* win = m_windows.count(target) ? &m_windows.at(target) : nullptr) {
        win->visible = mode != ShowMode::Hide;
        if (mode == ShowMode::Restore) win->iconic = false;
    }
    Record(std::string(kNames[static_cast<int>(mode)]) + " " + std::to_string(target));
}

void FakeDesktop::RaiseTarget(Hwnd target) {
    Record("raise " + std::to_string(target));
}

void FakeDesktop::MoveTarget(Hwnd target, Point to) {
    if (m_windows.count(target)) {
        Rect& r = m_windows.at(target).rect;
        r = Rect{to.x, to.y, to.x + static_cast<int>(r.Width()), to.y + static_cast<int>(r.Height())};
    }
    Record("move " + std::to_string(target) + " " + std::to_string(to.x) + "," +
           std::to_string(to.y));
}

void FakeDesktop::PlaceTarget(Hwnd target, const Rect& rect) {
    if (m_windows.count(target)) m_windows.at(target).rect = rect;
    Record("place " + std::to_string(target) + " " + RectText(rect));
}

void FakeDesktop::RaiseChat(Hwnd chat) {
    Record("raisechat " + std::to_string(chat));
}

void FakeDesktop::PostChatActive(Hwnd mainWindow, Hwnd chat) {
    Record("post " + std::to_string(mainWindow) + " " + std::to_string(chat));
}

}  // namespace dock::test
