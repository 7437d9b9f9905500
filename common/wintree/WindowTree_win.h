// The live window tree of this desktop. Reads never send a message to another thread:
// titles come from InternalGetWindowText, so a hung program cannot stall the reader.
#pragma once
#include <windows.h>

#include "WindowTree.h"

namespace wintree {

inline HWND ToHwnd(Hwnd w) { return reinterpret_cast<HWND>(w); }
inline Hwnd FromHwnd(HWND w) { return reinterpret_cast<Hwnd>(w); }

class LiveWindowTree : public WindowTree {
public:
    Hwnd FirstChild(Hwnd w) const override;
    Hwnd NextSibling(Hwnd w) const override;
    Hwnd Parent(Hwnd w) const override;
    std::string_view ClassName(Hwnd w, Name& buffer) const override;
    std::string_view Title(Hwnd w, Name& buffer) const override;
};

}  // namespace wintree
