// The brand annex of the blank form: its rows, the checks of its cells, the
// minimum taxable base, unique brands, and rows appended on a regenerated page.
#include "form_test.h"

namespace {

const QString kNumberMessage =
    QStringLiteral("Error:\nLa casilla debe ser numérica y el valor debe ser ingresado sin comas");
const QString kMinimumBaseMessage =
    QStringLiteral("Error:\nLa Base Imponible es menor al mínimo aceptable.\nPor favor corrija el error");

class AnnexTest : public FormTest {
protected:
    void askForRows(const QString& count) { form.run(QStringLiteral("renglones1:=%1|!botonanexo1").arg(count)); }
    QString counters() { return form.values(QStringLiteral("trenglon1 nrenglon1")); }
};

// ---- Rows ----

TEST_F(AnnexTest, StartsWithFifteenEmptyRowsEachOfferingTheEmptyOptionThenTheCatalogue)
{
    EXPECT_EQ(rows(), 15);
    EXPECT_TRUE(exists(Cell(15, 6)));
    EXPECT_FALSE(exists(Cell(16, 1)));
    EXPECT_EQ(form.value(QStringLiteral("renglones1")), QString());
    EXPECT_EQ(js(QStringLiteral("var n = 0; for (var r = 1; r <= 15; r++) for (var k = 1; k <= 6; k++)"
                                " if (C['f1' + r + 'c' + k].value != '') n++; n")).toInt(), 0);
    QStringList catalogue{QStringLiteral("=")};  // value=text of each option
    for (std::size_t i = 0; i + 1 < kBrandCatalogue.size(); ++i)
        catalogue << Brand(int(i + 1)) + QLatin1Char('=') + Brand(int(i + 1));
    for (int row : {1, 8, 15})
        EXPECT_EQ(js(QStringLiteral("Array.from(C.%1.options).map(function (o) { return o.value + '=' + o.text; })")
                         .arg(Cell(row, 1))).toStringList(), catalogue) << "row " << row;
}

TEST_F(AnnexTest, RefusesCountsBeyondTheMaximumOrNotWholeNumbersAboveZero)
{
    const QStringList tooMany{QStringLiteral("Error:\nUsted ha solicitado un número de renglones superior al "
                                             "máximo permitido.\nEl máximo permitido es 103 renglones.")};
    struct Case { const char* count; QStringList alerts; bool emptied; };
    const Case cases[] = {{"89", tooMany, false}, {"0", {}, true}, {"-3", {}, true}, {"1.5", {}, true},
                          {"", {}, true}, {"abc", {kNumberMessage}, true}, {"1,000", {kNumberMessage}, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        askForRows(QString::fromUtf8(c.count));
        EXPECT_EQ(rows(), 15);
        EXPECT_FALSE(exists(Cell(16, 1)));
        if (c.emptied) {
            EXPECT_EQ(form.value(QStringLiteral("renglones1")), QString());
        }
        EXPECT_EQ(alerts(), c.alerts);
    }
}

TEST_F(AnnexTest, GrowsToOneHundredAndThreeRowsKeepingWhatTheRowsHeld)
{
    fillRow(1, 42, QStringLiteral("25"), QStringLiteral("100"));
    form.run(Cell(1, 5) + QStringLiteral("=2|") + Cell(15, 1) + QLatin1Char('=') + Brand(66));
    askForRows(QStringLiteral("88"));
    EXPECT_EQ(rows(), 103);
    EXPECT_TRUE(exists(QStringLiteral("f1103c6")));
    EXPECT_FALSE(exists(QStringLiteral("f1104c1")));
    EXPECT_EQ(form.value(QStringLiteral("renglones1")), QString());
    EXPECT_EQ(form.focused(), QStringLiteral("botonanexo1"));
    EXPECT_EQ(counters(), QStringLiteral("15|88"));
    EXPECT_EQ(form.values(QStringList{Cell(1, 1), Cell(1, 2), Cell(1, 3), Cell(1, 4), Cell(1, 5), Cell(15, 1),
                                      Cell(16, 1)}.join(QLatin1Char(' '))),
              QStringList({Brand(42), "25.0000", "18.75", "100.0000", "2.0000", Brand(66), ""}).join(QLatin1Char('|')));
    EXPECT_EQ(alerts(), QStringList());
}

// ---- Cells ----

// Each scenario starts on the blank form: the steps, then the alert shown and
// the cells and focus afterwards.
TEST_F(AnnexTest, CellsAreCheckedWithTheirColumnAndTheRowsBeforeThem)
{
    const QString incompleteDeduction = QStringLiteral(
        "Error:\nUsted ha declarado una deducción y al menos una de las casillas “Marca” y “Precio "
        "sugerido al consumidor” ha quedado en blanco.\nPor favor complete la casilla en blanco");
    const struct {
        QString steps, message, cells, values, focus;
    } cases[] = {
        {"f11c2=abc", kNumberMessage, "f11c2", "", "f11c2"},
        {"f11c4=-5", "Error:\nEl valor de la casilla está abajo del mínimo de 0 ", "f11c4", "", "f11c4"},
        // leaving packages shows the column totals as plain numbers: 25 x 18.75 x 100 + 50 x 7.5
        {QStringLiteral("f11c1=%1|f11c2=25|f11c4=100|f12c1=%2|f12c2=10|f12c4=50|f12c5=12.5").arg(Brand(1), Brand(2)),
         "", "c2007 c2008 c2010", "150|12.5|2250.00", ""},
        // an empty base takes three quarters of the price, cut to four decimals, then rounded
        {"f11c2=25", "", "f11c3 f11c2", "18.75|25.0000", ""}, {"f11c2=19.99", "", "f11c3 f11c2", "14.99|19.9900", ""},
        {"f11c2=10.01", "", "f11c3 f11c2", "7.51|10.0100", ""}, {"f11c2=20000", "", "f11c3 f11c2", "15000|20000.0000", ""},
        // a new price raises only a base below its minimum; a typed base below it is reported and kept
        {"f11c2=25|f11c2=20", "", "f11c3", "18.75", ""},
        {"f11c2=25|f11c2=20|f11c2=30", kMinimumBaseMessage, "f11c3", "22.5", "f11c3"},
        {"f11c2=25|f11c3=18", kMinimumBaseMessage, "f11c3", "18.00", "f11c3"},
        {"f11c2=25|f11c3=18|f11c3=19", kMinimumBaseMessage, "f11c3", "19.00", ""},
        // a cell of a later row waits for the earlier rows to be complete
        {"f11c1=" + Brand(7) + "|f14c4=5",
         "Error:\nLa casilla “Precio sugerido” ha quedado en blanco.\nPor favor complete la casilla en blanco",
         "f14c4", "", "f11c2"},
        {"f11c1=" + Brand(7) + "|f11c2:=10|f14c4=5",
         "Error:\nAl menos una de las casillas de “Fabricados” y “Deducciones A y B” ha quedado en blanco.\n"
         "Por favor complete la casilla en blanco", "f14c4", "", "f11c4"},
        {"f11c2:=10|f11c5:=1|f14c4=5", incompleteDeduction, "f14c4", "", "f11c1"},
        {"f11c2:=10|f11c6:=1|f14c4=5", incompleteDeduction, "f14c4", "", "f11c1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps.toStdString());
        form.reset();
        form.run(c.steps);
        EXPECT_EQ(alerts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(form.values(c.cells), c.values);
        EXPECT_EQ(form.focused(), c.focus);
    }
}

TEST_F(AnnexTest, ABrandChosenTwiceIsRefusedInTheRowLeftSecond)
{
    const QStringList refused{QStringLiteral(
        "Error:\nUsted a ingresado dos veces la misma marca, por favor verifique que los datos que "
        "ingresó en la columna Marcas y Presentación, sean los correctos.")};
    for (const auto& [first, second] : {std::pair{3, 15}, std::pair{15, 3}}) {
        SCOPED_TRACE(testing::Message() << "row " << first << " then row " << second);
        form.reset();
        form.run(Cell(first, 1) + QLatin1Char('=') + Brand(51));
        if (first == 3)  // a complete row
            form.run(QStringLiteral("f13c2=25|f13c4=10"));
        form.run(Cell(second, 1) + QLatin1Char('=') + Brand(51));
        EXPECT_EQ(alerts(), refused);
        EXPECT_EQ(form.values(Cell(first, 1) + QLatin1Char(' ') + Cell(second, 1)), Brand(51) + QLatin1Char('|'));
        EXPECT_EQ(form.focused(), Cell(second, 1));
    }
}

// ---- Regenerated pages ----

// A regenerated page keeps its rows in the table body "cuerpo1" and adds rows
// with anexa; here two such rows replace the blank form's annex. anexa
// refuses what anexahta refuses and keeps the rows' values.
TEST_F(AnnexTest, AnexaAppendsRowsAfterTheBodysRows)
{
    js(QStringLiteral(
        "var fila = function (r) { var t = '<tr><td>' + r + '</td><td>' + selectormarca('f1' + r + 'c1', '') + '</td><td>';"
        "  for (var k = 2; k <= 6; k++) t += '<input name=f1' + r + 'c' + k + ' id=f1' + r + 'c' + k + '>';"
        "  return t + '</td></tr>'; };"
        "cambiatexto('recuadro', \"<table><tbody id='cuerpo1'>\" + fila(1) + fila(2) + '</tbody></table>');"
        "VANEXOSINICIALES[1] = 2; ANEXO[1] = 2;"
        "C.botonanexo1.onclick = function () { anexa(C.renglones1, 1); };"));
    form.run(QStringLiteral("f12c1=%1|f12c2:=25.0000|f12c4:=1.0000").arg(Brand(24)));
    const auto bodyRows = [this] { return js(QStringLiteral("cuerpo1.rows.length")).toInt(); };

    askForRows(QStringLiteral("1.5"));
    askForRows(QStringLiteral("102"));
    EXPECT_EQ(bodyRows(), 2);
    EXPECT_EQ(rows(), 2);
    const QStringList refused = alerts();
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused[0].endsWith(QStringLiteral("El máximo permitido es 103 renglones.")));

    askForRows(QStringLiteral("3"));
    EXPECT_EQ(rows(), 5);
    EXPECT_EQ(bodyRows(), 5);
    EXPECT_EQ(form.values(QStringLiteral("f12c1 f12c2")), Brand(24) + QStringLiteral("|25.0000"));
    EXPECT_EQ(js(QStringLiteral("C.f15c1.options.length")).toInt(), int(kBrandCatalogue.size()));
    EXPECT_FALSE(exists(Cell(5, 7)));
    EXPECT_EQ(counters(), QStringLiteral("2|3"));
    // The new cells work like the others.
    form.run(QStringLiteral("f13c1=%1|f13c2=25").arg(Brand(5)));
    EXPECT_EQ(form.value(Cell(3, 3)), QStringLiteral("18.75"));
    EXPECT_EQ(alerts(), QStringList());

    askForRows(QStringLiteral("98"));
    EXPECT_EQ(rows(), 103);
    EXPECT_EQ(bodyRows(), 103);
}

}  // namespace
