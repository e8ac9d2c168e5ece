#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class CCalculator;
class QLabel;
class QProgressBar;
class QPushButton;
class QThread;
class QTimer;
struct SimulatedCell;
struct SimulationProgress;
struct SimulationResult;

/// The "Check by simulation" line under a step-4 report: the link starts a simulation of the
/// selected cell on a thread of its own, a progress bar and Cancel stand in for the link while
/// it runs, and finished hands over the paragraph to add to the report. The window stays
/// responsive throughout: the only work on the interface thread is a 50 ms progress timer.
class CSimulationPanel : public QWidget
{
    Q_OBJECT
public:
    /// The experiments a check simulates.
    static constexpr long Studies = 10000;

    explicit CSimulationPanel(QWidget* parent = nullptr);
    /// Cancels a run in progress and waits for its thread (at most one chunk of studies).
    ~CSimulationPanel() override;

    /// Offers the check for calc's selected cell: the link shows when that cell has
    /// something to simulate (calc may be null: nothing to offer). A run in progress is
    /// cancelled first.
    void offer(const CCalculator* calc);
    /// Starts the check of the offered cell, as the link does; nothing when none is offered
    /// or a run is in progress.
    void start();
    /// Stops a run in progress without a paragraph, as Cancel does.
    void cancel();
    /// True while a run is in progress.
    bool isRunning() const;

    QLabel* link() const { return m_link; }
    QProgressBar* progressBar() const { return m_progressBar; }
    QPushButton* cancelButton() const { return m_cancel; }

signals:
    /// A run completed: the "Simulated check" paragraph for the offered cell.
    void finished(const QString& paragraph);

private:
    void showRunning(bool running);
    void updateProgress();
    void runFinished();

    const CCalculator* m_calc = nullptr;
    QLabel* m_link = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QPushButton* m_cancel = nullptr;
    QTimer* m_timer = nullptr;
    QThread* m_thread = nullptr;
    // Shared with the run's thread, which may outlive a cancel by one chunk of studies.
    std::shared_ptr<SimulationProgress> m_progress;
    std::shared_ptr<SimulationResult> m_result;
    // The words of the run's paragraph, made on this thread before the run starts.
    std::shared_ptr<SimulatedCell> m_cell;
};
