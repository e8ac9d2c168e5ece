#pragma once

#include "platform/CMessageSink.h"

/// Writes each message to standard error followed by a newline.
class CStderrMessageSink : public CMessageSink
{
public:
    void showMessage(const std::string& text, Icon icon = Icon::Warning) override;
};
