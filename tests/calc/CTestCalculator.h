#pragma once

#include "calc/CCalculator.h"
#include "platform/CMemorySettingsStore.h"
#include "platform/CRecordingMessageSink.h"
#include "platform/Platform.h"
#include "calc/Query.h"

#include <gtest/gtest.h>

#include <memory>

/// A concrete calculator over the base alone, with one design input (an SD) and a
/// selection by "pow" as the power calculators make it. Its constructor can load either
/// kind of stored defaults.
class CTestCalculator : public CCalculator
{
public:
    enum Defaults
    {
        NoDefaults,
        SampleDefaults,
        PowerDefaults
    };

    explicit CTestCalculator(unsigned int titleId = 500, Defaults defaults = NoDefaults)
        : CCalculator(CalculatorKind{Goal::SampleSize, Design::Unpaired, titleId}), m_sd(-1),
          m_titleId(titleId), m_defaults(defaults)
    {
        if (defaults == SampleDefaults)
            LoadSampleDefaults();
        else if (defaults == PowerDefaults)
            LoadPowerDefaults();
    }

    bool WriteDataTable(CHtmlWriter&, CTableLabels&) override { return true; }
    bool WriteTradeoffPage(CHtmlWriter&) override { return true; }
    CCalculator* Clone() const override
    {
        std::unique_ptr<CTestCalculator> copy(new CTestCalculator(m_titleId, m_defaults));
        copy->m_sd = m_sd;
        copy->CopyCoreFrom(*this);
        return copy.release();
    }
    // Serves no design, so no chain lookup finds it by kind.
    bool IsKind(int, int) const override { return false; }
    unsigned int GetGraphTemplateId() const override { return 189; }
    bool GetGraphTemplatePath(std::string&) const override { return false; }
    bool SelectFromQuery(const char* query) override
    {
        m_selPower = QueryIndex(query, "pow", m_nPowers);
        return HasSelection();
    }
    bool HasSelection() const override { return m_selPower != -1; }
    void WriteExplanationPage(CHtmlWriter&) override { ++m_explanationsWritten; }

    bool SetSD(double sd) { return CCalculator::SetSD(sd, m_sd); }

    double m_sd;
    int m_explanationsWritten = 0;

private:
    unsigned int m_titleId;
    Defaults m_defaults;
};

/// Installs an in-memory settings store and a recording message sink for each test.
class CalculatorTest : public ::testing::Test
{
protected:
    CMemorySettingsStore m_store;
    CRecordingMessageSink m_sink;
    CScopedPlatform m_platform{&m_store, &m_sink};
};
