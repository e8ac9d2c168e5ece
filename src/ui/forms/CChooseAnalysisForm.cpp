#include "ui/forms/CChooseAnalysisForm.h"

#include "analysis/CAnalysisState.h"
#include "calc/AnalysisKind.h"
#include "ui/common/CAppFonts.h"
#include "ui/common/CommandIds.h"
#include "ui/forms/ControlIds.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

// The picture lives in the widgets library's resources, which a static link would
// otherwise drop.
static void registerResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(forms);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {

QLabel* makeText(QWidget* parent, int id, const QString& text, const QFont& font)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::number(id));
    label->setWordWrap(true);
    label->setFont(font);
    return label;
}

QRadioButton* makeRadio(QWidget* parent, QButtonGroup* group, int id, int code, const QString& text)
{
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(QString::number(id));
    radio->setFont(CAppFonts::heading());
    group->addButton(radio, code);
    return radio;
}

} // namespace

CChooseAnalysisForm::CChooseAnalysisForm(QWidget* parent)
    : CStepForm(153, ID_STEP_2, parent), m_goals(new QButtonGroup(this)),
      m_designs(new QButtonGroup(this))
{
    registerResources();
    setDesignWidth(680);
    column()->setContentsMargins(20, 10, 20, 12);
    column()->addWidget(createLogo(), 0, Qt::AlignLeft | Qt::AlignTop);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(24);
    column()->addLayout(columns);
    columns->addLayout(createGoalColumn(), 3);
    columns->addLayout(createDesignColumn(), 2);
    column()->addStretch(1);
    column()->addLayout(createBottomRow());
    connect(m_goals, &QButtonGroup::idClicked, this, &CChooseAnalysisForm::onGoalClicked);
}

QLabel* CChooseAnalysisForm::createLogo()
{
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/images/logo.png")));
    logo->setFixedSize(270, 80);
    logo->setAttribute(Qt::WA_TranslucentBackground);
    return logo;
}

QVBoxLayout* CChooseAnalysisForm::createGoalColumn()
{
    auto* goal = new QVBoxLayout;
    goal->addWidget(makeText(this, 1008, QStringLiteral("What is your goal?"), CAppFonts::title()));
    goal->addWidget(makeRadio(this, m_goals, 1000, static_cast<int>(Goal::SampleSize),
                              QStringLiteral("Choose sample size for a future experiment")));
    goal->addWidget(makeText(
        this, 1013,
        QStringLiteral("How many subjects do you need? It depends on how large a difference "
                       "you are looking for, how much your data varies, and how willing you "
                       "are to risk reaching an incorrect conclusion. This calculator helps "
                       "you view the tradeoffs."),
        CAppFonts::body()));
    goal->addSpacing(10);
    goal->addWidget(makeRadio(this, m_goals, 1001, static_cast<int>(Goal::Power),
                              QStringLiteral("Determine power of a completed experiment")));
    goal->addWidget(makeText(
        this, 1014,
        QStringLiteral("Just because a study's results are \"not statistically significant\" "
                       "doesn't mean that the treatment was ineffective. It is possible that "
                       "the study missed a small effect due to small sample size. "),
        CAppFonts::body()));
    goal->addWidget(makeText(this, 1015,
                             QStringLiteral("This calculator computes the power of a test to "
                                            "detect various hypothetical differences."),
                             CAppFonts::body()));
    goal->addStretch(1);
    return goal;
}

QVBoxLayout* CChooseAnalysisForm::createDesignColumn()
{
    // Top to bottom as the user sees them; the ANOVA button stays hidden below the others.
    const struct
    {
        int id;
        Design design;
        const char* text;
    } designs[] = {
        {1002, Design::Unpaired, "Compare two means\n(unpaired t test)"},
        {1003, Design::Paired, "Compare two paired means\n(paired t test)"},
        {1005, Design::Survival, "Compare two survival curves\n(logrank test)"},
        {1006, Design::Proportions, "Compare two proportions\n(chi-square)"},
        {1007, Design::OneSample, "Compare a mean with a hypothetical\nvalue (one-sample t test)"},
        {1004, Design::Anova, "Compare three or more means\n(one-way ANOVA)"},
    };
    auto* column = new QVBoxLayout;
    column->addWidget(
        makeText(this, 1009, QStringLiteral("Experimental design:"), CAppFonts::title()));
    for (const auto& d : designs) {
        QRadioButton* radio = makeRadio(this, m_designs, d.id, static_cast<int>(d.design),
                                        QString::fromLatin1(d.text));
        if (d.design == Design::Anova)
            radio->setVisible(false);
        column->addWidget(radio);
    }
    column->addStretch(1);
    return column;
}

QHBoxLayout* CChooseAnalysisForm::createBottomRow()
{
    auto* bottom = new QHBoxLayout;
    auto* learn =
        new QPushButton(QStringLiteral("Master the concepts of power and sample size"), this);
    learn->setObjectName(QString::number(ControlId::HelpButton));
    learn->setAutoDefault(false);
    connect(learn, &QPushButton::clicked, this, [] { requestHelp(HelpContents); });
    bottom->addWidget(learn);
    bottom->addStretch(1);
    QPushButton* next = addCommandButton(1, QStringLiteral("Continue"));
    next->setDefault(true);
    bottom->addWidget(next);
    return bottom;
}

void CChooseAnalysisForm::loadData(int)
{
    CAnalysisState* state = analysisState();
    if (!state)
        return;
    if (QAbstractButton* goal = m_goals->button(state->goal()))
        goal->setChecked(true);
    if (QAbstractButton* design = m_designs->button(state->design()))
        design->setChecked(true);
}

bool CChooseAnalysisForm::saveData()
{
    CAnalysisState* state = analysisState();
    if (!state)
        return true;
    const int goal = m_goals->checkedId();
    const int design = m_designs->checkedId();
    state->setGoalAndDesign(goal >= 0 ? goal : state->goal(),
                            design >= 0 ? design : state->design());
    return true;
}

void CChooseAnalysisForm::onGoalClicked(int goal)
{
    CAnalysisState* state = analysisState();
    if (!state)
        return;
    state->setGoalAndDesign(goal, state->design());
    emit goalChanged();
}
