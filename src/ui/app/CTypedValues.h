#pragma once

#include <QString>

#include <map>

class QWidget;

/// What the user typed or picked in a view, apart from what its calculator holds: the texts
/// of its entry fields, the entries chosen in its lists and its checked buttons, each under
/// the field's object name (fields without a name are left out). An analysis window keeps
/// them when it leaves a form without storing it, and gives them to its duplicate.
class CTypedValues
{
public:
    static CTypedValues capture(const QWidget& view);
    /// Puts the values back into the fields of view that have the same names; the other
    /// fields stay as they are.
    void restore(QWidget& view) const;
    bool isEmpty() const { return m_texts.empty() && m_choices.empty() && m_checked.empty(); }

private:
    std::map<QString, QString> m_texts;
    std::map<QString, int> m_choices;
    std::map<QString, bool> m_checked;
};
