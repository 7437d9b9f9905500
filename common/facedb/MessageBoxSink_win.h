// The message sink of the Windows programs: a plain system message box.
#pragma once
#include "MessageSink.h"

class MessageBoxSink : public MessageSink {
public:
    void ShowInfo(const std::string& text, const std::string& caption) override;
};
