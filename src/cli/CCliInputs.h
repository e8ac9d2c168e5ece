#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <vector>

/// The design inputs given on the command line (--sd, --n1, ...), read as numbers when a
/// design's input function asks for them. Every refusal is a CCliError naming the option.
class CCliInputs
{
public:
    /// One input option: its name without "--", the name of its value and its help text.
    struct Option
    {
        const char* name;
        const char* valueName;
        const char* description;
    };
    /// Every input option of every design.
    static const std::vector<Option>& options();

    /// The largest value an input takes, as in the input forms, whose fields hold at most ten
    /// characters. Larger values would only overflow the formulas.
    static constexpr double LargestValue = 9999999999.0;

    /// Records the text of option name (without "--").
    void set(const QString& name, const QString& text);
    bool has(const QString& name) const;
    /// The names given, in the order of options().
    QStringList given() const;

    /// The value of a number option: a decimal number with "." as the decimal point (signs
    /// and exponents allowed), finite and at most LargestValue. Throws CCliError when the
    /// option is missing or its text is refused. Zero and negative values are returned: the
    /// calculator's setters judge them.
    double number(const QString& name) const;
    /// A number() that must also be a whole number (a sample size).
    double wholeNumber(const QString& name) const;

    /// Reads text as number() does; false when it is not a finite decimal number.
    static bool parseNumber(const QString& text, double& value);

private:
    QMap<QString, QString> m_texts;
};
