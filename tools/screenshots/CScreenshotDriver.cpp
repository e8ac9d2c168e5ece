#include "screenshots/CScreenshotDriver.h"

#include "ui/app/CChildFrame.h"
#include "ui/app/CMainFrame.h"
#include "ui/result/CPagePrinter.h"
#include "ui/result/CResultView.h"
#include "ui/common/CStepView.h"
#include "ui/common/CommandIds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPixmap>
#include <QPrinter>
#include <QTextBrowser>
#include <QUrl>

namespace {

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

bool click(CStepView* view, const char* name)
{
    auto* button = view ? view->findChild<QAbstractButton*>(QString::fromLatin1(name)) : nullptr;
    if (!button)
        return false;
    button->click();
    settle();
    return true;
}

bool type(CStepView* view, const char* name, const QString& text)
{
    auto* field = view ? view->findChild<QLineEdit*>(QString::fromLatin1(name)) : nullptr;
    if (!field)
        return false;
    field->selectAll();
    field->insert(text);
    return true;
}

} // namespace

bool CScreenshotDriver::run(CMainFrame& frame, const QString& folder, QString& error)
{
    const QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        error = QStringLiteral("cannot make the folder ") + folder;
        return false;
    }
    frame.resize(960, 720);
    settle();
    CChildFrame* child = frame.activeChildFrame();
    if (!child) {
        error = QStringLiteral("no analysis window");
        return false;
    }
    auto shoot = [&](int step) {
        settle();
        if (child->currentStep() != step) {
            error = QStringLiteral("step %1 was not reached").arg(step);
            return false;
        }
        const QString path = dir.filePath(QStringLiteral("step%1.png").arg(step));
        if (!frame.grab().save(path)) {
            error = QStringLiteral("cannot write ") + path;
            return false;
        }
        return true;
    };

    if (!shoot(1))
        return false;
    click(child->currentView(), "1003"); // the paired design
    click(child->currentView(), "1");    // Continue
    if (!shoot(2))
        return false;
    type(child->currentView(), "1100", QStringLiteral("10"));
    type(child->currentView(), "1025", QStringLiteral("0.5"));
    if (!shoot(2))
        return false;
    click(child->currentView(), "1"); // Calculate
    if (!shoot(3))
        return false;
    if (auto* result = qobject_cast<CResultView*>(child->currentView()))
        result->followLink(QUrl(QStringLiteral("?n=3&pow=2")));
    if (!shoot(4))
        return false;
    // The report as it comes out of the printer, on A4 with the program's default margins.
    auto* report = qobject_cast<CResultView*>(child->currentView());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      CPagePrinter::DefaultMargins, QPageLayout::Millimeter));
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    printer.setOutputFileName(pdf);
    if (!report || !CPagePrinter::printTo(report->browser()->document(), printer)) {
        error = QStringLiteral("cannot print to ") + pdf;
        return false;
    }
    return true;
}
