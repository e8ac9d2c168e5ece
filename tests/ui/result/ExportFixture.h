#pragma once

#include "analysis/CAnalysisState.h"
#include "ui/support/CFramesTestEnvironment.h"
#include "ui/result/CResultView.h"
#include "calc/CSamplePairedCalc.h"

#include <QFile>
#include <QTextBrowser>

#include <memory>

/// A paired sample-size analysis (SD 10, r 0.5) shown in a result view of its own, with
/// the window test environment around it.
class ExportFixture
{
public:
    ExportFixture()
    {
        auto calc = std::make_unique<CSamplePairedCalc>();
        calc->SetSD(10);
        calc->SetR(0.5);
        state.setGoalAndDesign(0, 1);
        paired = calc.get();
        state.addCalculator(calc.release());
        view.attach(&state);
        view.resize(700, 500);
        view.show();
    }

    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    CFramesTestEnvironment env;
    CAnalysisState state;
    CSamplePairedCalc* paired = nullptr;
    CResultView view;
};
