#include "ui/result/CPageExporter.h"

#include "analysis/CAnalysisState.h"
#include "calc/CCalculator.h"
#include "report/CHtmlWriter.h"
#include "platform/CMessageSink.h"
#include "platform/COutputFile.h"
#include "platform/Platform.h"

#include <QFileDialog>
#include <QFileInfo>

#include <cstring>

namespace {

CPageExporter::PathChooser g_chooser;

const char kHtmlFilter[] = "HTML Document (*.htm)";
const char kTextFilter[] = "Plain Text (*.txt)";

void reportFileError(const std::string& path, const COutputFile& output)
{
    // Message boxes hold at most 255 characters of a system description.
    std::string reason =
        output.errorNumber() != 0 ? output.reason() : "Internal application error.";
    if (reason.size() > 255)
        reason.resize(255);
    // The file is named: the reason alone does not say which path was refused.
    Platform::messages().showMessage(CPageExporter::exportErrorText(path, reason),
                                     CMessageSink::Icon::Stop);
}

} // namespace

void CPageExporter::setPathChooser(PathChooser chooser)
{
    g_chooser = std::move(chooser);
}

int CPageExporter::writerModeFor(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix.startsWith(QLatin1String("htm"), Qt::CaseInsensitive) ? CHtmlWriter::ModeHtml
                                                                        : CHtmlWriter::ModeText;
}

std::string CPageExporter::exportErrorText(const std::string& path, const std::string& reason)
{
    return "Cannot export to \"" + path + "\":\n" + reason + ".";
}

QString CPageExporter::askForPath(QWidget* parent)
{
    if (g_chooser)
        return g_chooser(parent);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QLatin1String(kHtmlFilter), QLatin1String(kTextFilter)});
    dialog.setDefaultSuffix(QStringLiteral("htm"));
    dialog.selectFile(QStringLiteral("untitled"));
    // A name typed without extension takes the one of the filter shown.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        dialog.setDefaultSuffix(f == QLatin1String(kTextFilter) ? QStringLiteral("txt")
                                                                : QStringLiteral("htm"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void CPageExporter::exportPage(CAnalysisState* state, int step, QWidget* parent)
{
    if (!state || !state->currentCalculator())
        return;
    const QString path = askForPath(parent);
    if (path.isEmpty())
        return;
    // The dialog may have run events; take the calculator only now.
    CCalculator* calculator = state->currentCalculator();
    if (calculator)
        writePage(*calculator, step, QFile::encodeName(path).toStdString());
}

bool CPageExporter::writePage(CCalculator& calculator, int step, const std::string& path)
{
    // The page is written in full beside the file and only then takes its place, so a full
    // disk or a failed write never costs the file that was there.
    COutputFile output;
    std::string error;
    if (!output.open(path, nullptr, error)) {
        reportFileError(path, output);
        return false;
    }
    {
        CHtmlWriter writer(output.stream(), writerModeFor(QFile::decodeName(path.c_str())));
        if (step == 4)
            calculator.WriteReportForQuery(writer, nullptr);
        else
            calculator.WriteTradeoffPage(writer);
    }
    if (!output.commit(error)) {
        reportFileError(path, output);
        return false;
    }
    return true;
}
