#pragma once

#include <chrono>
#include <cstdio>
#include <string>

class CCalculator;
struct SimulatedCell;
struct SimulationResult;

/// The simulated checks of one zentrima-cli command: each cell's experiments run on every
/// processor, and once the work has taken more than a second a progress line goes to the
/// progress stream (standard error when it is a terminal; none otherwise).
class CCliSimulation
{
public:
    /// studies experiments a cell with seed; progress may be null.
    CCliSimulation(long studies, unsigned long long seed, FILE* progress);
    CCliSimulation(const CCliSimulation&) = delete;
    CCliSimulation& operator=(const CCliSimulation&) = delete;
    /// Ends the progress line, if one was written.
    ~CCliSimulation();

    /// How many cells the progress line counts.
    void setCellCount(int cells);
    /// The "Simulated check" paragraph of calc's selected cell; empty when the cell has no
    /// result.
    std::string selectedCellText(const CCalculator& calc);
    /// The percent of significant experiments of cell (powerIndex, nIndex), as text; empty
    /// when the cell has no result.
    std::string cellPercent(const CCalculator& calc, int powerIndex, int nIndex);

private:
    SimulationResult run(const SimulatedCell& cell);
    void showProgress(long done);

    long m_studies;
    unsigned long long m_seed;
    FILE* m_progress;
    std::chrono::steady_clock::time_point m_start;
    int m_cells = 1;
    int m_cellsDone = 0;
    bool m_shown = false;
};
