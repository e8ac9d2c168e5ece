#include "ui/result/CSimulationPanel.h"

#include "calc/SimulatedCheck.h"
#include "simulate/CSimulationRunner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>

namespace {

constexpr int ProgressInterval = 50;

} // namespace

CSimulationPanel::CSimulationPanel(QWidget* parent) : QWidget(parent)
{
    m_link = new QLabel(QStringLiteral("<a href=\"#simulate\">Check by simulation</a>"), this);
    m_link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_link->setToolTip(QStringLiteral("Simulate %L1 experiments of this cell and analyse each "
                                      "by the test the report describes")
                           .arg(Studies));
    m_progressBar = new QProgressBar(this);
    m_progressBar->setRange(0, static_cast<int>(Studies));
    m_progressBar->setFormat(QStringLiteral("Simulating: %p%"));
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(15, 4, 15, 4);
    layout->addWidget(m_link);
    layout->addWidget(m_progressBar, 1);
    layout->addWidget(m_cancel);
    layout->addStretch();
    m_timer = new QTimer(this);
    m_timer->setInterval(ProgressInterval);
    connect(m_timer, &QTimer::timeout, this, &CSimulationPanel::updateProgress);
    connect(m_link, &QLabel::linkActivated, this, &CSimulationPanel::start);
    connect(m_cancel, &QPushButton::clicked, this, &CSimulationPanel::cancel);
    showRunning(false);
    setVisible(false);
}

CSimulationPanel::~CSimulationPanel()
{
    if (m_thread) {
        m_progress->cancel = true;
        m_thread->wait();
    }
}

void CSimulationPanel::offer(const CCalculator* calc)
{
    cancel();
    m_calc = calc;
    setVisible(calc != nullptr && SimulatedSelectedCell(*calc).applies);
}

bool CSimulationPanel::isRunning() const
{
    return m_thread != nullptr;
}

void CSimulationPanel::start()
{
    if (isRunning() || m_calc == nullptr)
        return;
    auto cell = std::make_shared<SimulatedCell>(SimulatedSelectedCell(*m_calc));
    if (!cell->applies)
        return;
    m_cell = cell;
    m_progress = std::make_shared<SimulationProgress>();
    m_result = std::make_shared<SimulationResult>();
    auto progress = m_progress;
    auto result = m_result;
    m_thread = QThread::create([cell, progress, result] {
        *result = CSimulationRunner().Run(cell->study, Studies, CSimulationRunner::DefaultSeed,
                                          progress.get());
    });
    connect(m_thread, &QThread::finished, this, &CSimulationPanel::runFinished);
    m_progressBar->setValue(0);
    showRunning(true);
    m_timer->start();
    m_thread->start();
}

void CSimulationPanel::cancel()
{
    if (!m_thread)
        return;
    // The run stops at its next chunk; its thread is let go of now and deleted when done, so
    // Cancel never waits for it.
    m_progress->cancel = true;
    m_thread->disconnect(this);
    if (m_thread->isFinished())
        m_thread->deleteLater();
    else
        connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    m_thread = nullptr;
    m_timer->stop();
    showRunning(false);
}

void CSimulationPanel::updateProgress()
{
    if (m_progress)
        m_progressBar->setValue(static_cast<int>(m_progress->done.load()));
}

void CSimulationPanel::runFinished()
{
    // The end of a run let go of by Cancel may already have been on its way.
    if (sender() != m_thread || m_thread == nullptr)
        return;
    m_timer->stop();
    m_thread->deleteLater();
    m_thread = nullptr;
    showRunning(false);
    if (m_result->completed)
        emit finished(QString::fromStdString(SimulatedCheckText(*m_cell, *m_result)));
}

void CSimulationPanel::showRunning(bool running)
{
    m_link->setVisible(!running);
    m_progressBar->setVisible(running);
    m_cancel->setVisible(running);
}
