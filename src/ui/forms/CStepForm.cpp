#include "ui/forms/CStepForm.h"

#include "analysis/CAnalysisState.h"
#include "calc/CCalculator.h"
#include "calc/CalculatorFactory.h"
#include "platform/CUserException.h"
#include "ui/common/CAppFonts.h"
#include "ui/common/CommandIds.h"
#include "ui/common/ExactDistributions.h"
#include "ui/dialogs/CEditPowersDialog.h"
#include "ui/dialogs/CEditPowersNsDialog.h"
#include "ui/common/CFilteredEdit.h"
#include "ui/forms/CNumberEdit.h"
#include "ui/forms/CaptionedField.h"
#include "ui/forms/ControlIds.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr int AlphaListId = ControlId::AlphaList;
constexpr int DefaultButtonId = ControlId::DefaultButton;
constexpr int HelpButtonId = ControlId::HelpButton;
constexpr int EditPowersNsId = ControlId::EditPowersNs;
constexpr int EditPowersId = ControlId::EditPowers;

std::function<void(int)>& helpHandler()
{
    static std::function<void(int)> handler;
    return handler;
}

QString idName(int id)
{
    return QString::number(id);
}

} // namespace

const CStepForm::SignificanceLevel CStepForm::DefaultSignificance[] = {
    {"0.01, two-tailed", 0.01, true},
    {"0.01, one-tailed", 0.02, false},
    {"0.05, two-tailed (standard)", 0.05, true},
    {"0.05, one-tailed", 0.10, false},
    {"0.10, two-tailed", 0.10, true},
    {"0.10, one-tailed", 0.20, false},
    {nullptr, 0, false},
};

const CStepForm::SignificanceLevel CStepForm::AnovaSignificance[] = {
    {"0.01", 0.01, true},
    {"0.05 (standard)", 0.05, true},
    {"0.10", 0.10, true},
    {nullptr, 0, false},
};

const char* const CStepForm::SampleAlphaText =
    "Sample size depends on the significance level (alpha) you pick. You'll need more subjects "
    "if you pick a smaller significance level. Most scientists choose a significance level of "
    "0.05, two-tailed.";

const char* const CStepForm::PowerAlphaText =
    "Power depends on the significance level (alpha) you pick. You'll get less power if you "
    "pick a smaller significance level. Most scientists choose a significance level of 0.05, "
    "two-tailed.";

void CStepForm::setHelpHandler(std::function<void(int topic)> handler)
{
    helpHandler() = std::move(handler);
}

void CStepForm::requestHelp(int topic)
{
    if (helpHandler())
        helpHandler()(topic);
}

CStepForm::CStepForm(unsigned int templateId, int nextStepCommand, QWidget* parent)
    : CStepView(parent), m_templateId(templateId), m_nextStepCommand(nextStepCommand),
      m_column(new QVBoxLayout(this))
{
    m_column->setContentsMargins(20, 12, 20, 12);
}

QWidget* CStepForm::control(int id) const
{
    return findChild<QWidget*>(idName(id));
}

QSize CStepForm::minimumSizeHint() const
{
    const int width = qMax(m_designWidth, m_column->minimumSize().width());
    const int height = m_column->hasHeightForWidth() ? m_column->heightForWidth(width)
                                                     : m_column->minimumSize().height();
    return QSize(width, qMax(height, m_column->minimumSize().height()));
}

// ---- data exchange

CCalculator* CStepForm::findOrCreateCalculator()
{
    CAnalysisState* state = analysisState();
    if (!state)
        return nullptr;
    if (CCalculator* current = state->currentCalculator())
        return current;
    std::unique_ptr<CCalculator> created(CreateCalculator(state->goal(), state->design()));
    if (created)
        created->SetMethod(StoredCalcMethod());
    if (created && state->addCalculator(created.get()))
        created.release();
    return state->currentCalculator();
}

void CStepForm::loadData(int)
{
    m_calculator = findOrCreateCalculator();
    if (!m_calculator)
        return;
    exchangeLoad();
    loadSignificance();
}

