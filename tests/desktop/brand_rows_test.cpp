// A new declaration from an earlier one, and the annex's rows from and to a
// CSV file, on the real form in the real engine; messages and the output
// directory come from a recording stand-in, so no window waits for a person.
#include "brand_row_transfer.h"
#include "draft_keeper.h"
#include "formulario7316_view.h"
#include "next_period_start.h"

#include "declaration_sample.h"
#include "declfile/seal.h"
#include "host/brand_csv.h"
#include "host/fake_host_ui.h"
#include "host/file_reader.h"
#include "host/generation_flow.h"
#include "host/temporary_directory.h"
#include "render/brand_catalogue.h"
#include "render/consult_page.h"
#include "wait_for.h"

#include <QDate>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QWebEnginePage>

#include <gtest/gtest.h>

#include <filesystem>

using namespace formulario;

namespace {

constexpr int kTimeoutMs = 20000;
const std::string kBrands[] = {std::string(kBrandCatalogue[0]), std::string(kBrandCatalogue[1]),
                               std::string(kBrandCatalogue[2])};

class BrandRowsTest : public testing::Test {
protected:
    BrandRowsTest()
        : drafts(view, ui, nullptr, QString::fromStdString((dir.path() / "drafts").string())),
          next(view, drafts, ui, nullptr),
          transfer(view, drafts, ui, nullptr)
    {
        view.SetAlertPresenter([this](const QString& text) { alerts << text; });
    }

    void SetUp() override { ShowBlankForm(); }

    void ShowBlankForm()
    {
        QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
        drafts.BeginBlankForm();
        view.LoadBlankForm();
        ASSERT_TRUE(WaitFor([&] { return !loaded.isEmpty() && view.IsBridgeReady(); }, kTimeoutMs));
        ASSERT_TRUE(WaitFor([&] { return js("typeof ANEXO == 'object' && ANEXO[1] == 15").toBool(); }, kTimeoutMs));
    }

    QVariant js(const QString& script)
    {
        std::optional<QVariant> result;
        view.page()->runJavaScript(script, [&](const QVariant& value) { result = value; });
        EXPECT_TRUE(WaitFor([&] { return result.has_value(); }, kTimeoutMs)) << script.toStdString();
        return result.value_or(QVariant());
    }
    std::string json(const QString& script)
    {
        return QJsonDocument::fromVariant(js(script)).toJson(QJsonDocument::Compact).toStdString();
    }
    std::string Boxes() { return json("[2007,2008,2009,2010,2011,2012,2019,2027,2029].map(function (b) "
                                      "{ return C['c' + b].value; })"); }

    // Starts the next month's declaration from a sealed `declaration`.
    std::string StartFrom(const SampleDeclaration& declaration)
    {
        previous = dir.Write("DRN-anterior", SealDeclaration(declaration.Xml()).value());
        QSignalSpy started(&next, &CNextPeriodStart::started);
        EXPECT_TRUE(next.Start(previous));
        EXPECT_TRUE(WaitFor([&] { return !started.isEmpty(); }, kTimeoutMs));
        return json("[C.c2.value, C.c3.value, C.dia_ini.value, C.mes_ini.value, C.anio_ini.value, C.dia_fin.value,"
                    " C.c5.value, ANEXO[1], [1, 2].map(function (r) { return [1, 2, 3, 4].map(function (k)"
                    " { return celdaanexo(1, r, k).value; }); })]");
    }

    int Import(const std::string& csv)
    {
        QSignalSpy imported(&transfer, &CBrandRowTransfer::imported);
        transfer.ImportFile(QString::fromStdString(dir.Write("marcas.csv", csv)));
        EXPECT_TRUE(WaitFor([&] { return !imported.isEmpty(); }, kTimeoutMs));
        return imported.isEmpty() ? -2 : imported.front().front().toInt();
    }

    // The rows a file exported from the page shown holds.
    std::vector<BrandCells> Exported()
    {
        QSignalSpy exported(&transfer, &CBrandRowTransfer::exported);
        const std::string path = (dir.path() / "exportadas.csv").string();
        transfer.ExportTo(QString::fromStdString(path));
        EXPECT_TRUE(WaitFor([&] { return !exported.isEmpty(); }, kTimeoutMs));
        std::vector<BrandCells> rows;
        for (const CsvBrandRow& row : ReadBrandCsv(ReadWholeFile(path).value_or("")).rows)
            rows.push_back(row.cells);
        return rows;
    }

