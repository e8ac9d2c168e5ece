#include "CPagePrinter.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include <memory>

QPrinter& CPagePrinter::printer()
{
    static std::unique_ptr<QPrinter> shared;
    if (!shared)
        shared = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *shared;
}

void CPagePrinter::print(QTextDocument* document, QWidget* parent)
{
    if (!document || document->isEmpty())
        return;
    QPrintDialog dialog(&printer(), parent);
    if (dialog.exec() == QDialog::Accepted)
        printTo(document, printer());
}

void CPagePrinter::pageSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&printer(), parent);
    dialog.exec();
}

bool CPagePrinter::printTo(QTextDocument* document, QPrinter& target)
{
    if (!document || document->isEmpty() || !target.isValid())
        return false;
    // Printing lays the document out anew for the page; the screen keeps its own layout.
    document->print(&target);
    return target.printerState() != QPrinter::Error;
}
