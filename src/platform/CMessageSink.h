#pragma once

#include <string>

/// Where the core shows a modal message: a message box in the desktop program, standard
/// error in the command-line tool, a recording in tests.
class CMessageSink
{
public:
    enum class Icon
    {
        Information,
        Warning,
        Stop
    };

    virtual ~CMessageSink() = default;
    /// Shows text with an OK button only and returns when the user has dismissed it.
    virtual void showMessage(const std::string& text, Icon icon = Icon::Warning) = 0;
};
