#include "ui/result/CWordExport.h"

#include "platform/CFileSystem.h"
#include "platform/CMessageSink.h"
#include "ui/result/CPageDocument.h"
#include "platform/Platform.h"
#include "platform/PrivateFile.h"
#include "calc/StringTable.h"
#include "ui/common/UiStrings.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextDocumentWriter>

#include <cstdio>
#include <memory>

#include <sys/stat.h>

namespace {

const char kProgram[] = "soffice";

int g_documentNumber = 0;

void showMessage(unsigned int id)
{
    Platform::messages().showMessage(LoadString(id));
}

} // namespace

QString CWordExport::findWordProcessor(bool& executable)
{
    executable = true;
    const QString found = QStandardPaths::findExecutable(QLatin1String(kProgram));
    if (!found.isEmpty())
        return found;
    // A program that is there but may not be run is installed, only broken.
    executable = false;
    const QStringList folders =
        QString::fromLocal8Bit(qgetenv("PATH")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& folder : folders) {
        const QFileInfo candidate(QDir(folder).filePath(QLatin1String(kProgram)));
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return QString();
}

QString CWordExport::nextDocumentPath()
{
    const QString folder = QString::fromStdString(Platform::files().tempFolder());
    if (folder.isEmpty())
        return QString();
    // Any entry counts as taken, a dangling link as well: nothing is written through one.
    QString path;
    struct stat info
    {
    };
    do {
        path = folder + QStringLiteral("zentrima-word-%1.odt").arg(++g_documentNumber);
    } while (::lstat(QFile::encodeName(path).constData(), &info) == 0);
    return path;
}

bool CWordExport::writeDocument(QTextBrowser* browser, const QString& path)
{
    QTextCursor part = browser->textCursor();
    if (!part.hasSelection())
        part = CPageDocument::elementRange(browser->document(), QStringLiteral("ALL"));
    if (part.isNull() || !part.hasSelection()) {
        part = QTextCursor(browser->document());
        part.select(QTextCursor::Document);
    }
    const std::unique_ptr<QMimeData> data(CPageDocument::mimeDataWithoutLinks(part.selection()));
    QTextDocument document;
    document.setDefaultFont(browser->document()->defaultFont());
    document.setHtml(data->html());
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&bytes, QByteArrayLiteral("ODF"));
    if (!writer.write(&document))
        return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(
        OpenPrivateFile(QFile::encodeName(path).toStdString(), true), &std::fclose);
    const QByteArray& odf = bytes.data();
    if (!file || std::fwrite(odf.constData(), 1, static_cast<size_t>(odf.size()), file.get()) !=
                     static_cast<size_t>(odf.size()))
        return false;
    return std::fclose(file.release()) == 0;
}

bool CWordExport::exportView(QTextBrowser* browser)
{
    if (!browser)
        return false;
    bool executable = false;
    const QString program = findWordProcessor(executable);
    if (program.isEmpty()) {
        showMessage(IDS_WORD_NOT_INSTALLED);
        return false;
    }
    const QString path = nextDocumentPath();
    if (path.isEmpty()) {
        Platform::messages().showMessage(noPrivateFolderMessage().toStdString());
        return false;
    }
    if (!executable || !writeDocument(browser, path) ||
        !QProcess::startDetached(program,
                                 {QStringLiteral("--writer"), QStringLiteral("-n"), path})) {
        showMessage(IDS_WORD_LAUNCH_FAILED);
        return false;
    }
    return true;
}
