#include "ClickSequencer.h"

#include <algorithm>

namespace panel {

ClickSequencer::ClickSequencer(uint32_t doubleClickMs)
    : m_waitMs(std::min(doubleClickMs, kMaxWaitMs)) {}

ClickStep ClickSequencer::LeftDown(int cell) {
    ClickStep step;
    if (m_pending == cell) {
        // A second press that the system did not report as a double click: the gesture is
        // abandoned, as the double-click message would otherwise have done the work.
        step.stopTimer = true;
        m_pending = -1;
        return step;
    }
    if (m_pending >= 0) {
        step.flushedCell = m_pending;
        step.stopTimer = true;
    }
    m_pending = cell;
    step.startTimer = true;
    return step;
}

ClickStep ClickSequencer::DoubleClick(int cell) {
    ClickStep step;
    if (m_pending >= 0 && m_pending != cell)
        step.flushedCell = m_pending;
    step.stopTimer = m_pending >= 0;
    m_pending = -1;
    step.cell = cell;
    step.gesture = Gesture::Double;
    return step;
}

ClickStep ClickSequencer::RightDown(int cell) {
    ClickStep step;
    if (m_pending >= 0) {
        // One face, one gesture: a right click on the cell whose click is pending replaces
        // that click; a click pending on another cell still happens, first.
        if (m_pending != cell)
            step.flushedCell = m_pending;
        step.stopTimer = true;
        m_pending = -1;
    }
    step.cell = cell;
    step.gesture = Gesture::Right;
    return step;
}

ClickStep ClickSequencer::TimerFired() {
    ClickStep step;
    step.stopTimer = true;
    if (m_pending >= 0) {
        step.cell = m_pending;
        step.gesture = Gesture::Single;
        m_pending = -1;
    }
    return step;
}

ClickStep ClickSequencer::Forget(int cell) {
    ClickStep step;
    if (m_pending >= 0 && m_pending == cell) {
        m_pending = -1;
        step.stopTimer = true;
    }
    return step;
}

ClickStep ClickSequencer::ForgetAll() {
    ClickStep step;
    step.stopTimer = m_pending >= 0;
    m_pending = -1;
    return step;
}

}  // namespace panel
