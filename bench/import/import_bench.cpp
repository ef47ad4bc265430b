// Times the import of brand rows from a CSV as a spreadsheet in a Spanish
// locale writes it (";" between cells, decimal commas, CRLF), on a freshly
// loaded blank form each time: reading the file, checking every row with the
// form's rules, putting them into the annex and recomputing the form. The
// time runs from the import asked for to the form's answer.
#include "brand_row_transfer.h"
#include "draft_keeper.h"
#include "formulario7316_view.h"
#include "res_scheme_handler.h"

#include "engine_bench.h"
#include "host/fake_host_ui.h"
#include "host/temporary_directory.h"
#include "render/brand_catalogue.h"
#include "wait_for.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWebEnginePage>

#include <benchmark/benchmark.h>

using namespace formulario;

namespace {

// `rows` rows, the catalogue's brands in turn (every other one by its code),
// so that past the catalogue's 77 brands they repeat.
std::string SpreadsheetCsv(int rows)
{
    std::string csv = "Marca;Precio sugerido;Base imponible;Fabricados;Inciso A;Inciso B\r\n";
    for (int row = 0; row < rows; ++row) {
        const std::string_view brand = kBrandCatalogue[static_cast<std::size_t>(row % 77)];
        csv += std::string(row % 2 ? brand.substr(0, brand.find(' ')) : brand) + ";" + std::to_string(20 + row)
               + ",5;;" + std::to_string(100 + row) + ",25;1,5;\r\n";
    }
    return csv;
}

struct Bench {
    TemporaryDirectory dir;
    CFormulario7316View view;
    FakeHostUi ui;
    CDraftKeeper drafts{view, ui, nullptr, QString::fromStdString((dir.path() / "drafts").string())};
    CBrandRowTransfer transfer{view, drafts, ui, nullptr};
};

Bench* bench = nullptr;

void LoadBlankForm()
{
    bool loaded = false;
    QObject context;
    QObject::connect(&bench->view, &QWebEngineView::loadFinished, &context, [&loaded] { loaded = true; });
    bench->drafts.BeginBlankForm();
    bench->view.LoadBlankForm();
    if (!WaitFor([&] { return loaded && bench->view.IsBridgeReady(); }))
        qFatal("the blank form did not load");
    // The page has done its first work (its load handler's annex, its first
    // layout) once it answers a script.
    bool answered = false;
    bench->view.page()->runJavaScript(QStringLiteral("document.body.offsetHeight"),
                                      [&answered](const QVariant&) { answered = true; });
    if (!WaitFor([&] { return answered; }))
        qFatal("the blank form did not answer");
}

// Imports a CSV of `state.range(0)` rows; `state.range(1)` rows are to come in
// (none when some line is refused, after every line is checked).
void ImportSpreadsheetCsv(benchmark::State& state)
{
    const int expected = static_cast<int>(state.range(1));
    const QString path = QString::fromStdString(
        bench->dir.Write("marcas.csv", SpreadsheetCsv(static_cast<int>(state.range(0)))));
    for (auto _ : state) {
        LoadBlankForm();
        int imported = -2;
        QObject context;
        QObject::connect(&bench->transfer, &CBrandRowTransfer::imported, &context,
                         [&imported](int rows) { imported = rows; });
        QElapsedTimer clock;
        clock.start();
        bench->transfer.ImportFile(path);
        if (!WaitFor([&] { return imported != -2; }))
            qFatal("the import did not end");
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        const std::string shown = bench->ui.TakeShown();
        if (imported != expected)
            state.SkipWithError(shown.c_str());
    }
}

}  // namespace

// Every brand of the catalogue, brought in; and 103 rows, of which the 26
// past the catalogue repeat a brand, all checked and refused in one message.
BENCHMARK(ImportSpreadsheetCsv)->Args({77, 77})->Args({103, -1})->UseManualTime()
    ->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    PrepareEngineBenchmark(argc, argv);
    QApplication application(argc, argv);
    Bench state;
    bench = &state;
    benchmark::RunSpecifiedBenchmarks();
    bench = nullptr;
    return 0;
}
