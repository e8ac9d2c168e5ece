// The searches evaluate the calculator's own ComputeCell on a private copy whose lists hold
// just the N or the power being tried; the copy computes exactly what the table does.
#include "calc/DirectAnswerSearch.h"

#include "calc/CCalculator.h"
#include "calc/CPowerCalc.h"
#include "calc/CSampleCalc.h"
#include "calc/Formatting.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// The range of powers a list takes, in percent.
constexpr double LowestPower = 1e-12;
constexpr double HighestPower = 99.999999999999;

// A copy of calc without the rest of its chain.
template <class T> std::unique_ptr<T> CloneAlone(T& calc)
{
    CCalculator* rest = calc.next;
    calc.next = nullptr;
    std::unique_ptr<CCalculator> copy;
    try {
        copy.reset(calc.Clone());
    } catch (...) {
        calc.next = rest;
        throw;
    }
    calc.next = rest;
    return std::unique_ptr<T>(static_cast<T*>(copy.release()));
}

std::string EffectText(double effect)
{
    std::string text;
    FormatNumber(effect, text);
    return text;
}

// The cells of a sample-size table at any N.
class SampleProbe
{
public:
    SampleProbe(CSampleCalc& calc, double effect) : m_probe(CloneAlone(calc)), m_effect(effect)
    {
        m_probe->m_nNs = 1;
        m_falling = FindFalling();
    }

    bool Cell(int powerIndex, int n, double& value) const
    {
        m_probe->m_ns[0] = n;
        return m_probe->ComputeCell(powerIndex, 0, &value);
    }

    // True when the cell (powerIndex, n) detects the effect.
    bool Reaches(int powerIndex, int n) const
    {
        double value = 0;
        if (!Cell(powerIndex, n, value))
            return false;
        return m_falling ? value <= m_effect : value >= m_effect;
    }

    int PowerCount() const { return m_probe->m_nPowers; }
    double Power(int powerIndex) const { return m_probe->m_powers[powerIndex]; }
    int MonotoneFrom() const { return std::max(2, m_probe->MonotoneFromN()); }

private:
    // Most tables fall towards the null as N grows; a hazard ratio below 1 rises towards it.
    bool FindFalling() const
    {
        static const int smaller[] = {1000, 100, 10, 2};
        for (int p = 0; p < PowerCount(); ++p) {
            double large = 0;
            if (!Cell(p, DirectAnswers::LargestN, large))
                continue;
            for (int n : smaller) {
                double value = 0;
                if (Cell(p, n, value) && value != large)
                    return value > large;
            }
        }
        return true;
    }

    std::unique_ptr<CSampleCalc> m_probe;
    double m_effect;
    bool m_falling = true;
};

// The smallest N from lowest up whose cell detects the effect, when every N above it does
// too; hint is an N that probably detects it. 0 when LargestN does not.
int SmallestReachingN(const SampleProbe& probe, int powerIndex, int lowest, int hint)
{
    if (!probe.Reaches(powerIndex, DirectAnswers::LargestN))
        return 0;
    int hi = DirectAnswers::LargestN;
    if (hint >= lowest && hint < hi && probe.Reaches(powerIndex, hint))
        hi = hint;
    // Gallop down from the bracket's top, then halve: lo never detects the effect (lowest - 1
    // stands for "below the range").
    int step = 1;
    int lo = hi - step;
    while (lo >= lowest && probe.Reaches(powerIndex, lo)) {
        hi = lo;
        step *= 2;
        lo = hi - step;
    }
    lo = std::max(lo, lowest - 1);
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (probe.Reaches(powerIndex, mid))
            hi = mid;
        else
            lo = mid;
    }
    return hi;
}

