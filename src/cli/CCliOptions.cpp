#include "cli/CCliOptions.h"

#include "cli/CCliDesign.h"
#include "cli/CCliError.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <cstring>
#include <memory>
#include <vector>

namespace {

const char* const ProgramName = "zentrima-cli";
const char* const Version = "2.00";

struct CValueOption
{
    const char* name;
    const char* valueName;
    const char* description;
};

const CValueOption OutputOptions[] = {
    {"alpha", "A",
     "Significance level (default 0.05): at least 0.001 and less than 1 two-tailed, at least "
     "0.0005 and less than 0.5 one-tailed."},
    {"tails", "1|2",
     "One- or two-tailed significance level (default 2; anova takes two-tailed levels only)."},
    {"powers", "LIST", "Powers in percent, comma-separated, for example \"95,90,80\"."},
    {"ns", "LIST",
     "Sample sizes, comma-separated, for example \"5,10,20\" (sample size goal only)."},
    {"method", "METHOD",
     "approximate (the written formulas, default) or exact (noncentral t and F distributions, "
     "exact binomial sums of the chosen --test up to 2000 per group, Freedman's formula "
     "solved precisely; see below)."},
    {"page", "PAGE",
     "tradeoff (the table of tradeoffs, default), report (the detailed report on the cell "
     "chosen with --select), data (the tab-separated graph data) or cells (one line per "
     "table cell, for scripts)."},
    {"format", "FORMAT",
     "text (default), html or html-links for the tradeoff and report pages, or csv "
     "(comma-separated values) for the tradeoff, data and cells pages."},
    {"select", "QUERY",
     "The cell of the report page, by its values as the lists show them: \"n=10,power=80\" "
     "(sample size goal) or \"power=80\" (power goal); or as in the table's links: "
     "\"n=3&pow=2\" (row 3, power column 2, counting from 0) or \"pow=4\"."},
    {"effect", "X",
     "Answer directly for an effect of X, in the units of the table: the smallest N for each "
     "power (sample goal) or the power to detect X (power goal), above the table; with --page "
     "report the first answer's cell unless --select is given."},
    {"simulate", "R",
     "Also simulate R experiments (1 to 10000000; 10000 is a good start) of each reported "
     "cell and analyse each by the test the page describes: a \"Simulated check\" paragraph "
     "on the report page, a column \"simulated\" (percent significant) on the cells page."},
    {"seed", "S",
     "The seed of --simulate (a whole number, default 1); the same seed gives the "
     "same result on every machine."},
};

const char* const HelpEpilogue =
    "\nDesigns and their inputs, in the order they are checked ([...] has a default):\n"
    "%1\n"
    "Numbers use \".\" as the decimal point; inputs are at most 9999999999; sample sizes,\n"
    "degrees of freedom and --groups are whole numbers (the last two at most 2147483647).\n"
    "Without --powers and --ns the default lists of the settings file apply (shared with\n"
    "the desktop program: $XDG_CONFIG_HOME, usually ~/.config, then\n"
    "\"Veldrine Software/Zentrima.ini\"); --no-settings uses the built-in defaults.\n"
    "\n"
    "Methods: --method approximate (the default) computes every table with the program's\n"
    "written formulas: normal approximations with a small-sample correction for the t tests,\n"
    "a normal approximation of the noncentral F distribution for ANOVA, the arcsine method\n"
    "for two proportions and a 0.0005-wide search for survival. Its detailed report on a t,\n"
    "ANOVA or proportion cell ends with an \"Exact check\" when the exact power of that\n"
    "effect is one percentage point or more away from the requested power. --method exact\n"
    "computes the same tables from the noncentral t and F distributions, the exact binomial\n"
    "sums of the proportions test chosen with --test (up to 2000 per group; above that the\n"
    "arcsine method with exact normal quantiles, as the page says and the \"exact\" column\n"
    "of --page cells shows) and Freedman's formula, solved precisely (a large-sample\n"
    "approximation of the logrank test); the page's choices name the method.\n"
    "A power not above the significance level, or an effect no proportion between 0 and 1\n"
    "reaches, is a failed cell (\"Impossible\" in the t, ANOVA and proportion tables). A\n"
    "proportions test whose actual level (its chance of a significant result with no\n"
    "difference, on the page) already reaches the power detects an effect of 0.\n"
    "\n"
    "Tests of two proportions: --test chi-square (default) is the uncorrected chi-square\n"
    "test, whose actual level can exceed alpha in small groups; yates adds Yates's\n"
    "continuity correction (the default of many packages) and fisher is Fisher's exact\n"
    "test; both keep the level below alpha and need larger effects. Choose the test you will\n"
    "run; the written method approximates the uncorrected test whatever the choice.\n"
    "\n"
    "Simulation: --simulate R draws R experiments of the cell's design at its effect and\n"
    "sample size (normal values for the t tests and ANOVA, binomial counts for two\n"
    "proportions, exponential survival under proportional hazards followed until the control\n"
    "group's survival is the entered proportion) and says what share of them the test the\n"
    "page describes finds statistically significant, with its standard error and the seed.\n"
    "\n"
    "Examples:\n"
    "%2"
    "  zentrima-cli sample paired --sd-diff 1.4 --alpha 0.05 --tails 1\n"
    "  zentrima-cli sample unpaired --sd 1 --page report --select n=10,power=80 "
    "--format html -o report.htm\n"
    "  zentrima-cli sample unpaired --sd 1 --page data --format csv -o data.csv\n"
    "  zentrima-cli power unpaired --n1 10 --n2 12 --sd1 1 --sd2 1.2 --powers 90,80,50 "
    "--page cells\n"
    "  zentrima-cli power paired --pairs 10 --sd 1 --method exact\n"
    "  zentrima-cli sample survival --proportion 0.3 --page report --select \"n=7&pow=3\" "
    "--simulate 10000 --seed 1\n"
    "\n"
    "Text and HTML pages end with the date and time of the run: the local time, or with\n"
    "SOURCE_DATE_EPOCH set (seconds since 1970-01-01) that time in UTC, so two runs give the\n"
    "same bytes; --no-date leaves it out. Tab-separated pages have no tab at the end of a\n"
    "line. --format csv writes comma-separated values (RFC 4180 quoting, lines ending with\n"
    "LF): the table of tradeoffs as its cells, the data and cells pages field by field.\n"
    "Every message on standard error begins with \"zentrima-cli: \".\n"
    "\n"
    "Exit status: 0 success, 2 bad input (the reason on standard error), 1 other failure.\n";

QString quoted(const QString& text)
{
    return CCliInputs::quoted(text);
}

// How a message names an option: "-o" for the one-letter output option, "--name" otherwise.
QString shownName(const QString& name)
{
    return (name == QLatin1String("o") ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// The parser's own message quotes the argument it refuses; a huge one is cut as ours are.
QString parserError(const QString& text)
{
    const int open = text.indexOf(QLatin1Char('\''));
    const int close = text.lastIndexOf(QLatin1Char('\''));
    if (open < 0 || close <= open)
        return text;
    return text.left(open) + quoted(text.mid(open + 1, close - open - 1)) + text.mid(close + 1);
}

// Owns the option objects the parser refers to by name.
struct CParserSetup
{
    QCommandLineParser parser;
    std::vector<QCommandLineOption> inputOptions;
};

std::unique_ptr<CParserSetup> makeParser()
{
    auto setup = std::make_unique<CParserSetup>();
    QCommandLineParser& parser = setup->parser;
    parser.setApplicationDescription(
        QStringLiteral("Sample size and power of t tests, one-way ANOVA, the comparison of two "
                       "survival curves and of two proportions, as tables of tradeoffs."));
    parser.addPositionalArgument(QStringLiteral("GOAL"),
                                 QStringLiteral("sample (sample size of a future experiment) "
                                                "or power (power of a completed one)."));
    parser.addPositionalArgument(QStringLiteral("DESIGN"),
                                 QStringLiteral("The experimental design: %1.")
                                     .arg(CCliDesign::names(0).join(QStringLiteral(", "))));
    for (const CCliInputs::Option& input : CCliInputs::options())
        parser.addOption(QCommandLineOption(
            QString::fromLatin1(input.name), QString::fromLatin1(input.description),
            input.valueName != nullptr ? QString::fromLatin1(input.valueName) : QString()));
    for (const CValueOption& option : OutputOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(option.name),
                                            QString::fromLatin1(option.description),
                                            QString::fromLatin1(option.valueName)));
    parser.addOption(QCommandLineOption(
        QStringList{QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write to FILE instead of standard output (\"-\" is standard output)."),
        QStringLiteral("FILE")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("no-date"),
        QStringLiteral("Leave the date and time out of the text and HTML pages.")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("no-settings"),
        QStringLiteral("Ignore the settings file: the built-in lists of powers and Ns apply.")));
    parser.addHelpOption();
    parser.addVersionOption();
    return setup;
}

// The single value of a value option; giving one twice is a mistake, not an override.
bool singleValue(const QCommandLineParser& parser, const QString& name, QString& value)
{
    const QStringList values = parser.values(name);
    if (values.isEmpty())
        return false;
    if (values.size() > 1)
        throw CCliError(
            QStringLiteral("%1: given more than once").arg(shownName(name)).toStdString());
    value = values.front();
    return true;
}

} // namespace

QString CCliOptions::helpText()
{
    QString designs;
    QString examples;
    for (const CCliDesign& entry : CCliDesign::all()) {
        designs += QStringLiteral("  %1: %2\n")
                       .arg(entry.displayName(), QString::fromLatin1(entry.synopsis));
        examples += QStringLiteral("  zentrima-cli %1 %2\n")
                        .arg(entry.displayName(), QString::fromLatin1(entry.example));
    }
    const auto setup = makeParser();
    QString text = setup->parser.helpText();
    // The parser names the program after argv[0]; the help shows its real name.
    const int usageEnd = text.indexOf(QLatin1Char('\n'));
    text.replace(0, usageEnd,
                 QStringLiteral("Usage: %1 GOAL DESIGN [inputs] [options]").arg(ProgramName));
    // The parser lists one-letter options as "-r"; they are taken (and shown) as "--r" like
    // every other input. The column keeps its width: one padding space gives way to the dash.
    for (const CCliInputs::Option& input : CCliInputs::options())
        if (std::strlen(input.name) == 1 && input.valueName != nullptr)
            text.replace(QStringLiteral("  -%1 <%2> ").arg(input.name, input.valueName),
                         QStringLiteral("  --%1 <%2>").arg(input.name, input.valueName));
    return text + QString::fromLatin1(HelpEpilogue).arg(designs, examples);
}

QString CCliOptions::versionText()
{
    return QStringLiteral("%1 %2\n").arg(ProgramName, Version);
}

void CCliOptions::parse(const QStringList& arguments)
{
    const auto setup = makeParser();
    QCommandLineParser& parser = setup->parser;
    if (!parser.parse(arguments))
        throw CCliError(parserError(parser.errorText()).toStdString());
    if (parser.isSet(QStringLiteral("help"))) {
        helpRequested = true;
        return;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        versionRequested = true;
        return;
    }
    readGoalAndDesign(parser.positionalArguments());
    readInputs(parser);
    readSignificanceAndLists(parser);
    readEffect(parser);
    readOutput(parser);
    readSimulation(parser);
    readFooter(parser);
    checkDesignOptions();
}

void CCliOptions::readGoalAndDesign(const QStringList& positional)
{
    if (positional.size() < 2)
        throw CCliError("expected GOAL and DESIGN, for example: zentrima-cli sample unpaired "
                        "--sd 1 (see --help)");
    if (positional.size() > 2)
        throw CCliError(
            QStringLiteral("unexpected argument %1").arg(quoted(positional.at(2))).toStdString());
    const int goal = CCliDesign::goalCode(positional.at(0));
    if (goal < 0)
        throw CCliError(QStringLiteral("unknown goal %1; choose sample or power")
                            .arg(quoted(positional.at(0)))
                            .toStdString());
    design = CCliDesign::find(goal, positional.at(1));
    if (design == nullptr)
        throw CCliError(
            QStringLiteral("unknown design %1; choose %2")
                .arg(quoted(positional.at(1)), CCliDesign::names(goal).join(QStringLiteral(", ")))
                .toStdString());
}

void CCliOptions::readInputs(const QCommandLineParser& parser)
{
    for (const CCliInputs::Option& input : CCliInputs::options()) {
        const QString name = QString::fromLatin1(input.name);
        QString text;
        if (input.valueName == nullptr ? parser.isSet(name) : singleValue(parser, name, text))
            inputs.set(name, text);
    }
}

void CCliOptions::readSignificanceAndLists(const QCommandLineParser& parser)
{
    QString text;
    if (singleValue(parser, QStringLiteral("tails"), text)) {
        if (text != QLatin1String("1") && text != QLatin1String("2"))
            throw CCliError(
                QStringLiteral("--tails: %1 is not 1 or 2").arg(quoted(text)).toStdString());
        tails = text.toInt();
    }
    if (singleValue(parser, QStringLiteral("alpha"), alphaText) &&
        !CCliInputs::parseNumber(alphaText, alpha))
        throw CCliError(QStringLiteral("--alpha: %1 is not a finite number")
                            .arg(quoted(alphaText))
                            .toStdString());
    hasPowers = singleValue(parser, QStringLiteral("powers"), powers);
    hasNs = singleValue(parser, QStringLiteral("ns"), ns);
    noSettings = parser.isSet(QStringLiteral("no-settings"));
}

void CCliOptions::readOutput(const QCommandLineParser& parser)
{
    QString text;
    if (singleValue(parser, QStringLiteral("page"), text))
        page = static_cast<Page>(CCliInputs::choose(QStringLiteral("page"), text,
                                                    {{"tradeoff", static_cast<int>(Page::Tradeoff)},
                                                     {"report", static_cast<int>(Page::Report)},
                                                     {"data", static_cast<int>(Page::Data)},
                                                     {"cells", static_cast<int>(Page::Cells)}}));
    if (singleValue(parser, QStringLiteral("method"), text))
        exact = CCliInputs::choose(QStringLiteral("method"), text,
                                   {{"approximate", 0}, {"exact", 1}}) == 1;
    // Comma-separated values are text as far as the page writer is concerned.
    const int csvMode = -1;
    if (singleValue(parser, QStringLiteral("format"), text))
        writerMode = CCliInputs::choose(QStringLiteral("format"), text,
                                        {{"text", CHtmlWriter::ModeText},
                                         {"html", CHtmlWriter::ModeHtml},
                                         {"html-links", CHtmlWriter::ModeHtmlLinks},
                                         {"csv", csvMode}});
    csv = writerMode == csvMode;
    if (csv)
        writerMode = CHtmlWriter::ModeText;
    const bool hasSelect = singleValue(parser, QStringLiteral("select"), select);
    singleValue(parser, QStringLiteral("o"), outputPath);
    if (parser.isSet(QStringLiteral("o")) && outputPath.isEmpty())
        throw CCliError("-o: the file name is empty");
    // As in other command-line tools; a file named "-" is "./-".
    if (outputPath == QLatin1String("-"))
        outputPath.clear();

    if (page == Page::Report && !hasSelect && !hasEffect)
        throw CCliError("--page: report needs --select QUERY, for example --select \"n=3&pow=2\"");
    if (page != Page::Report && hasSelect)
        throw CCliError("--select: applies only to --page report");
    if (page == Page::Data && hasEffect)
        throw CCliError("--effect: applies to the tradeoff, report and cells pages");
    if ((page == Page::Data || page == Page::Cells) && writerMode != CHtmlWriter::ModeText)
        throw CCliError("--format: html and html-links apply only to the tradeoff and report "
                        "pages");
    if (page == Page::Report && csv)
        throw CCliError("--format: csv applies only to the tradeoff, data and cells pages");
}

void CCliOptions::readFooter(const QCommandLineParser& parser)
{
    footerDate = !parser.isSet(QStringLiteral("no-date"));
    const QString epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH");
    if (epoch.isEmpty())
        return;
    // Up to the last second of the year 9999, which every footer can still show.
    const long long LastSecond = 253402300799LL;
    bool isNumber = false;
    sourceDateEpoch = epoch.toLongLong(&isNumber);
    if (!isNumber || sourceDateEpoch < 0 || sourceDateEpoch > LastSecond || !epoch.at(0).isDigit())
        throw CCliError(QStringLiteral("SOURCE_DATE_EPOCH: %1 is not a whole number of seconds "
                                       "since 1970-01-01 00:00 UTC up to %2")
                            .arg(CCliInputs::quoted(epoch))
                            .arg(LastSecond)
                            .toStdString());
}

void CCliOptions::readEffect(const QCommandLineParser& parser)
{
    QString text;
    hasEffect = singleValue(parser, QStringLiteral("effect"), text);
    if (hasEffect && !CCliInputs::parseNumber(text, effect))
        throw CCliError(
            QStringLiteral("--effect: %1 is not a finite number").arg(quoted(text)).toStdString());
}

void CCliOptions::readSimulation(const QCommandLineParser& parser)
{
    QString text;
    const bool hasSimulate = singleValue(parser, QStringLiteral("simulate"), text);
    if (hasSimulate) {
        bool ok = false;
        simulate = text.toLong(&ok);
        if (!ok || simulate < 1 || simulate > MaxSimulated)
            throw CCliError(QStringLiteral("--simulate: %1 is not a whole number from 1 to "
                                           "10000000")
                                .arg(quoted(text))
                                .toStdString());
        if (page != Page::Report && page != Page::Cells)
            throw CCliError("--simulate: applies only to --page report and --page cells");
    }
    if (singleValue(parser, QStringLiteral("seed"), text)) {
        bool ok = false;
        seed = text.toULongLong(&ok);
        if (!ok)
            throw CCliError(QStringLiteral("--seed: %1 is not a whole number from 0 to "
                                           "18446744073709551615")
                                .arg(quoted(text))
                                .toStdString());
        if (!hasSimulate)
            throw CCliError("--seed: applies only with --simulate");
    }
}

void CCliOptions::checkDesignOptions()
{
    const QString chosen = design->displayName();
    const QStringList designInputs = design->inputNames();
    for (const QString& name : inputs.given())
        if (!designInputs.contains(name))
            throw CCliError(
                QStringLiteral("--%1: does not apply to %2").arg(name, chosen).toStdString());
    if (tails == 1 && design->twoTailedLevelsOnly)
        throw CCliError(QStringLiteral("--tails: 1 does not apply to %1: one-way ANOVA takes "
                                       "two-tailed significance levels only")
                            .arg(chosen)
                            .toStdString());
    if (hasNs && design->goal != 0)
        throw CCliError(QStringLiteral("--ns: does not apply to %1: a power calculation has no "
                                       "list of sample sizes")
                            .arg(chosen)
                            .toStdString());
}
