// Speed of the desktop program, offscreen: start-up to the first analysis window (the first
// run in the process includes making the QApplication and loading the fonts), and
// Calculate-to-page (the form's save, the page written to its file, read back, laid out
// and painted). Resident memory after start-up is reported as a counter.
//
// Build with -DZENTRIMA_BENCHMARKS=ON in a Release build; run build/bench/ui_bench.
#include "ui/app/CChildFrame.h"
#include "platform/CFakeFileSystem.h"
#include "ui/app/CMainFrame.h"
#include "platform/CMemorySettingsStore.h"
#include "platform/CRecordingMessageSink.h"
#include "ui/result/CResultView.h"
#include "ui/common/CStepView.h"
#include "ui/app/CZentrimaApp.h"
#include "platform/Platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <benchmark/benchmark.h>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <memory>

#include <sys/resource.h>

namespace {

int g_argc = 1;
char g_name[] = "ui_bench";
char* g_argv[] = {g_name, nullptr};

void makeApplication()
{
    if (QApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    new QApplication(g_argc, g_argv);
    std::setlocale(LC_NUMERIC, "C");
}

void settle()
{
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

long residentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A program instance of its own: private folders, settings in memory, messages recorded.
class Session
{
public:
    Session()
    {
        files.setTempFolder(folder.path().toStdString() + "/");
        files.setProgramPath(folder.filePath("zentrima").toStdString());
        Platform::setFiles(&files);
        CZentrimaApp::Options options;
        options.showAbout = false;
        options.instanceFolder = folder.path();
        options.settings = &settings;
        options.messages = &messages;
        app = std::make_unique<CZentrimaApp>(options);
    }
    ~Session()
    {
        app.reset();
        Platform::setFiles(nullptr);
    }

    QTemporaryDir folder;
    CFakeFileSystem files;
    CMemorySettingsStore settings;
    CRecordingMessageSink messages;
    std::unique_ptr<CZentrimaApp> app;
};

bool startUp(Session& session)
{
    if (!session.app->initInstance())
        return false;
    settle();
    return session.app->mainFrame()->activeChildFrame() != nullptr;
}

void BM_FirstStartUpInProcess(benchmark::State& state)
{
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        makeApplication();
        Session session;
        if (!startUp(session)) {
            state.SkipWithError("start-up failed");
            break;
        }
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
        state.counters["rss_kB"] = double(residentKilobytes());
    }
}
BENCHMARK(BM_FirstStartUpInProcess)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_StartUpToFirstWindow(benchmark::State& state)
{
    makeApplication();
    for (auto _ : state) {
        Session session;
        if (!startUp(session)) {
            state.SkipWithError("start-up failed");
            break;
        }
        state.PauseTiming();
        session.app.reset();
        state.ResumeTiming();
    }
    state.counters["rss_kB"] = double(residentKilobytes());
}
BENCHMARK(BM_StartUpToFirstWindow)->Unit(benchmark::kMillisecond);

CStepView* view(CChildFrame* child)
{
    return child->currentView();
}

void click(CChildFrame* child, const char* name)
{
    view(child)->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
}

void typePairedInputs(CChildFrame* child)
{
    view(child)->findChild<QLineEdit*>(QStringLiteral("1100"))->setText(QStringLiteral("10"));
    view(child)->findChild<QLineEdit*>(QStringLiteral("1025"))->setText(QStringLiteral("0.5"));
}

// The first analysis window of a started session in step 2 of the paired design, SD 10 and
// r 0.5 typed; null when start-up failed.
CChildFrame* pairedStepTwo(Session& session, benchmark::State& state)
{
    makeApplication();
    if (!startUp(session)) {
        state.SkipWithError("start-up failed");
        return nullptr;
    }
    CChildFrame* child = session.app->mainFrame()->activeChildFrame();
    click(child, "1003");
    click(child, "1");
    settle();
    typePairedInputs(child);
    return child;
}

void BM_CalculateToPage(benchmark::State& state)
{
    Session session;
    CChildFrame* child = pairedStepTwo(session, state);
    if (!child)
        return;
    for (auto _ : state) {
        click(child, "1"); // Calculate
        // Shown: laid out and painted.
        auto* result = qobject_cast<CResultView*>(view(child));
        if (!result) {
            state.SkipWithError("no page");
            break;
        }
        result->browser()->viewport()->repaint();
        state.PauseTiming();
        child->goToStep(2);
        settle();
        typePairedInputs(child);
        state.ResumeTiming();
    }
    state.counters["rss_kB"] = double(residentKilobytes());
}
BENCHMARK(BM_CalculateToPage)->Unit(benchmark::kMillisecond);

void BM_CellClickToReport(benchmark::State& state)
{
    Session session;
    CChildFrame* child = pairedStepTwo(session, state);
    if (!child)
        return;
    click(child, "1");
    for (auto _ : state) {
        auto* result = qobject_cast<CResultView*>(view(child));
        result->followLink(QUrl(QStringLiteral("?n=3&pow=2")));
        result->browser()->viewport()->repaint();
        state.PauseTiming();
        child->goToStep(3);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CellClickToReport)->Unit(benchmark::kMillisecond);

} // namespace
