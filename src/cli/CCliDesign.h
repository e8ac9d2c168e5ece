#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class CCalculator;
class CCliInputs;

/// One goal and design that the command line offers. Adding a design is one entry in
/// all() and one input function.
struct CCliDesign
{
    /// Goal code: 0 sample size of a future experiment, 1 power of a completed one.
    int goal;
    /// The name on the command line, for example "one-sample".
    const char* name;
    /// Design code: 0 unpaired t, 1 paired t, 2 one-way ANOVA, 3 two survival curves,
    /// 4 two proportions, 5 one-sample t.
    int design;
    /// The design's inputs for the help text, in the order its input form saves them, for
    /// example "--sd X [--groups K]" ([...] marks an input with a default). Every option
    /// named here belongs to the design, and no other input option does.
    const char* synopsis;
    /// Hands the inputs to the calculator through its setters, in the order its input form
    /// saves them, so that the first message is the one the form would show. Throws
    /// CCliError for a missing or unreadable value and CUserException after a setter's
    /// message.
    void (*apply)(CCalculator& calc, const CCliInputs& inputs);
    /// The inputs of an example command line, for the help text.
    const char* example;
    /// True for one-way ANOVA, whose pages state no tails: one-tailed levels are refused.
    bool twoTailedLevelsOnly;

    /// The goal's command-line name: "sample" or "power".
    QString goalName() const;
    /// "sample anova", for messages.
    QString displayName() const;
    /// The input options (names without "--") that belong to this design: those of synopsis.
    QStringList inputNames() const;

    static const std::vector<CCliDesign>& all();
    /// The design of that goal and name; null when there is none.
    static const CCliDesign* find(int goal, const QString& name);
    /// The names offered for a goal, in table order.
    static QStringList names(int goal);
    /// The goal code of a command-line goal name; -1 when there is none.
    static int goalCode(const QString& name);
};
