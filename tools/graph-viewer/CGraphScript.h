#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// A graph script as the calculator writes it: one command a line, the table between the
/// lines "<Data>" and "</Data>". The commands read here are SetScriptDialogTitle, SetPath,
/// Open, SetTitle and SetAxisTitle; Goto, DeleteAllDataSets, InsertData and
/// CloseScriptDialog only order the work and need nothing of this viewer. Any other
/// command is listed in ignored.
class CGraphScript
{
public:
    /// The script path in a command-line argument: "@" and the path, with or without double
    /// quotes around it. An argument without "@" is the path itself.
    static QString pathFromArgument(const QString& argument);

    /// Reads the script text (UTF-8, lines ending in "\n" or "\r\n"). False, with the
    /// reason in error, when it holds no data block or a data block does not end.
    bool parse(const QByteArray& text, QString* error);

    /// The template the script opens, resolved against the SetPath folder; empty when the
    /// script opens none.
    QString templatePath() const;

    QString dialogTitle;
    QString folder;
    QString templateName;
    QString title;
    QString xTitle;
    QString yTitle;
    /// The lines of the last data block, each ending in "\n".
    QString data;
    QStringList ignored;
};
