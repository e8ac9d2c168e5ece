#pragma once

#include <QString>

/// One explanation paragraph from a text and its continuation (some explanations of the forms
/// are kept as two texts, the second going on with the first's sentence). They are shown as
/// one paragraph that wraps freely, joined by a space unless the first already ends in one.
inline QString continuedText(const QString& first, const QString& second)
{
    return first.endsWith(QLatin1Char(' ')) ? first + second : first + QLatin1Char(' ') + second;
}
