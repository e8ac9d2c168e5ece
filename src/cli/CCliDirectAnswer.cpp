#include "cli/CCliDirectAnswer.h"

#include "calc/CSampleCalc.h"
#include "calc/DirectAnswerSearch.h"
#include "calc/Formatting.h"

void CCliDirectAnswer::find(CCalculator& calc, double effect)
{
    FindDirectAnswers(calc, effect);
}

std::string CCliDirectAnswer::firstAnswerQuery(const CCalculator& calc)
{
    const bool sample = dynamic_cast<const CSampleCalc*>(&calc) != nullptr;
    for (const DirectAnswer& line : calc.m_direct.lines) {
        if (!line.ok)
            continue;
        const int p = IndexInList(calc.m_powers, calc.m_nPowers, line.power);
        if (!sample)
            return formatInCLocale("pow=%d", p);
        return formatInCLocale("n=%d&pow=%d", IndexInList(calc.m_ns, calc.m_nNs, line.n), p);
    }
    return std::string();
}

std::vector<std::string> CCliDirectAnswer::writeCells(const CCalculator& calc, FILE* out)
{
    const bool sample = dynamic_cast<const CSampleCalc*>(&calc) != nullptr;
    std::vector<std::string> messages;
    std::string number;
    FormatNumber(calc.m_direct.effect, number);
    std::fputs(sample ? "power\tn\tvalue\tok\n" : "effect\tpower\tok\n", out);
    for (const DirectAnswer& line : calc.m_direct.lines) {
        std::string text;
        // The power as the list of powers writes it: the search keeps at most 12 decimals.
        std::string power;
        FormatNumber(line.power, power);
        if (sample) {
            text = line.ok
                       ? formatInCLocale("%s\t%d\t%.17g\t1\n", power.c_str(), line.n, line.effect)
                       : power + "\t\t\t0\n";
        } else {
            text = line.ok ? number + "\t" + power + "\t1\n" : number + "\t\t0\n";
        }
        std::fputs(text.c_str(), out);
        if (!line.ok)
            messages.push_back(line.message);
    }
    return messages;
}
