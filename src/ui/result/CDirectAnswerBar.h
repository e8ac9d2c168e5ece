#pragma once

#include <QWidget>

class CCalculator;
class QLabel;
class QLineEdit;
class QPushButton;

/// The step-3 question asked of a table directly: "Find the sample size for an effect of"
/// (sample-size goal) or "Power to detect an effect of" (power goal), a field for the effect
/// in the page's units and a Find button; Return in the field finds as well.
class CDirectAnswerBar : public QWidget
{
    Q_OBJECT

public:
    explicit CDirectAnswerBar(QWidget* parent = nullptr);

    /// Shows the caption of calc's goal and the effect calc was last asked for (empty when
    /// none was).
    void showFor(const CCalculator& calc);
    /// The number in the field ("." as the decimal point); false when the field holds no
    /// finite number.
    bool effect(double& value) const;
    QLineEdit* field() const { return m_field; }

signals:
    /// The user asked for the answer.
    void findRequested();

private:
    QLabel* m_caption = nullptr;
    QLineEdit* m_field = nullptr;
    QPushButton* m_find = nullptr;
};
