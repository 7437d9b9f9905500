// Read-only view of a window tree (class names, titles, parent/child links) and a bounded
// walk over it. The chat-window rules of the hook and of the main program run on this, so
// they are tested natively against a fake tree and run inside another program's process
// without recursion or allocation.
#pragma once
#include <cstdint>
#include <string_view>

namespace wintree {

using Hwnd = std::uintptr_t;  // a window handle's value; 0 = none

// Room for a class name or title of up to 256 UTF-16 units as UTF-8.
struct Name {
    static constexpr int kMaxUnits = 256;
    char text[kMaxUnits * 3 + 1];
};

class WindowTree {
public:
    virtual ~WindowTree() = default;
    // Links in z-order, as GetWindow/GetAncestor give them; 0 at the end or when gone.
    virtual Hwnd FirstChild(Hwnd w) const = 0;
    virtual Hwnd NextSibling(Hwnd w) const = 0;
    virtual Hwnd Parent(Hwnd w) const = 0;
    // UTF-8, cut to Name::kMaxUnits units; empty when the window is gone. The view points
    // into `buffer`.
    virtual std::string_view ClassName(Hwnd w, Name& buffer) const = 0;
    virtual std::string_view Title(Hwnd w, Name& buffer) const = 0;
};

enum class Walk { Done, Stopped, OverBudget };

// Depth-first over the descendants of root (root itself excluded), parents before their
// children, siblings in z-order. Every step costs one unit of `budget` (shared between
// nested walks), so a huge or changing tree ends the walk instead of the caller's time.
// visit(Hwnd) returns false to stop.
template <class Visit>
Walk ForEachDescendant(const WindowTree& tree, Hwnd root, int& budget, Visit&& visit) {
    Hwnd cur = root ? tree.FirstChild(root) : 0;
    while (cur) {
        if (--budget < 0) return Walk::OverBudget;
        if (!visit(cur)) return Walk::Stopped;
        if (const Hwnd child = tree.FirstChild(cur)) {
            cur = child;
            continue;
        }
        // No children: the next sibling, else climb until an ancestor below root has one.
        for (;;) {
            if (--budget < 0) return Walk::OverBudget;
            if (const Hwnd next = tree.NextSibling(cur)) {
                cur = next;
                break;
            }
            cur = tree.Parent(cur);
            if (cur == root || cur == 0) return Walk::Done;
        }
    }
    return Walk::Done;
}

// Class name equality without caring which buffer holds it.
inline bool ClassIs(const WindowTree& tree, Hwnd w, std::string_view cls) {
    Name buffer;
    return tree.ClassName(w, buffer) == cls;
}

}  // namespace wintree
