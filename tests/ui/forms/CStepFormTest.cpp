#include "analysis/CAnalysisState.h"
#include "ui/dialogs/CEditPowersDialog.h"
#include "ui/dialogs/CEditPowersNsDialog.h"
#include "ui/forms/CFormFactory.h"
#include "ui/dialogs/CListEdit.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/CStepForm.h"
#include "ui/support/CUiTestPlatform.h"
#include "ui/common/CommandIds.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class StepFormTest : public ::testing::Test
{
protected:
    void open(int goal, int design)
    {
        state.setGoalAndDesign(goal, design);
        form.reset(createInputForm(goal, design));
        form->attach(&state);
        activate(form.get());
        form->loadData(2);
    }
    CNumberEdit* field(int id) const { return form->findChild<CNumberEdit*>(QString::number(id)); }
    bool enabled(int command) const
    {
        bool on = false;
        EXPECT_TRUE(form->commandEnabled(command, on)) << command;
        return on;
    }

    CUiTestPlatform platform;
    CAnalysisState state;
    std::unique_ptr<CStepForm> form;
};

} // namespace

TEST_F(StepFormTest, CopyPutsExactlyTheSelectionOnTheClipboard)
{
    open(0, 0);
    CNumberEdit* sd = field(1100);
    sd->setText(QStringLiteral("12345"));
    sd->setFocus();
    sd->setSelection(1, 3);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    ASSERT_TRUE(enabled(ID_EDIT_COPY));
    EXPECT_TRUE(form->handleCommand(ID_EDIT_COPY));
    EXPECT_EQ(QStringLiteral("234"), QApplication::clipboard()->text());
    EXPECT_EQ(QStringLiteral("12345"), sd->text());

    EXPECT_TRUE(form->handleCommand(ID_EDIT_CUT));
    EXPECT_EQ(QStringLiteral("15"), sd->text());
    EXPECT_EQ(QStringLiteral("234"), QApplication::clipboard()->text());
    EXPECT_FALSE(enabled(ID_EDIT_COPY)) << "nothing is selected after the cut";
    EXPECT_FALSE(enabled(ID_EDIT_CLEAR));

    ASSERT_TRUE(enabled(ID_EDIT_UNDO));
    form->handleCommand(ID_EDIT_UNDO);
    EXPECT_EQ(QStringLiteral("12345"), sd->text());
}

TEST_F(StepFormTest, PasteGoesThroughTheFieldsFilter)
{
    open(0, 0);
    CNumberEdit* sd = field(1100);
    sd->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("-5"));
    ASSERT_TRUE(enabled(ID_EDIT_PASTE));
    form->handleCommand(ID_EDIT_PASTE);
    EXPECT_EQ(QString(), sd->text());

    QApplication::clipboard()->setText(QStringLiteral(" 7.25 mm"));
    form->handleCommand(ID_EDIT_PASTE);
    EXPECT_EQ(QStringLiteral("7.25"), sd->text());

    sd->setSelection(0, 1);
    ASSERT_TRUE(enabled(ID_EDIT_CLEAR));
    form->handleCommand(ID_EDIT_CLEAR);
    EXPECT_EQ(QStringLiteral(".25"), sd->text());

    QApplication::clipboard()->clear();
    EXPECT_FALSE(enabled(ID_EDIT_PASTE));
}

TEST_F(StepFormTest, EditCommandsNeedAFocusedField)
{
    open(0, 0);
    form->findChild<QPushButton*>(QStringLiteral("1"))->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("5"));
    EXPECT_FALSE(enabled(ID_EDIT_PASTE));
    EXPECT_FALSE(enabled(ID_EDIT_COPY));
    EXPECT_FALSE(enabled(ID_EDIT_UNDO));
    form->handleCommand(ID_EDIT_PASTE);
    EXPECT_TRUE(field(1100)->text().isEmpty());
    bool on = true;
    EXPECT_FALSE(form->commandEnabled(ID_STEP_3, on)) << "not the form's to decide";
}

TEST_F(StepFormTest, CalculateAndReturnAskForStepThree)
{
    open(1, 1);
    QSignalSpy spy(form.get(), &CStepView::commandRequested);
    form->findChild<QPushButton*>(QStringLiteral("1"))->click();
    field(1100)->setFocus();
    QTest::keyClick(field(1100), Qt::Key_Return);
    ASSERT_EQ(2, spy.count());
    EXPECT_EQ(ID_STEP_3, spy.at(0).at(0).toInt());
    EXPECT_EQ(ID_STEP_3, spy.at(1).at(0).toInt());
    EXPECT_TRUE(platform.messages.messages().empty()) << "the button validates nothing";
}

TEST_F(StepFormTest, HelpButtonsAskForTheirTopics)
{
    std::vector<int> topics;
    CStepForm::setHelpHandler([&topics](int topic) { topics.push_back(topic); });
    const std::pair<int, int> sampleForms[] = {{0, 1830}, {1, 1480}, {5, 1510}};
    for (const auto& sampleForm : sampleForms) {
        std::unique_ptr<CStepForm> f(createInputForm(0, sampleForm.first));
        f->findChild<QPushButton*>(QStringLiteral("1078"))->click();
        EXPECT_EQ(sampleForm.second, topics.back());
    }
    for (int design : {0, 1, 5}) {
        std::unique_ptr<CStepForm> f(createInputForm(1, design));
        EXPECT_EQ(nullptr, f->findChild<QPushButton*>(QStringLiteral("1078")));
        EXPECT_NE(nullptr, f->findChild<QPushButton*>(QStringLiteral("1020")));
    }
    CStepForm::setHelpHandler(nullptr);
    EXPECT_EQ(3u, topics.size());
}

TEST_F(StepFormTest, ListButtonsOpenTheDialogOnTheFormsCalculator)
{
    const struct
    {
        int goal;
        const char* button;
        bool withNs;
    } cases[] = {{0, "1056", true}, {1, "1020", false}};
    for (const auto& c : cases) {
        open(c.goal, 0);
        QString powers;
        bool ns = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CEditPowersDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(nullptr, dialog);
            powers = dialog->powersField()->text();
            ns = qobject_cast<CEditPowersNsDialog*>(dialog) != nullptr;
            dialog->reject();
        });
        form->findChild<QPushButton*>(QString::fromLatin1(c.button))->click();
        EXPECT_EQ(c.withNs, ns);
        EXPECT_EQ(c.withNs ? QStringLiteral("99,95,90,80,50")
                           : QStringLiteral("99,95,90,85,80,75,70,60,50,40,30,20,10"),
                  powers);
    }
}
