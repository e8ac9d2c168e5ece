#pragma once

#include "ui/common/CStepView.h"
#include "ui/help/HelpTopics.h"

#include <array>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

class CCalculator;
class CNumberEdit;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

/// Base of the step-1 form and the input forms of step 2. A form is built in code, laid
/// out as numbered steps, and names each control that has an id after that id in decimal:
/// the "Alpha:" list is findChild<QComboBox*>("1019"), the default button ("Continue" or
/// "Calculate") is "1", "Help me decide" is "1078", the list-dialog buttons are "1056"
/// ("Edit powers and Ns ...") and "1020" ("Edit powers ..."). control(id) finds any of them.
///
/// The default button (and Return in a field) asks the window for the next-step command
/// through commandRequested; the window then runs saveData. saveData calls the form's
/// setters in their fixed order and then the significance exchange; a refused value has
/// shown its message already (the calculator's ReportError) and ends the save: the focus
/// goes to the refused field and saveData returns false.
///
/// Help: "Help me decide", on the sample-size forms only, asks for the form's context topic
/// (HelpTopic::DecideUnpaired, DecidePaired, DecideOneSample, DecideAnova, DecideSurvival,
/// DecideProportions), "Master the concepts of power and sample size" on the step-1 form for
/// HelpContents. The application installs the handler with setHelpHandler.
class CStepForm : public CStepView
{
    Q_OBJECT

public:
    /// An entry of the "Alpha:" list. A one-tailed level is stored as twice its nominal
    /// value with twoTailed false. A null label ends a table.
    struct SignificanceLevel
    {
        const char* label;
        double alpha;
        bool twoTailed;
    };
    /// The six two- and one-tailed levels of the t-test, survival and proportions forms.
    static const SignificanceLevel DefaultSignificance[];
    /// The three levels of the ANOVA forms.
    static const SignificanceLevel AnovaSignificance[];

    /// Two rows of two number fields under two column heads, as the power forms of two groups
    /// (N and SD or proportion) and of an ANOVA table (DF and MS) ask for them. The first
    /// column takes whole numbers (digits only).
    struct SFieldPairs
    {
        /// A column head; id 0 leaves it unnamed and in the default font, any other id names
        /// it and gives it the heading font.
        struct SHead
        {
            int id;
            const char* text;
        };
        struct SRow
        {
            const char* label;
            int firstId;
            int secondId;
        };
        SHead heads[2];
        SRow rows[2];
    };

    /// The explanations of the significance step on sample-size and on power forms.
    static const char* const SampleAlphaText;
    static const char* const PowerAlphaText;

    /// The help topic of the table of contents.
    static constexpr int HelpContents = HelpTopic::Contents;
    /// Passed to addBottomButtons by the forms without "Help me decide".
    static constexpr int NoHelpButton = 0;
    /// Installs the help operation (topic HelpContents or a context topic number).
    static void setHelpHandler(std::function<void(int topic)> handler);
    /// Runs the installed help operation; nothing when none is installed.
    static void requestHelp(int topic);

    CStepForm(unsigned int templateId, int nextStepCommand, QWidget* parent = nullptr);

    unsigned int templateId() const override { return m_templateId; }
    int nextStepCommand() const { return m_nextStepCommand; }
    /// The calculator of the last data exchange, owned by the analysis state, or null.
    CCalculator* calculator() const { return m_calculator; }
    /// The control with the template id, or null.
    QWidget* control(int id) const;

    /// Finds or creates the calculator, shows its values, then selects its level.
    void loadData(int step) override;
    /// Finds or creates the calculator and stores the fields through its setters, then the
    /// level. False when a setter refused its value.
    bool saveData() override;

    /// Commands 1 (next step), 1056 and 1020 (list dialogs) and the Edit commands on the
    /// focused field: Cut 57635, Copy 57634, Paste 57637, Clear 57632, Undo 57643.
    bool handleCommand(int id) override;
    bool commandEnabled(int id, bool& enabled) const override;

    /// At least the design width, and tall enough that no wrapped text is cut at that width.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override { return minimumSizeHint(); }

protected:
    /// Shows the calculator's values in the fields (calculator() is set).
    virtual void exchangeLoad() {}
    /// Reads the fields and calls the setters in order; a refusal throws CUserException.
    virtual void exchangeSave() {}
    /// The field to give the focus after a refused save: by default the one last read.
    virtual QWidget* refusedField() const { return m_exchangeField; }
    /// For a setter that checks several values in turn and stores each one that passes (a
    /// stored value is always a valid one): the first field whose value the calculator does
    /// not hold, that is the refused one. Pairs are (field, value the calculator holds).
    static QWidget* firstNotStored(std::initializer_list<std::pair<CNumberEdit*, double>> fields);

    /// Reads field as a number and notes it as the field the next setter gets its value from.
    double readField(CNumberEdit* field);
    /// Chooses the entries of the "Alpha:" list (DefaultSignificance unless set).
    void setSignificanceTable(const SignificanceLevel* table);
    /// The narrowest width at which the form's texts read well.
    void setDesignWidth(int width) { m_designWidth = width; }

    // Building blocks of the templates, added in order to the form's column.
    QVBoxLayout* column() const { return m_column; }
    /// A heading (the form's title or a numbered step), in the heading font.
    QLabel* addLabel(int id, const QString& text);
    /// An indented, wrapped explanation under a heading, in the body font.
    QLabel* addExplanation(int id, const QString& text);
    /// A grid of right-aligned labels before their fields, added to the column.
    QGridLayout* addFieldGrid();
    CNumberEdit* addNumberField(QGridLayout* grid, int row, int column, int id,
                                const QString& label, bool digitsOnly = false);

    /// Two rows of two number fields under two column heads (SFieldPairs) in a grid of their
    /// own. The fields of pairs in reading order: first row's two, then the second row's.
    std::array<CNumberEdit*, 4> addFieldPairs(const SFieldPairs& pairs);
    /// The significance step: its heading and explanation, "Alpha:" with list 1019 and,
    /// beside it, the list-dialog button listButtonId (1056 or 1020).
    void addSignificanceStep(int headingId, const QString& heading, int explanationId,
                             const QString& explanation, int listButtonId);
    /// The bottom row: a helpTopic other than NoHelpButton adds "Help me decide" (1078),
    /// then the default button.
    void addBottomButtons(const QString& defaultText, int helpTopic);
    QPushButton* addCommandButton(int id, const QString& text);

    /// The analysis state's current calculator, created and added on the first visit.
    CCalculator* findOrCreateCalculator();

    void keyPressEvent(QKeyEvent* event) override;

private:
    void loadSignificance();
    void saveSignificance();
    void fillSignificanceList();
    QLineEdit* focusedEdit() const;
    bool hasSelectionInFocus() const;
    void openListDialog(int id);

    unsigned int m_templateId;
    int m_nextStepCommand;
    CCalculator* m_calculator = nullptr;
    const SignificanceLevel* m_significance = DefaultSignificance;
    QWidget* m_exchangeField = nullptr;
    QVBoxLayout* m_column;
    int m_designWidth = 560;
};
