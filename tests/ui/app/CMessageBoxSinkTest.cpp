#include "ui/app/CMessageBoxSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxSinkTest, ModalBoxWithTheProgramsTitleAndIcon)
{
    struct Case
    {
        CMessageSink::Icon icon;
        QMessageBox::Icon shown;
    };
    for (const Case& c : {Case{CMessageSink::Icon::Information, QMessageBox::Information},
                          Case{CMessageSink::Icon::Warning, QMessageBox::Warning},
                          Case{CMessageSink::Icon::Stop, QMessageBox::Critical}}) {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        // The box is modal: read it and close it from inside its own event loop.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(nullptr, box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->buttons().size();
            box->accept();
        });
        CMessageBoxSink sink;
        sink.showMessage("Line one\nline two", c.icon);
        EXPECT_EQ(QStringLiteral("Veldrine Zentrima 2.00"), title);
        EXPECT_EQ(QStringLiteral("Line one\nline two"), text);
        EXPECT_EQ(c.shown, icon);
        EXPECT_EQ(1, buttons);
    }
}

} // namespace
