#include "CPageExporter.h"

#include "CAnalysisState.h"
#include "CCalculator.h"
#include "CHtmlWriter.h"
#include "CMessageSink.h"
#include "Platform.h"

#include <QFileDialog>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

CPageExporter::PathChooser g_chooser;

const char kHtmlFilter[] = "HTML Document (*.htm)";
const char kTextFilter[] = "Plain Text (*.txt)";

void reportFileError(const std::string& path, int error)
{
    // Message boxes hold at most 255 characters of a system description.
    std::string reason = error != 0 ? std::strerror(error) : "Internal application error.";
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
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        reportFileError(path, errno);
        return false;
    }
    {
        CHtmlWriter writer(file, writerModeFor(QFile::decodeName(path.c_str())));
        if (step == 4)
            calculator.WriteReportForQuery(writer, nullptr);
        else
            calculator.WriteTradeoffPage(writer);
    }
    // Buffered writes fail late: a full disk shows at a write inside the page, the flush
    // or the close. Keep the first error's own code.
    int error = std::ferror(file) ? errno : 0;
    errno = 0;
    if (std::fflush(file) != 0 && error == 0)
        error = errno != 0 ? errno : EIO;
    bool failed = std::ferror(file) || error != 0;
    errno = 0;
    if (std::fclose(file) != 0 && !failed) {
        failed = true;
        error = errno;
    }
    if (failed)
        reportFileError(path, error);
    return !failed;
}
