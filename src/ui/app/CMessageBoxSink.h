#pragma once

#include "platform/CMessageSink.h"

#include <QMessageBox>

#include <string>

/// The desktop program's message boxes: modal, OK only, titled "Veldrine Zentrima 2.00",
/// over the active window.
class CMessageBoxSink : public CMessageSink
{
public:
    void showMessage(const std::string& text, Icon icon = Icon::Warning) override;

    /// The message-box icon that stands for icon.
    static QMessageBox::Icon boxIcon(Icon icon);
};
