// The wait for a just-started messenger's window: up to 40 looks, 3 seconds apart. Driven by
// a timer of the main window, so the window stays responsive for the whole 120 seconds.
#pragma once

namespace dock {

class MessengerPoll {
public:
    static constexpr int kAttempts = 40;
    static constexpr unsigned kIntervalMs = 3000;

    enum class Step { Wait, Found, GiveUp };

    void Start() { m_left = kAttempts; }
    void Cancel() { m_left = 0; }
    bool Active() const { return m_left > 0; }

    // One timer tick with the result of the window search. Found and GiveUp end the poll.
    Step Tick(bool found);

private:
    int m_left = 0;
};

}  // namespace dock