    TemporaryDirectory dir;
    CFormulario7316View view;
    FakeHostUi ui;
    CDraftKeeper drafts;
    CNextPeriodStart next;
    CBrandRowTransfer transfer;
    QStringList alerts;
    std::string previous;
};

TEST_F(BrandRowsTest, NextPeriodFromDecemberOpensJanuaryWithTheSavedRowsAndGeneratesANewFile)
{
    const SampleDeclaration december =
        SampleDeclaration(2).With("PERIODO_DESDE", "20131201").With("PERIODO_HASTA", "20131231");
    EXPECT_EQ(StartFrom(december),
              "[\"12345679\",\"Tabacalera Peña & Hijos\",\"01\",\"01\",\"2014\",\"31\",\"31/01/2014\",15,"
              "[[\"FA031004.00 RUBIOS KS BOX 20\",\"25.0000\",\"18.75\",\"\"],"
              "[\"FA031004.00 RUBIOS KS BOX 20\",\"25.0000\",\"18.75\",\"\"]]]");
    const std::string number = js("C.c1.value").toString().toStdString();
    EXPECT_EQ(number.size(), 8u);
    EXPECT_NE(number, "14302257");
    EXPECT_EQ(ui.TakeShown(), "");

    // Packages made typed as a person does; Generar writes a file of its own.
    js("[1, 2].forEach(function (r) { var c = celdaanexo(1, r, 4); c.value = '10'; c.onblur(); })");
    ui.directoryAnswer = dir.str() + "/";
    CGenerationFlow generation(ui, {dir.str() + "/", "/"});
    const std::string before = ReadWholeFile(previous).value();
    QObject::connect(&view, &CFormulario7316View::generaArchivo,
                     [&](const QString& xml, const QString& n, const QString& html, const QString& nit) {
                         EXPECT_TRUE(generation.GeneraArchivo(xml.toStdString(), n.toStdString(),
                                                              html.toStdString(), nit.toStdString()));
                     });
    QSignalSpy generated(&view, &CFormulario7316View::generaArchivo);
    js("C.validar.click()");
    ASSERT_TRUE(WaitFor([&] { return !generated.isEmpty(); }, kTimeoutMs)) << alerts.join('|').toStdString();
    const auto written = dir.path() / "12345679" / "7316" / ("DRN-1234567973161401" + number);
    const CResult<Declaration> january = ReadSealedDeclaration(ReadWholeFile(written.string()).value_or(""));
    ASSERT_TRUE(january.ok());
    EXPECT_EQ(january->from.text, "20140101");
    EXPECT_EQ(january->rows.size(), 2u);
    EXPECT_EQ(ReadWholeFile(previous).value(), before);
    EXPECT_TRUE(alerts.isEmpty()) << alerts.join('|').toStdString();
}

TEST_F(BrandRowsTest, NextPeriodFromTheLastMonthTheFormAcceptsKeepsItAndSaysSo)
{
    const std::string year = std::to_string(QDate::currentDate().year() + 1);
    const std::string shown =
        StartFrom(SampleDeclaration(1).With("PERIODO_DESDE", year + "1201").With("PERIODO_HASTA", year + "1231"));
    EXPECT_EQ(shown.substr(0, shown.find(",15,")),
              "[\"12345679\",\"Tabacalera Peña & Hijos\",\"01\",\"12\",\"" + year + "\",\"31\",\"31/12/" + year + "\"");
    EXPECT_EQ(ui.TakeShown(), "warning: Error:\nEl periodo de la declaración elegida, 12/" + year +
                                  ", es el último que admite el formulario; la nueva declaración conserva ese periodo.");
}

TEST_F(BrandRowsTest, AnImportWithRefusedLinesChangesNothingAndNamesEachOne)
{
    js("var celda = celdaanexo(1, 1, 2); celda.value = '40'; celda.onblur();");
    const std::string before = json("valoresborrador()");
    std::string csv = "Marca;Precio;Base;Fabricados;A;B\n";
    for (int line = 2; line <= 13; ++line) {
        const std::string brand = line == 12 ? "FA999999.99" : std::string(kBrandCatalogue[line]);
        csv += brand + (line == 7 ? ";abc" : line == 9 ? ";25;10" : ";25") + (line == 10 ? ";;;;" : ";;10") + "\n";
    }
    csv += kBrands[0] + ";25;;1\n" + kBrands[0] + ";25;;1\n";
    EXPECT_EQ(Import(csv), -1);
    EXPECT_EQ(ui.TakeShown(),
              "warning: Error:\nNo se importó ninguna marca; el anexo queda como estaba.\n"
              "Línea 7: La casilla debe ser numérica y el valor debe ser ingresado sin comas\n"
              "Línea 9: La Base Imponible es menor al mínimo aceptable. Por favor corrija el error\n"
              "Línea 10: Al menos una de las casillas de “Fabricados” y “Deducciones A y B” ha quedado en blanco. "
              "Por favor complete la casilla en blanco\n"
              "Línea 12: la marca «FA999999.99» no está en el catálogo\n"
              "Línea 15: Usted a ingresado dos veces la misma marca, por favor verifique que los datos que ingresó en "
              "la columna Marcas y Presentación, sean los correctos.");
    EXPECT_EQ(json("valoresborrador()"), before);
}

// Rows brought in give the totals the same rows typed give, and an export
// of them, from the working form or a Consult page, brings them back.
TEST_F(BrandRowsTest, ImportedRowsComputeAsTypedOnesAndExportBackTheSame)
{
    const char* const cells[3][6] = {{"", "25", "", "100", "2", ""},
                                     {"", "19.99", "16", "40.5", "", "1"},
                                     {"", "10.01", "", "7", "", ""}};
    std::string csv = "Marca;Precio sugerido;Base imponible;Fabricados;Inciso A;Inciso B\r\n";
    QString typing;
    for (int r = 0; r < 3; ++r) {
        csv += kBrands[r];
        for (int k = 1; k < 6; ++k) {
            csv += std::string(";") + cells[r][k];
            std::replace(csv.end() - static_cast<long>(std::strlen(cells[r][k])), csv.end(), '.', ',');
        }
        csv += "\r\n";
        for (int k = 0; k < 6; ++k)
            if (k == 0 || *cells[r][k])
                typing += QString("teclea(%1, %2, '%3');").arg(r + 1).arg(k + 1)
                          .arg(k ? cells[r][k] : QString::fromStdString(kBrands[r]));
    }
    js("function teclea(r, k, v) { var c = celdaanexo(1, r, k); c.value = v; c.onblur(); }" + typing);
    const std::string typedBoxes = Boxes(), typedRows = json("renglonesmarcas()");
    ASSERT_TRUE(alerts.isEmpty()) << alerts.join('|').toStdString();

    ShowBlankForm();
    EXPECT_EQ(Import(csv), 3);
    EXPECT_EQ(ui.TakeShown(), "");
    EXPECT_EQ(Boxes(), typedBoxes);
    EXPECT_EQ(json("renglonesmarcas()"), typedRows);
    EXPECT_TRUE(alerts.isEmpty()) << alerts.join('|').toStdString();

    const std::vector<BrandCells> exported = Exported();
    ASSERT_EQ(exported.size(), 3u);
    EXPECT_EQ(exported[1][0], kBrands[1]);
    EXPECT_EQ(exported[1][2], "16.00");
    EXPECT_EQ(Import(BrandCsvText(exported)), 3);
    EXPECT_EQ(json("renglonesmarcas()"), typedRows);

    const Declaration saved = SampleDeclaration(2).Read();
    CPageText page;
    ASSERT_TRUE(BuildConsultPage(saved, page));
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    drafts.EndWorkingForm();
    view.ShowPage(QString::fromStdString(page.str()));
    ASSERT_TRUE(WaitFor([&] { return !loaded.isEmpty(); }, kTimeoutMs));
    const std::vector<BrandCells> consulted = Exported();
    ASSERT_EQ(consulted.size(), 2u);
    EXPECT_EQ(consulted[1], saved.rows[1].cells);
    EXPECT_EQ(Import(BrandCsvText(consulted)), -1);  // a Consult page takes no rows
}

} // namespace