DirectAnswer AnswerForPower(const SampleProbe& probe, int powerIndex, double effect, int hint,
                            bool& notMonotone)
{
    DirectAnswer answer;
    answer.power = probe.Power(powerIndex);
    const int monotoneFrom = probe.MonotoneFrom();
    int n = SmallestReachingN(probe, powerIndex, monotoneFrom, hint);
    if (n == 0) {
        std::string power;
        FormatNumber(answer.power, power);
        answer.message = "No sample size up to 1,000,000 detects an effect of " +
                         EffectText(effect) + " with " + power + "% power.";
        return answer;
    }
    if (n == monotoneFrom && monotoneFrom > 2) {
        // Below monotoneFrom the table may go up and down: walk down while it detects.
        while (n > 2 && probe.Reaches(powerIndex, n - 1))
            --n;
        notMonotone = true;
    }
    answer.n = n;
    answer.ok = probe.Cell(powerIndex, n, answer.effect);
    return answer;
}

// The cells of a power table at any power.
class PowerProbe
{
public:
    PowerProbe(CPowerCalc& calc, double effect) : m_probe(CloneAlone(calc)), m_effect(effect)
    {
        m_probe->m_nPowers = 1;
        // Most tables grow away from the null with power; a hazard ratio below 1 falls.
        static const double powers[] = {50, 80, 20, 90, 10, 95, 5, 99, 1};
        double reference = 0;
        for (double power : powers) {
            double value = 0;
            if (!Cell(power, value))
                continue;
            if (m_reference == 0) {
                m_reference = power;
                reference = value;
            } else if (value != reference) {
                m_rising = (value > reference) == (power > m_reference);
                break;
            }
        }
    }

    bool Cell(double power, double& value) const
    {
        m_probe->SetPower(0, power);
        return m_probe->ComputeCell(0, &value);
    }

    // A failed cell below the reference power has too little power for any effect; one
    // above it would need an effect beyond the table's range, so it counts as reaching.
    bool Reaches(double power) const
    {
        double value = 0;
        if (!Cell(power, value))
            return power > m_reference;
        return m_rising ? value >= m_effect : value <= m_effect;
    }

private:
    std::unique_ptr<CPowerCalc> m_probe;
    double m_effect;
    double m_reference = 0;
    bool m_rising = true;
};

// The shortest decimal power at or above found whose cell still shows what found's does.
double ShortestPower(const PowerProbe& probe, double found, double effect)
{
    double foundValue = 0;
    probe.Cell(found, foundValue);
    const double tolerance = 1e-9 * std::max(1.0, std::fabs(effect));
    for (int decimals = 0; decimals <= 12; ++decimals) {
        const double scale = std::pow(10.0, decimals);
        const double rounded = std::ceil(found * scale - 1e-6) / scale;
        double value = 0;
        if (rounded >= found && rounded <= HighestPower && probe.Reaches(rounded) &&
            probe.Cell(rounded, value) && std::fabs(value - foundValue) <= tolerance)
            return rounded;
    }
    return found;
}

DirectAnswer AnswerPower(const PowerProbe& probe, double effect)
{
    DirectAnswer answer;
    if (!probe.Reaches(HighestPower)) {
        answer.message = "The power to detect an effect of " + EffectText(effect) +
                         " is above 99.999999999999%.";
        return answer;
    }
    const std::string notShown = "An effect of " + EffectText(effect) +
                                 " is not one the table shows at any power above the "
                                 "significance level.";
    if (probe.Reaches(LowestPower)) {
        answer.message = notShown;
        return answer;
    }
    double lo = LowestPower;
    double hi = HighestPower;
    for (;;) {
        const double mid = 0.5 * (lo + hi);
        if (!(mid > lo && mid < hi))
            break;
        (probe.Reaches(mid) ? hi : lo) = mid;
    }
    double loValue = 0;
    double hiValue = 0;
    if (!probe.Cell(hi, hiValue)) {
        answer.message = "An effect of " + EffectText(effect) +
                         " lies beyond the effects the table shows at any power.";
        return answer;
    }
    const bool atEffect = std::fabs(hiValue - effect) <= 1e-6 * std::max(1.0, std::fabs(effect));
    // Reached only where the cells begin to exist: the effect is no larger than what the
    // smallest power shows.
    if (!probe.Cell(lo, loValue) && !atEffect) {
        answer.message = notShown;
        return answer;
    }
    answer.power = ShortestPower(probe, hi, effect);
    answer.ok = probe.Cell(answer.power, answer.effect);
    return answer;
}

