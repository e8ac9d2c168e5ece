#pragma once

#include "simulate/CSimulationRunner.h"

#include <string>

class CCalculator;
class CHtmlWriter;

/// What the simulated check of one table cell runs, and the words its paragraph needs.
struct SimulatedCell
{
    /// False when the cell has no result (nothing to simulate); the rest is then empty.
    bool applies = false;
    /// One experiment of the design at the cell's effect and sample size, analysed by the
    /// test the page describes.
    SimulatedStudy study;
    /// The experiment, for "in 10,000 simulated experiments of ...".
    std::string design;
    /// The test, such as "the logrank test".
    std::string test;
    /// The level with its tails, such as "0.05 (two-tailed)".
    std::string level;
    /// The power of the cell in percent.
    double statedPower = 0;
};

/// The simulated study of cell (powerIndex, nIndex) of calc; a power calculator has one
/// sample size and ignores nIndex.
SimulatedCell SimulatedCellOf(const CCalculator& calc, int powerIndex, int nIndex);

/// The simulated study of calc's selected cell; applies is false without a selection.
SimulatedCell SimulatedSelectedCell(const CCalculator& calc);

/// The paragraph of a completed run, such as "Simulated check: in 10,000 simulated
/// experiments of ..., each analysed by the logrank test at a significance level of 0.05
/// (two-tailed), 82.7% (standard error 0.4%) were statistically significant, where the
/// power stated is 80%. Seed 1."
std::string SimulatedCheckText(const SimulatedCell& cell, const SimulationResult& result);

/// Writes a SimulatedCheckText as a paragraph of its own.
void WriteSimulatedCheck(CHtmlWriter& w, const std::string& text);
