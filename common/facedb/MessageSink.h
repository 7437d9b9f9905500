// How the store shows its one message to the user without knowing about windows:
// the Windows programs pass a message-box implementation, tests a recorder.
#pragma once
#include <string>

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // An information box with an OK button and no owner window.
    virtual void ShowInfo(const std::string& text, const std::string& caption) = 0;
};
