#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

class CCalculator;
class CCliMessageSink;
class CCliOptions;
class CCliSettingsStore;
class CMessageSink;
class CSettingsStore;

/// Does what one zentrima-cli command line asks: reads the options, sets up a calculator
/// through its setters and writes the chosen page. Every message begins with
/// "zentrima-cli: " (a calculator's refusal also names the option it refuses) and goes to the
/// message sink; help, version and pages written to standard output go to out. The user's
/// settings are read, never written.
class CCliRunner
{
public:
    enum
    {
        ExitOk = 0,
        ExitFailure = 1,
        ExitBadInput = 2
    };

    /// userSettings holds the stored default lists; it is not read with --no-settings.
    CCliRunner(CSettingsStore& userSettings, CMessageSink& messages, FILE* out);

    /// Runs arguments (the first is the program name) and returns the exit status.
    int run(const QStringList& arguments);

    /// The smallest two-tailed-equivalent significance level accepted.
    static constexpr double SmallestLevel = 0.001;

private:
    int runChecked(const QStringList& arguments);
    /// Writes the text of --help or --version to the output; throws CCliError (exit 1) when
    /// it cannot be written.
    void writeText(const QString& text) const;
    /// Hands the inputs, level, method and lists to the calculator, telling refusals which
    /// option each stage's refusal belongs to.
    static void configure(CCalculator& calc, CCliOptions& options, CCliMessageSink& refusals);
    // The direct answers of --effect; selects the first answer for a report without --select.
    static void answer(CCalculator& calc, CCliOptions& options);
    /// Selects the cell of --select; throws CCliError when it names no cell or a failed one.
    static void checkSelection(CCalculator& calc, const CCliOptions& options);
    /// Writes the chosen page to -o (or the output) whole, or throws CCliError.
    void writePage(CCalculator& calc, const CCliOptions& options) const;
    /// Hands the chosen level to the calculator; throws CCliError for a level it must not
    /// take.
    static void setLevel(CCalculator& calc, const CCliOptions& options);
    /// Says on the message sink which stored lists were refused (the built-in ones apply),
    /// except where the command line gives its own list.
    void reportRefusedSettings(const CCliSettingsStore& store, const CCliOptions& options) const;

    CSettingsStore& m_userSettings;
    CMessageSink& m_messages;
    FILE* m_out;
};
