#pragma once

#include "calc/CCalculator.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

/// The smallest concrete calculator: the list operations under test live in the base.
class CFuzzCalculator : public CCalculator
{
public:
    CFuzzCalculator() : CCalculator(CalculatorKind{Goal::SampleSize, Design::Unpaired, 0}) {}

    bool WriteDataTable(CHtmlWriter&, CTableLabels&) override { return true; }
    bool WriteTradeoffPage(CHtmlWriter&) override { return true; }
    CCalculator* Clone() const override
    {
        std::unique_ptr<CFuzzCalculator> copy(new CFuzzCalculator);
        copy->CopyCoreFrom(*this);
        return copy.release();
    }
    // Serves no design.
    bool IsKind(int, int) const override { return false; }
    unsigned int GetGraphTemplateId() const override { return 0; }
    bool GetGraphTemplatePath(std::string&) const override { return false; }
    bool SelectFromQuery(const char*) override { return false; }
    bool HasSelection() const override { return false; }
    void WriteExplanationPage(CHtmlWriter&) override {}
};

/// Aborts with a message, so that libFuzzer keeps the input that broke an invariant.
inline void fuzzCheck(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant violated: %s\n", what);
        std::abort();
    }
}
