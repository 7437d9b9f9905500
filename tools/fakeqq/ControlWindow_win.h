// The hidden window through which tests steer the fake messenger (protocol in FakeQQProtocol.h).
#pragma once
#include <windows.h>

#include <string>

#include "ControlCommand.h"

namespace fakeqq {

class CommandTarget {
public:
    virtual LRESULT Execute(const Command& command) = 0;
    virtual void OnLifetimeOver() = 0;

protected:
    ~CommandTarget() = default;
};

class Log;

class ControlWindow {
public:
    ControlWindow(CommandTarget& target, Log& log);
    ~ControlWindow();
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    bool Create(HINSTANCE instance, const std::string& tag, int lifetimeSeconds);
    HWND Hwnd() const { return m_hwnd; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnCopyData(const COPYDATASTRUCT& data);

    CommandTarget& m_target;
    Log& m_log;
    HWND m_hwnd = nullptr;
};

}  // namespace fakeqq
