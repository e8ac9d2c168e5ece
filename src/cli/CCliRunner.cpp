#include "cli/CCliRunner.h"

#include "cli/CCliDesign.h"
#include "cli/CCliDirectAnswer.h"
#include "cli/CCliEpochClock.h"
#include "cli/CCliError.h"
#include "cli/CCliMessageSink.h"
#include "cli/CCliOptions.h"
#include "cli/CCliPageWriter.h"
#include "cli/CCliSelection.h"
#include "cli/CCliSettingsStore.h"
#include "cli/CCliSimulation.h"
#include "calc/CCalculator.h"
#include "platform/CMemorySettingsStore.h"
#include "platform/CMessageSink.h"
#include "platform/COutputFile.h"
#include "platform/CUserException.h"
#include "calc/CalculatorFactory.h"
#include "platform/Platform.h"
#include "calc/StringTable.h"

#include <memory>
#include <new>
#include <string>

#include <unistd.h>

CCliRunner::CCliRunner(CSettingsStore& userSettings, CMessageSink& messages, FILE* out)
    : m_userSettings(userSettings), m_messages(messages), m_out(out)
{
}

int CCliRunner::run(const QStringList& arguments)
{
    try {
        return runChecked(arguments);
    } catch (const CUserException&) {
        // The calculator has already shown its message through the sink.
        return ExitBadInput;
    } catch (const CCliError& error) {
        m_messages.showMessage(std::string("zentrima-cli: ") + error.what(),
                               CMessageSink::Icon::Stop);
        return error.exitStatus();
    } catch (const std::bad_alloc&) {
        m_messages.showMessage("zentrima-cli: out of memory", CMessageSink::Icon::Stop);
        return ExitFailure;
    }
}

void CCliRunner::setLevel(CCalculator& calc, const CCliOptions& options)
{
    // The calculator stores the two-tailed equivalent of a one-tailed level.
    const bool oneTailed = options.tails == 1;
    const double level = oneTailed ? 2 * options.alpha : options.alpha;
    // Below this the approximate normal deviates drift from the true ones and the tables
    // would be wrong.
    if (!(level >= SmallestLevel) || !calc.SetAlpha(level, !oneTailed))
        throw CCliError(
            QStringLiteral("--alpha: %1 is not accepted; a %2 significance level "
                           "must be at least %3 and less than %4")
                .arg(CCliInputs::quoted(options.alphaText),
                     oneTailed ? QStringLiteral("one-tailed") : QStringLiteral("two-tailed"))
                .arg(oneTailed ? SmallestLevel / 2 : SmallestLevel)
                .arg(oneTailed ? 0.5 : 1.0)
                .toStdString());
}

int CCliRunner::runChecked(const QStringList& arguments)
{
    CCliOptions options;
    options.parse(arguments);
    if (options.helpRequested || options.versionRequested) {
        writeText(options.helpRequested ? CCliOptions::helpText() : CCliOptions::versionText());
        return ExitOk;
    }

    // Calculators read their default lists while they are constructed. The settings file is
    // only read: it belongs to the desktop program as well, and a query changes nothing.
    CMemorySettingsStore builtInDefaults;
    CCliSettingsStore userSettings(m_userSettings);
    CCliMessageSink refusals(m_messages);
    CScopedPlatform platform(options.noSettings ? static_cast<CSettingsStore*>(&builtInDefaults)
                                                : &userSettings,
                             &refusals);
    std::unique_ptr<CCalculator> calc(
        CreateCalculator(options.design->goal, options.design->design));
    if (!calc)
        throw CCliError("no calculator for this goal and design", ExitFailure);
    reportRefusedSettings(userSettings, options);
    configure(*calc, options, refusals);
    if (options.hasEffect)
        answer(*calc, options);
    if (options.page == CCliOptions::Page::Report)
        checkSelection(*calc, options);
    writePage(*calc, options);
    return ExitOk;
}

void CCliRunner::writeText(const QString& text) const
{
    COutputFile output;
    std::string error;
    output.open(std::string(), m_out, error);
    std::fputs(text.toUtf8().constData(), output.stream());
    if (!output.commit(error))
        throw CCliError(error, ExitFailure);
}

