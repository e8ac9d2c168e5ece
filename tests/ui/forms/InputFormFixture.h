#pragma once

#include "analysis/CAnalysisState.h"
#include "ui/common/CAppFonts.h"
#include "ui/forms/CFormFactory.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/CStepForm.h"
#include "ui/support/CUiTestPlatform.h"

#include <QComboBox>
#include <QPushButton>
#include <QStringList>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

/// The proportion setters' message, shared by the survival and two-proportion forms.
inline const char* const ProportionMessage =
    "Proportion must be between 0 and 1.\nEnter correct value in the field and try again.";

/// One analysis whose goal and design are set directly (the step-1 form never offers the
/// one-way ANOVA) with the step-2 form of that pair attached and loaded, as the window does.
class InputFormFixture
{
public:
    InputFormFixture(int goal, int design)
    {
        state.setGoalAndDesign(goal, design);
        reopen();
    }

    /// Step 2 shown again: a new form on the same analysis.
    void reopen()
    {
        form.reset(createInputForm(state.goal(), state.design()));
        ASSERT_NE(nullptr, form);
        form->attach(&state);
        activate(form.get());
        form->loadData(2);
    }

    template <class Calc> Calc* calc() const
    {
        return dynamic_cast<Calc*>(state.currentCalculator());
    }

    CNumberEdit* field(int id) const { return form->findChild<CNumberEdit*>(QString::number(id)); }
    QComboBox* list(int id) const { return form->findChild<QComboBox*>(QString::number(id)); }
    QString text(int id) const { return field(id) ? field(id)->text() : QString(); }
    void type(int id, const char* text) const { field(id)->setText(QString::fromLatin1(text)); }
    bool focused(int id) const { return field(id) && field(id)->hasFocus(); }
    QString selected(int listId) const { return list(listId)->currentText(); }

    QStringList items(int listId) const
    {
        QStringList texts;
        for (int i = 0; i < list(listId)->count(); ++i)
            texts << list(listId)->itemText(i);
        return texts;
    }

    void choose(int listId, const char* item) const
    {
        const int index = list(listId)->findText(QString::fromLatin1(item));
        ASSERT_GE(index, 0) << item;
        list(listId)->setCurrentIndex(index);
    }

    /// The help topic that a click on "Help me decide" asks for; -1 when none is asked for.
    int helpTopic() const
    {
        int asked = -1;
        CStepForm::setHelpHandler([&asked](int topic) { asked = topic; });
        if (auto* button = form->findChild<QPushButton*>(QStringLiteral("1078")))
            button->click();
        CStepForm::setHelpHandler(nullptr);
        return asked;
    }

    /// Each message the save showed since the last call, oldest first.
    std::vector<std::string> takeMessages()
    {
        std::vector<std::string> shown(platform.messages.messages().begin() + m_seen,
                                       platform.messages.messages().end());
        m_seen = platform.messages.messages().size();
        return shown;
    }

    /// Every id of the font lists names a control of the form that has its font.
    void expectFonts(std::initializer_list<int> headingIds,
                     std::initializer_list<int> bodyIds) const
    {
        for (int id : headingIds) {
            QWidget* control = form->control(id);
            ASSERT_NE(nullptr, control) << id;
            EXPECT_EQ(CAppFonts::heading(), control->font()) << id;
        }
        for (int id : bodyIds) {
            QWidget* control = form->control(id);
            ASSERT_NE(nullptr, control) << id;
            EXPECT_EQ(CAppFonts::body(), control->font()) << id;
        }
    }

    CUiTestPlatform platform;
    CAnalysisState state;
    std::unique_ptr<CStepForm> form;

private:
    std::size_t m_seen = 0;
};
