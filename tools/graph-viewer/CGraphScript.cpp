#include "graph-viewer/CGraphScript.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The text of a command's argument: what stands between the first and the last double
// quote, or the whole argument when it is not quoted.
QString argumentText(const QString& argument)
{
    const QString text = argument.trimmed();
    if (!text.startsWith(QLatin1Char('"')))
        return text;
    const int close = text.lastIndexOf(QLatin1Char('"'));
    return close > 0 ? text.mid(1, close - 1) : text.mid(1);
}

} // namespace

QString CGraphScript::pathFromArgument(const QString& argument)
{
    if (!argument.startsWith(QLatin1Char('@')))
        return argument;
    QString path = argument.mid(1);
    if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
        path = path.mid(1, path.size() - 2);
    return path;
}

bool CGraphScript::parse(const QByteArray& text, QString* error)
{
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    bool inData = false;
    bool sawData = false;
    QString block;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (inData) {
            if (line.trimmed() == QLatin1String("</Data>")) {
                inData = false;
                data = block;
            } else {
                block += line + QLatin1Char('\n');
            }
            continue;
        }
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        const int blank = trimmed.indexOf(QLatin1Char(' '));
        const QString command = blank < 0 ? trimmed : trimmed.left(blank);
        const QString rest = blank < 0 ? QString() : trimmed.mid(blank + 1);
        if (command == QLatin1String("<Data>")) {
            inData = sawData = true;
            block.clear();
        } else if (command == QLatin1String("SetScriptDialogTitle")) {
            dialogTitle = argumentText(rest);
        } else if (command == QLatin1String("SetPath")) {
            folder = rest.trimmed();
        } else if (command == QLatin1String("Open")) {
            templateName = argumentText(rest);
        } else if (command == QLatin1String("SetTitle")) {
            title = argumentText(rest);
        } else if (command == QLatin1String("SetAxisTitle")) {
            const QString axis = rest.left(1).toUpper();
            if (axis == QLatin1String("X"))
                xTitle = argumentText(rest.mid(1));
            else if (axis == QLatin1String("Y"))
                yTitle = argumentText(rest.mid(1));
            else
                ignored << trimmed;
        } else if (command == QLatin1String("DeleteAllDataSets")) {
            data.clear();
        } else if (command != QLatin1String("Goto") && command != QLatin1String("InsertData") &&
                   command != QLatin1String("CloseScriptDialog")) {
            ignored << trimmed;
        }
    }
    if (inData) {
        *error = QStringLiteral("The data block of the script does not end.");
        return false;
    }
    if (!sawData) {
        *error = QStringLiteral("The script holds no data.");
        return false;
    }
    return true;
}

QString CGraphScript::templatePath() const
{
    if (templateName.isEmpty())
        return QString();
    if (QFileInfo(templateName).isAbsolute() || folder.isEmpty())
        return templateName;
    return QDir(folder).filePath(templateName);
}