bool CStepForm::saveData()
{
    if (!analysisState())
        return true;
    m_calculator = findOrCreateCalculator();
    if (!m_calculator)
        return false;
    m_exchangeField = nullptr;
    try {
        exchangeSave();
        saveSignificance();
    } catch (const CUserException&) {
        if (QWidget* field = refusedField()) {
            field->setFocus(Qt::OtherFocusReason);
            if (auto* edit = qobject_cast<QLineEdit*>(field))
                edit->selectAll();
        }
        return false;
    }
    return true;
}

QWidget* CStepForm::firstNotStored(std::initializer_list<std::pair<CNumberEdit*, double>> fields)
{
    for (const auto& field : fields) {
        if (field.first->readValue() != field.second)
            return field.first;
    }
    return nullptr;
}

double CStepForm::readField(CNumberEdit* field)
{
    m_exchangeField = field;
    return field->readValue();
}

void CStepForm::setSignificanceTable(const SignificanceLevel* table)
{
    m_significance = table;
    fillSignificanceList();
}

void CStepForm::fillSignificanceList()
{
    auto* list = findChild<QComboBox*>(idName(AlphaListId));
    if (!list)
        return;
    list->clear();
    for (int i = 0; m_significance && m_significance[i].label; ++i)
        list->addItem(QString::fromLatin1(m_significance[i].label), i);
    list->setMaxVisibleItems(qMax(1, list->count()));
    list->setCurrentIndex(-1);
}

void CStepForm::loadSignificance()
{
    auto* list = findChild<QComboBox*>(idName(AlphaListId));
    if (!list || !m_significance)
        return;
    int match = -1;
    for (int i = 0; m_significance[i].label; ++i) {
        if (m_significance[i].alpha == m_calculator->m_alpha &&
            m_significance[i].twoTailed == m_calculator->m_twoTailed) {
            match = i;
            break;
        }
    }
    list->setCurrentIndex(list->findData(match));
}

void CStepForm::saveSignificance()
{
    auto* list = findChild<QComboBox*>(idName(AlphaListId));
    if (!list || !m_significance || list->currentIndex() < 0)
        return;
    const SignificanceLevel& level = m_significance[list->currentData().toInt()];
    m_calculator->SetAlpha(level.alpha, level.twoTailed);
}

// ---- commands

QLineEdit* CStepForm::focusedEdit() const
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !isAncestorOf(focus))
        focus = focusWidget();
    return qobject_cast<QLineEdit*>(focus);
}

bool CStepForm::hasSelectionInFocus() const
{
    QLineEdit* edit = focusedEdit();
    return edit && edit->hasSelectedText();
}

bool CStepForm::handleCommand(int id)
{
    QLineEdit* edit = focusedEdit();
    switch (id) {
    case DefaultButtonId:
        emit commandRequested(m_nextStepCommand);
        return true;
    case EditPowersNsId:
    case EditPowersId:
        openListDialog(id);
        return true;
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
        if (edit && edit->hasSelectedText()) {
            QApplication::clipboard()->setText(edit->selectedText());
            if (id == ID_EDIT_CUT)
                edit->del();
        }
        return true;
    case ID_EDIT_CLEAR:
        if (edit && edit->hasSelectedText())
            edit->del();
        return true;
    case ID_EDIT_PASTE:
        if (edit) {
            const QMimeData* mime = QApplication::clipboard()->mimeData();
            if (mime && mime->hasText()) {
                if (auto* filtered = qobject_cast<CFilteredEdit*>(edit))
                    filtered->replaceSelection(mime->text());
                else
                    edit->insert(mime->text());
            }
        }
        return true;
    case ID_EDIT_UNDO:
        if (edit)
            edit->undo();
        return true;
    default:
        return false;
    }
}

bool CStepForm::commandEnabled(int id, bool& enabled) const
{
    switch (id) {
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
    case ID_EDIT_CLEAR:
        enabled = hasSelectionInFocus();
        return true;
    case ID_EDIT_PASTE: {
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        enabled = focusedEdit() && mime && mime->hasText();
        return true;
    }
    case ID_EDIT_UNDO: {
        QLineEdit* edit = focusedEdit();
        enabled = edit && edit->isUndoAvailable();
        return true;
    }
    default:
        return false;
    }
}

