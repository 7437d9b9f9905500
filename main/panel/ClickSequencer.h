// Tells a single click on a face cell from a double click: a left button down waits
// min(double-click time, 350 ms) for a second click before it counts as an insert; a
// double click or a right click sends at once. One sequencer serves every cell of a panel.
#pragma once

#include <cstdint>

namespace panel {

// Single: a left click no second click followed (the picker inserts). Double and Right
// (the picker sends; the editor renames and opens its cell menu).
enum class Gesture { None, Single, Double, Right };

// What the window must do after an event: deliver a gesture for a cell, and start or stop
// the single-click timer. At most one pending click exists at a time.
struct ClickStep {
    int cell = -1;                     // cell of the gesture, -1 for none
    Gesture gesture = Gesture::None;
    bool startTimer = false;
    bool stopTimer = false;
    // A click pending on another cell that must be delivered (as a single click) first.
    int flushedCell = -1;
};

class ClickSequencer {
public:
    static constexpr uint32_t kMaxWaitMs = 350;

    explicit ClickSequencer(uint32_t doubleClickMs = kMaxWaitMs);
    uint32_t WaitMs() const { return m_waitMs; }
    int PendingCell() const { return m_pending; }

    ClickStep LeftDown(int cell);
    ClickStep DoubleClick(int cell);
    ClickStep RightDown(int cell);
    ClickStep TimerFired();
    // The cell's face changed or went away: a click pending on it is dropped.
    ClickStep Forget(int cell);
    ClickStep ForgetAll();

private:
    uint32_t m_waitMs;
    int m_pending = -1;
};

}  // namespace panel
