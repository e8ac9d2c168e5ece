#pragma once

#include "platform/CMessageSink.h"

#include <string>

class CCliInputs;

/// The command-line tool's voice for the calculators' own refusals: one line on the
/// underlying sink, "zentrima-cli: --option: " and the calculator's text without the advice
/// meant for a form's field ("Enter correct value in the field ..."). The option is the
/// design input read last, or the option set for the stage that runs (for example
/// "powers").
class CCliMessageSink : public CMessageSink
{
public:
    explicit CCliMessageSink(CMessageSink& out) : m_out(out) {}

    /// The design inputs whose last-read option names a refusal; null to use setOption().
    void followInputs(const CCliInputs* inputs) { m_inputs = inputs; }
    /// The option (without "--") that the next refusals belong to.
    void setOption(const std::string& name)
    {
        m_inputs = nullptr;
        m_option = name;
    }

    void showMessage(const std::string& text, Icon icon = Icon::Warning) override;

    /// text on one line, the lines that only tell a form's user to retype dropped.
    static std::string withoutAdvice(const std::string& text);

private:
    CMessageSink& m_out;
    const CCliInputs* m_inputs = nullptr;
    std::string m_option;
};
