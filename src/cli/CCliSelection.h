#pragma once

#include <QString>

class CCalculator;

/// The cell that --select names, in one of two forms: the positions of the table's links
/// ("n=7&pow=3", "pow=4", counting from 0), or the values as the lists show them
/// ("n=10,power=80" for a sample size table, "power=80" for a power table).
class CCliSelection
{
public:
    /// The link query of the cell that text names: text itself in the position form, the
    /// positions of the values in the value form. Throws CCliError for a value form that is
    /// incomplete or names a value the lists do not hold; the message names the value and
    /// lists the ones there are.
    static QString query(const CCalculator& calc, bool sampleGoal, const QString& text);

    /// True when text is in the value form: one of its comma-separated parts is "power=...".
    static bool isValueForm(const QString& text);

private:
    static int powerIndex(const CCalculator& calc, const QString& value);
    static int nIndex(const CCalculator& calc, const QString& value);
};
