#include "ui/app/CMessageBoxSink.h"

#include "calc/StringTable.h"
#include "ui/common/UiStrings.h"

#include <QApplication>

void CMessageBoxSink::showMessage(const std::string& text, Icon icon)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox box(boxIcon(icon), uiString(IDS_APP_TITLE), QString::fromStdString(text),
                    QMessageBox::Ok, parent);
    box.exec();
}

QMessageBox::Icon CMessageBoxSink::boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Stop:
        return QMessageBox::Critical;
    case Icon::Warning:
        break;
    }
    return QMessageBox::Warning;
}
