#include "cli/CCliSimulation.h"

#include "calc/SimulatedCheck.h"
#include "report/NumberText.h"

#include <future>

namespace {

// How long the work goes on before the progress line appears, and how often it is redrawn.
constexpr std::chrono::seconds QuietTime(1);
constexpr std::chrono::milliseconds RedrawTime(100);

} // namespace

CCliSimulation::CCliSimulation(long studies, unsigned long long seed, FILE* progress)
    : m_studies(studies), m_seed(seed), m_progress(progress),
      m_start(std::chrono::steady_clock::now())
{
}

CCliSimulation::~CCliSimulation()
{
    if (m_shown)
        std::fputc('\n', m_progress);
}

void CCliSimulation::setCellCount(int cells)
{
    m_cells = cells > 0 ? cells : 1;
}

std::string CCliSimulation::selectedCellText(const CCalculator& calc)
{
    const SimulatedCell cell = SimulatedSelectedCell(calc);
    if (!cell.applies)
        return std::string();
    return SimulatedCheckText(cell, run(cell));
}

std::string CCliSimulation::cellPercent(const CCalculator& calc, int powerIndex, int nIndex)
{
    const SimulatedCell cell = SimulatedCellOf(calc, powerIndex, nIndex);
    if (!cell.applies) {
        ++m_cellsDone;
        return std::string();
    }
    return formatInCLocale("%.10g", 100 * run(cell).Power());
}

SimulationResult CCliSimulation::run(const SimulatedCell& cell)
{
    SimulationProgress progress;
    const CSimulationRunner runner;
    std::future<SimulationResult> result = std::async(
        std::launch::async, [&] { return runner.Run(cell.study, m_studies, m_seed, &progress); });
    while (result.wait_for(RedrawTime) != std::future_status::ready)
        showProgress(progress.done.load());
    ++m_cellsDone;
    showProgress(0);
    return result.get();
}

void CCliSimulation::showProgress(long done)
{
    if (m_progress == nullptr || std::chrono::steady_clock::now() - m_start < QuietTime)
        return;
    const double share = (m_cellsDone + static_cast<double>(done) / m_studies) / m_cells;
    std::fprintf(m_progress, "\rzentrima-cli: simulating, %3d%% done",
                 static_cast<int>(100 * share));
    std::fflush(m_progress);
    m_shown = true;
}
