#pragma once

#include "cli/CCliInputs.h"
#include "report/CHtmlWriter.h"

#include <QString>
#include <QStringList>

class CCliDesign;
class QCommandLineParser;

/// The command line of zentrima-cli, read and checked before any calculator exists:
///     zentrima-cli GOAL DESIGN [inputs] [--alpha A] [--tails 1|2] [--powers LIST]
///                  [--ns LIST] [--no-settings] [--method M] [--page P] [--format F]
///                  [--select Q] [--effect X] [--simulate R] [--seed S] [--no-date]
///                  [-o FILE]
/// parse() throws CCliError (exit status 2) for anything that does not fit.
class CCliOptions
{
public:
    enum class Page
    {
        Tradeoff,
        Report,
        Data,
        Cells
    };

    /// Reads arguments (the first is the program name).
    void parse(const QStringList& arguments);

    /// The full --help text.
    static QString helpText();
    /// The --version text.
    static QString versionText();

    bool helpRequested = false;
    bool versionRequested = false;

    const CCliDesign* design = nullptr;
    CCliInputs inputs;
    /// The level as the user chose it, and the tails (1 or 2).
    double alpha = 0.05;
    QString alphaText = QStringLiteral("0.05");
    int tails = 2;
    /// The list texts; empty when not given (the stored defaults apply).
    QString powers;
    QString ns;
    bool hasPowers = false;
    bool hasNs = false;
    bool noSettings = false;
    Page page = Page::Tradeoff;
    /// True for --method exact: the cells come from the exact distributions.
    bool exact = false;
    /// The report writer's mode, one of CHtmlWriter's ModeText, ModeHtml and ModeHtmlLinks.
    int writerMode = CHtmlWriter::ModeText;
    QString select;
    /// True for --effect: the page answers for that effect directly.
    bool hasEffect = false;
    double effect = 0;
    /// The most experiments --simulate takes.
    static constexpr long MaxSimulated = 10000000;
    /// The experiments --simulate asks for a cell; 0 for no simulation.
    long simulate = 0;
    /// The seed of the simulation.
    unsigned long long seed = 1;
    /// The output file; empty for standard output ("-o -" is standard output too).
    QString outputPath;
    /// --format csv: comma-separated values on the tradeoff, data and cells pages.
    bool csv = false;
    /// False with --no-date: the text and HTML pages have no footer.
    bool footerDate = true;
    /// The footer's time from SOURCE_DATE_EPOCH, in seconds since 1970 (UTC); -1 when the
    /// variable is not set and the footer shows the local time.
    long long sourceDateEpoch = -1;

private:
    // The parts of parse, in the order it runs them.
    void readGoalAndDesign(const QStringList& positional);
    void readInputs(const QCommandLineParser& parser);
    void readSignificanceAndLists(const QCommandLineParser& parser);
    void readOutput(const QCommandLineParser& parser);
    void readEffect(const QCommandLineParser& parser);
    void readSimulation(const QCommandLineParser& parser);
    void readFooter(const QCommandLineParser& parser);
    void checkDesignOptions();
};
