// The draft of a form with 103 filled annex rows: the CPU time the interface
// thread spends from "write the draft now" until the file is replaced
// (reading the page's values, checking them, writing the file), and the time
// from a draft read from disk until its values are back in the page and laid
// out: on the blank form, which has loaded by the time the recovery question
// is answered, and on a Modify page, which is loaded anew (so its time is
// mostly the engine's page load, as for the Modify command itself).
#include "draft_keeper.h"
#include "formulario7316_view.h"
#include "qt_host_ui.h"

#include "engine_bench.h"
#include "full_form.h"
#include "host/draft_page.h"
#include "host/draft_store.h"
#include "wait_for.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <ctime>
#include <map>

using namespace formulario;

namespace {

constexpr int kTimeoutMs = 20000;

CFormulario7316View* view = nullptr;
CDraftKeeper* keeper = nullptr;

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

QVariant Js(const QString& script)
{
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!WaitFor([&] { return done; }, kTimeoutMs))
        qFatal("the page did not answer: %s", qPrintable(script));
    return result;
}

bool LoadBlankForm()
{
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    keeper->BeginBlankForm();
    view->LoadBlankForm();
    return WaitFor([&] { return !loaded.isEmpty(); }, kTimeoutMs);
}

// The draft file written for the form as the page shows it.
bool KeepDraft()
{
    QSignalSpy kept(keeper, &CDraftKeeper::draftKept);
    for (int attempt = 0; attempt < 50 && kept.isEmpty(); ++attempt) {
        keeper->SaveNow();  // waits for the page's first reading, taken when it loaded
        (void)WaitFor([&] { return !kept.isEmpty(); }, 200);
    }
    return !kept.isEmpty();
}

Draft FullDraft()
{
    static const Draft draft = [] {
        if (!LoadBlankForm() || !Js(FillFullFormScript() + QStringLiteral("formulas(); true;")).isValid() || !KeepDraft())
            qFatal("the full form's draft was not written");
        CResult<Draft> read = keeper->Store().Load(keeper->Store().OwnId());
        if (!read.ok() || read->annexRows != kMaxAnnexRows)
            qFatal("the full form's draft was not written");
        return std::move(read).value();
    }();
    return draft;
}

void WriteDraft103Rows(benchmark::State& state)
{
    FullDraft();
    QSignalSpy kept(keeper, &CDraftKeeper::draftKept);
    int iteration = 0;
    for (auto _ : state) {
        Js(QStringLiteral("C.c3.value = 'Tabacalera %1'").arg(++iteration));  // so that there is something new
        kept.clear();
        const double start = ThreadCpuSeconds();
        keeper->SaveNow();
        if (!WaitFor([&] { return !kept.isEmpty(); }, kTimeoutMs)) {
            state.SkipWithError("the draft was not written");
            break;
        }
        state.SetIterationTime(ThreadCpuSeconds() - start);
    }
}

// From the draft on disk to its values back in the page.
void Recover(benchmark::State& state, DraftOrigin origin)
{
    Draft draft = FullDraft();
    draft.origin = origin;
    draft.sourceFile = origin == DraftOrigin::kModify ? "/moved/DRN-123456797316120314302257" : "";
    QTemporaryDir folder;
    CDraftStore store(QDir(folder.path()).filePath(QStringLiteral("drafts")).toStdString(), "1-0");
    if (!store.Prepare().ok() || !store.Save(draft).ok())
        qFatal("the draft to recover was not written");
    QSignalSpy recovered(keeper, &CDraftKeeper::recovered);
    for (auto _ : state) {
        if (origin == DraftOrigin::kNew && !LoadBlankForm()) {
            state.SkipWithError("the blank form did not load");
            break;
        }
        QTest::qWait(1000);  // the page settles, as it does while the question is read
        recovered.clear();
        QElapsedTimer clock;
        clock.start();
        const CResult<Draft> read = store.Load(store.OwnId());
        if (!read.ok()) {
            state.SkipWithError("the draft could not be read");
            break;
        }
        keeper->Recover(*read);
        if (!WaitFor([&] { return !recovered.isEmpty(); }, kTimeoutMs)
            || Js(QStringLiteral("document.body.offsetHeight && C.f1103c4.value + C.c1.value")).toString()
                != "10300.0000" + QString::fromStdString(draft.formNumber)) {
            state.SkipWithError("the draft did not come back");
            break;
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
}

// The same Modify page loaded with no draft put back: what the Modify command
// itself takes in the engine.
void LoadModifyPage103Rows(benchmark::State& state)
{
    Draft draft = FullDraft();
    CPageText page;
    if (!BuildDraftModifyPage(draft, page))
        qFatal("the draft's page was not built");
    for (auto _ : state) {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        QElapsedTimer clock;
        clock.start();
        view->ShowPage(QString::fromStdString(page.str()));
        if (!WaitFor([&] { return !loaded.isEmpty(); }, kTimeoutMs)
            || !Js(QStringLiteral("document.body.offsetHeight > 0")).toBool()) {
            state.SkipWithError("the Modify page did not load");
            break;
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
}

void RecoverBlankDraft103Rows(benchmark::State& state) { Recover(state, DraftOrigin::kNew); }
void RecoverModifyDraft103Rows(benchmark::State& state) { Recover(state, DraftOrigin::kModify); }

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

BENCHMARK(WriteDraft103Rows)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(RecoverBlankDraft103Rows)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(RecoverModifyDraft103Rows)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(LoadModifyPage103Rows)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    PrepareEngineBenchmark(argc, argv);
    QApplication app(argc, argv);
    QTemporaryDir folder;
    CFormulario7316View formView;
    formView.resize(1280, 900);
    formView.show();
    CQtHostUi hostUi(nullptr, [](const QString&) {});  // asked nothing: no draft is left behind here
    CDraftKeeper draftKeeper(formView, hostUi, nullptr, folder.path());
    view = &formView;
    keeper = &draftKeeper;

    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto print = [&](const char* name, const char* what, double target) {
        const auto found = reporter.times.find(name);
        if (found != reporter.times.end() && target > 0)
            std::printf("%s: %.2f ms (target: under %.0f ms)\n", what, found->second, target);
        else if (found != reporter.times.end())
            std::printf("%s: %.2f ms\n", what, found->second);
    };
    std::printf("\n");
    print("WriteDraft103Rows/iterations:30/manual_time", "Writing the draft, interface thread CPU", 5);
    print("RecoverBlankDraft103Rows/iterations:10/manual_time", "Recovering a blank form's draft", 300);
    print("RecoverModifyDraft103Rows/iterations:10/manual_time", "Recovering a Modify page's draft", 300);
    print("LoadModifyPage103Rows/iterations:10/manual_time", "  of which loading the Modify page, as the Modify command does", 0);
    benchmark::Shutdown();
    return 0;
}
