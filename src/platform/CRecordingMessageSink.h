#pragma once

#include "platform/CMessageSink.h"

#include <string>
#include <vector>

/// Records every message instead of showing it; the tests' double.
class CRecordingMessageSink : public CMessageSink
{
public:
    void showMessage(const std::string& text, Icon icon = Icon::Warning) override
    {
        m_messages.push_back(text);
        m_icons.push_back(icon);
    }

    const std::vector<std::string>& messages() const { return m_messages; }
    const std::vector<Icon>& icons() const { return m_icons; }
    std::string last() const { return m_messages.empty() ? std::string() : m_messages.back(); }
    void clear()
    {
        m_messages.clear();
        m_icons.clear();
    }

private:
    std::vector<std::string> m_messages;
    std::vector<Icon> m_icons;
};
