#include "cli/CCliMessageSink.h"

#include "cli/CCliInputs.h"

#include <cstring>

namespace {

// The openings of the lines that tell the user of a form to correct a field.
const char* const AdviceOpenings[] = {"Enter correct value", "Reenter "};

bool isAdvice(const std::string& line)
{
    for (const char* opening : AdviceOpenings)
        if (line.compare(0, std::strlen(opening), opening) == 0)
            return true;
    return false;
}

} // namespace

std::string CCliMessageSink::withoutAdvice(const std::string& text)
{
    std::string result;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        if (!line.empty() && !isAdvice(line))
            result += (result.empty() ? "" : " ") + line;
        start = end + 1;
    }
    return result;
}

void CCliMessageSink::showMessage(const std::string& text, Icon icon)
{
    const std::string option = m_inputs != nullptr ? m_inputs->lastRead().toStdString() : m_option;
    std::string line = "zentrima-cli: ";
    if (!option.empty())
        line += "--" + option + ": ";
    m_out.showMessage(line + withoutAdvice(text), icon);
}