void CStepForm::openListDialog(int id)
{
    if (!m_calculator)
        return;
    if (id == EditPowersNsId) {
        CEditPowersNsDialog dialog(m_calculator, this);
        dialog.exec();
    } else {
        CEditPowersDialog dialog(m_calculator, this);
        dialog.exec();
    }
}

void CStepForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Return presses the focused push button, or else the default button.
        if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
            button && isAncestorOf(button))
            button->click();
        else
            handleCommand(DefaultButtonId);
        event->accept();
        return;
    }
    CStepView::keyPressEvent(event);
}

// ---- building blocks

QLabel* CStepForm::addLabel(int id, const QString& text)
{
    auto* label = new QLabel(text, this);
    if (id)
        label->setObjectName(idName(id));
    label->setFont(CAppFonts::heading());
    m_column->addWidget(label);
    return label;
}

QLabel* CStepForm::addExplanation(int id, const QString& text)
{
    QLabel* label = addLabel(id, text);
    label->setWordWrap(true);
    label->setContentsMargins(12, 0, 0, 0);
    label->setFont(CAppFonts::body());
    return label;
}

QGridLayout* CStepForm::addFieldGrid()
{
    auto* grid = new QGridLayout;
    grid->setContentsMargins(12, 2, 0, 8);
    grid->setColumnStretch(8, 1);
    m_column->addLayout(grid);
    return grid;
}

CNumberEdit* CStepForm::addNumberField(QGridLayout* grid, int row, int column, int id,
                                       const QString& label, bool digitsOnly)
{
    auto* field = new CNumberEdit(this, digitsOnly);
    field->setObjectName(idName(id));
    field->setFixedWidth(90);
    addCaptionedField(grid, row, column, field, label);
    return field;
}

std::array<CNumberEdit*, 4> CStepForm::addFieldPairs(const SFieldPairs& pairs)
{
    QGridLayout* grid = addFieldGrid();
    for (int c = 0; c < 2; ++c) {
        auto* head = new QLabel(QString::fromUtf8(pairs.heads[c].text), this);
        if (pairs.heads[c].id) {
            head->setObjectName(idName(pairs.heads[c].id));
            head->setFont(CAppFonts::heading());
        }
        grid->addWidget(head, 0, c + 1);
    }
    std::array<CNumberEdit*, 4> fields{};
    for (int r = 0; r < 2; ++r) {
        const SFieldPairs::SRow& row = pairs.rows[r];
        fields[2 * r] =
            addNumberField(grid, r + 1, 0, row.firstId, QString::fromUtf8(row.label), true);
        fields[2 * r + 1] = addNumberField(grid, r + 1, 1, row.secondId, QString());
    }
    return fields;
}

QPushButton* CStepForm::addCommandButton(int id, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(idName(id));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, id] { handleCommand(id); });
    return button;
}

void CStepForm::addSignificanceStep(int headingId, const QString& heading, int explanationId,
                                    const QString& explanation, int listButtonId)
{
    addLabel(headingId, heading);
    addExplanation(explanationId, explanation);
    QGridLayout* grid = addFieldGrid();
    auto* list = new QComboBox(this);
    list->setObjectName(idName(AlphaListId));
    addCaptionedField(grid, 0, 0, list, QStringLiteral("Alpha:"));
    grid->addWidget(addCommandButton(listButtonId, listButtonId == EditPowersNsId
                                                       ? QStringLiteral("Edit powers and Ns ...")
                                                       : QStringLiteral("Edit powers ...")),
                    0, 2);
    fillSignificanceList();
}

void CStepForm::addBottomButtons(const QString& defaultText, int helpTopic)
{
    m_column->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    if (helpTopic != NoHelpButton) {
        auto* help = new QPushButton(QStringLiteral("Help me decide"), this);
        help->setObjectName(idName(HelpButtonId));
        help->setAutoDefault(false);
        connect(help, &QPushButton::clicked, this, [helpTopic] { requestHelp(helpTopic); });
        row->addWidget(help);
    }
    QPushButton* next = addCommandButton(DefaultButtonId, defaultText);
    next->setDefault(true);
    row->addWidget(next);
    m_column->addLayout(row);
}