void CCliRunner::configure(CCalculator& calc, CCliOptions& options, CCliMessageSink& refusals)
{
    refusals.followInputs(&options.inputs);
    options.design->apply(calc, options.inputs);
    setLevel(calc, options);
    calc.SetMethod(options.exact ? CalcMethod::Exact : CalcMethod::Approximate);
    calc.SetFrontEnd(FrontEnd::CommandLine);
    refusals.setOption("powers");
    if (options.hasPowers)
        calc.ParsePowers(options.powers.toStdString());
    refusals.setOption("ns");
    if (options.hasNs)
        calc.ParseNs(options.ns.toStdString());
}

void CCliRunner::answer(CCalculator& calc, CCliOptions& options)
{
    CCliDirectAnswer::find(calc, options.effect);
    if (options.page != CCliOptions::Page::Report || !options.select.isEmpty())
        return;
    options.select = QString::fromStdString(CCliDirectAnswer::firstAnswerQuery(calc));
    if (options.select.isEmpty())
        throw CCliError("--effect: no direct answer was found, so there is no cell to report on");
}

void CCliRunner::checkSelection(CCalculator& calc, const CCliOptions& options)
{
    const QString query = CCliSelection::query(calc, options.design->goal == 0, options.select);
    if (!calc.SelectFromQuery(query.toUtf8().constData()))
        throw CCliError(QStringLiteral("--select: %1 selects no cell of the table")
                            .arg(CCliInputs::quoted(options.select))
                            .toStdString());
    if (!CCliPageWriter::selectedCellHasResult(calc))
        throw CCliError(QStringLiteral("--select: %1 selects a cell without a result, which "
                                       "has no report")
                            .arg(CCliInputs::quoted(options.select))
                            .toStdString());
}

void CCliRunner::writePage(CCalculator& calc, const CCliOptions& options) const
{
    // The simulation runs before the output opens, so the progress line does not sit among
    // a page written to the terminal.
    CCliSimulation simulation(options.simulate, options.seed,
                              isatty(STDERR_FILENO) ? stderr : nullptr);
    const bool simulates = options.simulate > 0;
    const std::string paragraph = simulates && options.page == CCliOptions::Page::Report
                                      ? simulation.selectedCellText(calc)
                                      : std::string();
    simulation.setCellCount(calc.m_nPowers * calc.m_nNs);
    COutputFile output;
    std::string error;
    if (!output.open(options.outputPath.toStdString(), m_out, error))
        throw CCliError("-o: " + error, ExitFailure);
    const CCliEpochClock sourceDate(static_cast<std::time_t>(options.sourceDateEpoch));
    CCliPageWriter::Style style;
    style.csv = options.csv;
    style.footer = options.footerDate;
    style.clock = options.sourceDateEpoch >= 0 ? &sourceDate : nullptr;
    switch (options.page) {
    case CCliOptions::Page::Tradeoff:
        CCliPageWriter::writeTradeoff(calc, options.writerMode, style, output.stream());
        break;
    case CCliOptions::Page::Report:
        CCliPageWriter::writeReport(calc, options.writerMode, style, output.stream(), paragraph);
        break;
    case CCliOptions::Page::Data:
        // The graph data ends every field with a tab, the cells page separates them.
        CCliPageWriter::writeDelimited(
            style, true, [&calc](FILE* page) { CCliPageWriter::writeData(calc, page); },
            output.stream());
        break;
    case CCliOptions::Page::Cells:
        CCliPageWriter::writeDelimited(
            style, false,
            [&](FILE* page) {
                if (options.hasEffect) {
                    for (const std::string& message : CCliDirectAnswer::writeCells(calc, page))
                        m_messages.showMessage("zentrima-cli: --effect: " + message,
                                               CMessageSink::Icon::Warning);
                } else if (simulates) {
                    CCliPageWriter::writeCells(calc, page, [&](int p, int r) {
                        return simulation.cellPercent(calc, p, r);
                    });
                } else {
                    CCliPageWriter::writeCells(calc, page);
                }
            },
            output.stream());
        break;
    }
    if (!output.commit(error))
        throw CCliError((options.outputPath.isEmpty() ? "" : "-o: ") + error, ExitFailure);
}

void CCliRunner::reportRefusedSettings(const CCliSettingsStore& store,
                                       const CCliOptions& options) const
{
    for (const std::string& name : store.refusedValues()) {
        // A list given on the command line takes the stored one's place anyway.
        const bool isNs = name == LoadString(IDS_SETTING_SAMPLE_SERIES);
        if (isNs ? options.hasNs : options.hasPowers)
            continue;
        m_messages.showMessage("zentrima-cli: settings: the stored \"" + name +
                                   "\" is not a valid list; the built-in list is used",
                               CMessageSink::Icon::Warning);
    }
}
