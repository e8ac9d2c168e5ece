#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <utility>
#include <vector>

/// The design inputs given on the command line (--sd, --n1, --tabulate, --higher, ...), read
/// when a design's input function asks for them. Every refusal is a CCliError naming the
/// option.
class CCliInputs
{
public:
    /// One input option: its name without "--", the name of its value (null for a flag such
    /// as --higher, which takes none) and its help text.
    struct Option
    {
        const char* name;
        const char* valueName;
        const char* description;
    };
    /// Named choices of an option and their codes, for example {{"text", 1}, {"html", 0}}.
    using Choices = std::initializer_list<std::pair<const char*, int>>;
    /// Every input option of every design.
    static const std::vector<Option>& options();

    /// The largest value an input takes, as in the input forms, whose fields hold at most ten
    /// characters. Larger values would only overflow the formulas.
    static constexpr double LargestValue = 9999999999.0;

    /// Records the text of option name (without "--"); a flag's text is empty.
    void set(const QString& name, const QString& text);
    bool has(const QString& name) const;
    /// The names given, in the order of options().
    QStringList given() const;

    /// The value of a number option: a decimal number with "." as the decimal point (signs
    /// and exponents allowed), finite and at most LargestValue. Throws CCliError when the
    /// option is missing or its text is refused. Zero and negative values are returned: the
    /// calculator's setters judge them.
    double number(const QString& name) const;
    /// number(), or fallback when the option is not given.
    double numberOr(const QString& name, double fallback) const;
    /// A number() that must also be a whole number (a sample size).
    double wholeNumber(const QString& name) const;
    /// A wholeNumber() for a setter that takes an int: a value above the int range is refused
    /// here. One below it comes back as the smallest int, which every such setter refuses
    /// with its own message, as it does any value below 1.
    int integer(const QString& name) const;
    /// integer(), or fallback when the option is not given.
    int integerOr(const QString& name, int fallback) const;
    /// The code of the option's named choice; the first choice's code when the option is not
    /// given.
    int choice(const QString& name, Choices choices) const;

    /// The code of the named choice text of option name (without "--"); any other text is
    /// refused with a CCliError that lists the choices.
    static int choose(const QString& name, const QString& text, Choices choices);

    /// Reads text as number() does; false when it is not a finite decimal number (digits,
    /// at most one ".", an optional sign and exponent; no hexadecimal, "inf" or "nan").
    static bool parseNumber(const QString& text, double& value);

    /// The option (without "--") that number(), choice() and their kin read last; empty
    /// before the first. A calculator's refusal of the value just read names it.
    QString lastRead() const { return m_lastRead; }

    /// text in single quotes for a message, cut to its first MaxQuoted characters (and
    /// "...") so that a huge argument does not flood the terminal.
    static QString quoted(const QString& text);
    static constexpr int MaxQuoted = 60;

private:
    QMap<QString, QString> m_texts;
    mutable QString m_lastRead;
};
