// Times, inside the page's engine, the heavy steps of the brand annex:
// growing it from 15 to 103 rows (and, for comparison, the engine alone
// taking the same rows as finished markup), "Generar" on 103 filled rows
// up to and including the hand-over to the host, and the problems panel's
// reading of those rows. Each iteration starts from a freshly loaded blank
// form (the reading's from one filled form); the time is what the page
// measures with performance.now(), including the layout the step causes.
#include "formulario7316_view.h"

#include "declfile/form_facts.h"
#include "engine_bench.h"
#include "full_form.h"
#include "wait_for.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <utility>

using namespace formulario;

namespace {

// The form view shown and focused as a person has it (the engine fires focus
// and blur events only in a focused page), its alerts and host calls caught.
class FormDriver {
public:
    FormDriver()
    {
        m_view.SetAlertPresenter([this](const QString& text) { m_alerts.append(text); });
        QObject::connect(&m_view, &CFormulario7316View::generaArchivo, &m_view,
                         [this](QString, QString, QString, QString) { ++m_hostCalls; });
        m_view.resize(1280, 960);
        m_view.show();
        m_view.activateWindow();
        m_view.setFocus();
        if (!WaitFor([this] { return m_view.isActiveWindow(); }))
            qFatal("the form view's window did not become active");
    }

    // Loads the blank form and waits until it has loaded and window.external
    // is connected.
    void loadBlankForm()
    {
        QObject context;
        bool loaded = false, bridged = false;
        QObject::connect(&m_view, &QWebEngineView::loadFinished, &context, [&loaded] { loaded = true; });
        QObject::connect(&m_view, &CFormulario7316View::bridgeReady, &context, [&bridged] { bridged = true; });
        m_view.LoadBlankForm();
        if (!WaitFor([&] { return loaded && bridged; }))
            qFatal("the blank form did not load");
        m_alerts.clear();
        m_hostCalls = 0;
    }

    QVariant js(const QString& script)
    {
        auto result = std::make_shared<std::optional<QVariant>>();
        m_view.page()->runJavaScript(script, [result](const QVariant& value) { *result = value; });
        if (!WaitFor([&] { return result->has_value(); }))
            qFatal("the page did not answer: %s", qPrintable(script.left(200)));
        return result->value_or(QVariant());
    }

    QStringList takeAlerts() { return std::exchange(m_alerts, {}); }
    int takeHostCalls() { return std::exchange(m_hostCalls, 0); }

private:
    CFormulario7316View m_view;
    QStringList m_alerts;
    int m_hostCalls = 0;
};

FormDriver* form = nullptr;

// Runs `step` (a script statement) in the page, once the page has settled,
// and returns its duration in seconds, or a negative number when it threw.
double TimeInPage(const QString& step)
{
    QTest::qWait(100);
    const QString script = QStringLiteral(
        "(function () { try { var t0 = performance.now(); %1; document.body.offsetHeight;"
        " return performance.now() - t0; } catch (e) { return -1; } })()").arg(step);
    return form->js(script).toDouble() / 1000.0;
}

void GrowAnnexTo103Rows(benchmark::State& state)
{
    for (auto _ : state) {
        form->loadBlankForm();
        form->js(QStringLiteral("C.renglones1.value = String(MAXANEXOS - ANEXOSINICIALES)"));
        const double seconds = TimeInPage(QStringLiteral("anexahta(C.renglones1, 1)"));
        if (seconds < 0 || form->js(QStringLiteral("ANEXO[1]")).toInt() != kMaxAnnexRows) {
            state.SkipWithError("the annex did not grow to 103 rows");
            break;
        }
        state.SetIterationTime(seconds);
    }
}

// The engine's own part of the growth: the same 88 rows, brand options and
// all, appended as finished markup with none of the form's scripts, and
// laid out. Growth cannot take less than this.
void AppendTheSame88RowsAsMarkup(benchmark::State& state)
{
    for (auto _ : state) {
        form->loadBlankForm();
        form->js(QStringLiteral("window.filas = ''; for (var r = ANEXOSINICIALES + 1; r <= MAXANEXOS; r++) filas += renglonanexo(1, r);"));
        const double seconds = TimeInPage(QStringLiteral(
            "document.getElementById('recuadro').querySelector('tbody').insertAdjacentHTML('beforeend', filas)"));
        if (seconds < 0 || !form->js(QStringLiteral("!!C['f1' + MAXANEXOS + 'c4']")).toBool()) {
            state.SkipWithError("the rows were not appended");
            break;
        }
        state.SetIterationTime(seconds);
    }
}

void Generate103Rows(benchmark::State& state)
{
    for (auto _ : state) {
        form->loadBlankForm();
        form->js(FillFullFormScript() + QStringLiteral("document.body.offsetHeight;"));
        const double seconds = TimeInPage(QStringLiteral("C.validar.click()"));
        int calls = 0;
        const bool handedOver = WaitFor([&] { return (calls += form->takeHostCalls()) > 0; }, 10000);
        if (seconds < 0 || !handedOver || !form->takeAlerts().isEmpty()) {
            state.SkipWithError("the declaration was not generated");
            break;
        }
        state.SetIterationTime(seconds);
    }
}

// The problems panel's reading of the same full form, as after each box
// left: every check of "Generar" and those that only report, collected
// (rows 78 to 103 repeat brands of rows 1 to 26, so 26 are listed).
void CollectProblems103Rows(benchmark::State& state)
{
    form->loadBlankForm();
    form->js(FillFullFormScript() + QStringLiteral("formulas(); true;"));
    for (auto _ : state) {
        const double seconds = TimeInPage(QStringLiteral("window.hallados = problemasdeclaracion()"));
        if (seconds < 0) {
            state.SkipWithError("the problems were not collected");
            break;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["problems"] = form->js(QStringLiteral("hallados.length")).toDouble();
}

}  // namespace

BENCHMARK(GrowAnnexTo103Rows)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(AppendTheSame88RowsAsMarkup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(Generate103Rows)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(CollectProblems103Rows)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv)
{
    PrepareEngineBenchmark(argc, argv);
    QApplication app(argc, argv);
    FormDriver driver;
    form = &driver;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