// The list values with the found ones added in order, trimmed to MaxListSize by dropping
// the last values that were not found.
template <class T, class Before>
std::vector<T> Joined(const T* values, int count, const std::vector<T>& found, Before before)
{
    std::vector<T> joined(values, values + count);
    for (const T& value : found)
        if (std::find(joined.begin(), joined.end(), value) == joined.end())
            joined.push_back(value);
    std::sort(joined.begin(), joined.end(), before);
    for (auto it = joined.end();
         joined.size() > CCalculator::MaxListSize && it != joined.begin();) {
        --it;
        if (std::find(found.begin(), found.end(), *it) == found.end())
            it = joined.erase(it);
    }
    return joined;
}

void JoinNs(CCalculator& calc, const std::vector<int>& found)
{
    const int selected = calc.m_selN >= 0 ? calc.m_ns[calc.m_selN] : -1;
    const std::vector<int> ns = Joined(calc.m_ns, calc.m_nNs, found, std::less<int>());
    calc.m_nNs = static_cast<int>(ns.size());
    for (int i = 0; i < calc.m_nNs; ++i)
        calc.SetN(i, ns[static_cast<size_t>(i)]);
    if (selected >= 0)
        calc.m_selN = IndexInList(calc.m_ns, calc.m_nNs, selected);
}

void JoinPowers(CCalculator& calc, const std::vector<double>& found)
{
    const double selected = calc.m_selPower >= 0 ? calc.m_powers[calc.m_selPower] : -1;
    const std::vector<double> powers =
        Joined(calc.m_powers, calc.m_nPowers, found, std::greater<double>());
    calc.m_nPowers = static_cast<int>(powers.size());
    for (int i = 0; i < calc.m_nPowers; ++i)
        calc.SetPower(i, powers[static_cast<size_t>(i)]);
    if (selected >= 0)
        calc.m_selPower = IndexInList(calc.m_powers, calc.m_nPowers, selected);
}

void FindSampleSizes(CSampleCalc& calc, DirectAnswers& answers)
{
    const SampleProbe probe(calc, answers.effect);
    std::vector<int> found;
    int hint = DirectAnswers::LargestN;
    for (int p = 0; p < probe.PowerCount(); ++p) {
        answers.lines.push_back(
            AnswerForPower(probe, p, answers.effect, hint, answers.notMonotone));
        if (answers.lines.back().ok) {
            found.push_back(answers.lines.back().n);
            hint = found.back();
        }
    }
    JoinNs(calc, found);
}

void FindPower(CPowerCalc& calc, DirectAnswers& answers)
{
    const PowerProbe probe(calc, answers.effect);
    answers.lines.push_back(AnswerPower(probe, answers.effect));
    if (answers.lines.back().ok)
        JoinPowers(calc, {answers.lines.back().power});
}

} // namespace

bool FindDirectAnswers(CCalculator& calc, double effect)
{
    if (!std::isfinite(effect))
        return false;
    DirectAnswers answers;
    answers.requested = true;
    answers.effect = effect;
    if (auto* sample = dynamic_cast<CSampleCalc*>(&calc))
        FindSampleSizes(*sample, answers);
    else if (auto* power = dynamic_cast<CPowerCalc*>(&calc))
        FindPower(*power, answers);
    calc.m_direct = answers;
    return std::any_of(answers.lines.begin(), answers.lines.end(),
                       [](const DirectAnswer& line) { return line.ok; });
}

void RefreshDirectAnswers(CCalculator& calc)
{
    if (calc.m_direct.requested)
        FindDirectAnswers(calc, calc.m_direct.effect);
}
