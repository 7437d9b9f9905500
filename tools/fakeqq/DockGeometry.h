// Which side of a chat window another window is docked on: it touches that edge (within a
// small tolerance) and overlaps the chat window along it.
#pragma once

namespace fakeqq {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
};

enum class Side { None, Left, Right, Top, Bottom };

Side DockedSide(const Box& chat, const Box& other, int tolerance);
const char* SideName(Side side);

}  // namespace fakeqq
