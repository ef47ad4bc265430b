// The brand annex of the blank form: its rows, the checks of its cells, the
// minimum taxable base, unique brands, and rows appended on a regenerated page.
#include "annex_form.h"

namespace {

const QString kNumberMessage =
    QStringLiteral("Error:\nLa casilla debe ser numérica y el valor debe ser ingresado sin comas");
const QString kMinimumBaseMessage =
    QStringLiteral("Error:\nLa Base Imponible es menor al mínimo aceptable.\nPor favor corrija el error");

class AnnexTest : public AnnexFormTest {
protected:
    void askForRows(const QString& count)
    {
        form.setValue(QStringLiteral("renglones1"), count);
        form.click(QStringLiteral("botonanexo1"));
    }
    QString counters() { return js(QStringLiteral("C.trenglon1.value + '/' + C.nrenglon1.value")).toString(); }
};

// ---- Start-up and adding rows ----

TEST_F(AnnexTest, StartsWithFifteenEmptyRowsEachOfferingTheEmptyOptionThenTheCatalogue)
{
    EXPECT_EQ(rows(), 15);
    EXPECT_TRUE(exists(Cell(15, 6)));
    EXPECT_FALSE(exists(Cell(16, 1)));
    EXPECT_EQ(form.value(QStringLiteral("renglones1")), QString());
    EXPECT_EQ(js(QStringLiteral("var n = 0; for (var r = 1; r <= 15; r++) for (var k = 1; k <= 6; k++)"
                                " if (C['f1' + r + 'c' + k].value != '') n++; n")).toInt(), 0);
    EXPECT_TRUE(form.takeAlerts().isEmpty());
    QStringList catalogue{QStringLiteral("=")};  // value=text of each option
    for (std::size_t i = 0; i + 1 < kBrandCatalogue.size(); ++i)
        catalogue << Brand(int(i + 1)) + QLatin1Char('=') + Brand(int(i + 1));
    for (int row : {1, 8, 15})
        EXPECT_EQ(js(QStringLiteral("Array.from(C.%1.options).map(function (o) { return o.value + '=' + o.text; })")
                         .arg(Cell(row, 1))).toStringList(), catalogue) << "row " << row;
}

TEST_F(AnnexTest, GrowsToOneHundredAndThreeRows)
{
    askForRows(QStringLiteral("88"));
    EXPECT_EQ(rows(), 103);
    EXPECT_TRUE(exists(QStringLiteral("f1103c6")));
    EXPECT_EQ(form.value(QStringLiteral("renglones1")), QString());
    EXPECT_EQ(form.focused(), QStringLiteral("botonanexo1"));
    EXPECT_EQ(counters(), QStringLiteral("15/88"));
    EXPECT_TRUE(form.takeAlerts().isEmpty());
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
        EXPECT_EQ(form.takeAlerts(), c.alerts);
    }
}

TEST_F(AnnexTest, ValuesTypedInExistingRowsSurviveARebuild)
{
    fillRow(1, 42, QStringLiteral("25"), QStringLiteral("100"));
    form.type(Cell(1, 5), QStringLiteral("2"));
    form.select(Cell(15, 1), Brand(66));
    askForRows(QStringLiteral("3"));
    ASSERT_EQ(rows(), 18);
    const QStringList row1{Brand(42), QStringLiteral("25.0000"), QStringLiteral("18.75"),
                           QStringLiteral("100.0000"), QStringLiteral("2.0000")};
    for (int column = 1; column <= 5; ++column)
        EXPECT_EQ(form.value(Cell(1, column)), row1[column - 1]) << column;
    EXPECT_EQ(form.value(Cell(15, 1)), Brand(66));
    EXPECT_EQ(form.value(Cell(18, 1)), QString());
    EXPECT_TRUE(form.takeAlerts().isEmpty());
}

// ---- Cells ----

TEST_F(AnnexTest, ACellIsCheckedWithItsColumnAndRefusedCellsAreEmptied)
{
    form.type(Cell(1, 2), QStringLiteral("abc"));
    EXPECT_EQ(form.value(Cell(1, 2)), QString());
    EXPECT_EQ(form.focused(), Cell(1, 2));
    EXPECT_EQ(form.takeAlerts(), QStringList{kNumberMessage});

    form.type(Cell(1, 4), QStringLiteral("-5"));
    EXPECT_EQ(form.value(Cell(1, 4)), QString());
    EXPECT_EQ(form.takeAlerts(),
              QStringList{QStringLiteral("Error:\nEl valor de la casilla está abajo del mínimo de 0 ")});
}

TEST_F(AnnexTest, LeavingPackagesShowsTheColumnTotalsAsPlainNumbers)
{
    fillRow(1, 1, QStringLiteral("25"), QStringLiteral("100"));
    fillRow(2, 2, QStringLiteral("10"), QStringLiteral("50"));
    form.type(Cell(2, 5), QStringLiteral("12.5"));
    EXPECT_EQ(form.value(QStringLiteral("c2007")), QStringLiteral("150"));
    EXPECT_EQ(form.value(QStringLiteral("c2008")), QStringLiteral("12.5"));
    // 25 x 18.75 x 100 + 50 x 7.5
    EXPECT_EQ(form.value(QStringLiteral("c2010")), QStringLiteral("2250.00"));
    EXPECT_TRUE(form.takeAlerts().isEmpty());
}

// ---- Minimum taxable base ----

TEST_F(AnnexTest, AnEmptyBaseTakesThreeQuartersOfThePriceCutToFourDecimalsThenRounded)
{
    struct Case { const char* price; const char* base; const char* shownPrice; };
    const Case cases[] = {
        {"25", "18.75", "25.0000"},
        {"19.99", "14.99", "19.9900"},  // 14.9925
        {"10.01", "7.51", "10.0100"},   // 7.5075
        {"20000", "15000", "20000.0000"},
    };
    int row = 1;
    for (const Case& c : cases) {
        form.select(Cell(row, 1), Brand(row));
        form.type(Cell(row, 2), QString::fromUtf8(c.price));
        EXPECT_EQ(form.value(Cell(row, 3)), QString::fromUtf8(c.base)) << c.price;
        EXPECT_EQ(form.value(Cell(row, 2)), QString::fromUtf8(c.shownPrice)) << c.price;
        form.type(Cell(row++, 4), QStringLiteral("1"));
    }
    EXPECT_TRUE(form.takeAlerts().isEmpty());
}

// A new price raises only a base below its minimum; a base typed below the
// minimum is reported and kept.
TEST_F(AnnexTest, ABaseBelowTheMinimumIsReported)
{
    struct Step { int column; const char* typed; const char* base; bool reported; };
    const QList<Step> scenarios[] = {
        {{2, "25", "18.75", false}, {2, "20", "18.75", false}, {2, "30", "22.5", true}},
        {{2, "25", "18.75", false}, {3, "18", "18.00", true}, {3, "19", "19.00", false}},
    };
    for (const QList<Step>& steps : scenarios) {
        form.loadBlankForm();
        for (const Step& step : steps) {
            SCOPED_TRACE(testing::Message() << "c" << step.column << " " << step.typed);
            form.type(Cell(1, step.column), QString::fromUtf8(step.typed));
            EXPECT_EQ(form.value(Cell(1, 3)), QString::fromUtf8(step.base));
            EXPECT_EQ(form.takeAlerts(), step.reported ? QStringList{kMinimumBaseMessage} : QStringList{});
            if (step.reported) {
                EXPECT_EQ(form.focused(), Cell(1, 3));
            }
        }
    }
}

// ---- Brands and earlier rows ----

TEST_F(AnnexTest, ABrandChosenTwiceIsRefusedInTheRowLeftSecond)
{
    const QStringList refused{QStringLiteral(
        "Error:\nUsted a ingresado dos veces la misma marca, por favor verifique que los datos que "
        "ingresó en la columna Marcas y Presentación, sean los correctos.")};
    for (const auto& [first, second] : {std::pair{3, 15}, std::pair{15, 3}}) {
        SCOPED_TRACE(testing::Message() << "row " << first << " then row " << second);
        form.loadBlankForm();
        form.select(Cell(first, 1), Brand(51));
        if (first == 3) {  // a complete row
            form.type(Cell(3, 2), QStringLiteral("25"));
            form.type(Cell(3, 4), QStringLiteral("10"));
        }
        form.select(Cell(second, 1), Brand(51));
        EXPECT_EQ(form.takeAlerts(), refused);
        EXPECT_EQ(form.value(Cell(first, 1)), Brand(51));
        EXPECT_EQ(form.value(Cell(second, 1)), QString());
        EXPECT_EQ(form.focused(), Cell(second, 1));
    }
}

TEST_F(AnnexTest, ACellOfALaterRowWaitsForTheEarlierRowsToBeComplete)
{
    struct Case {
        const char* what;
        QList<QPair<int, QString>> row1;  // column, value
        QString message;
        int focusColumn;
    };
    const QString deduction = QStringLiteral(
        "Error:\nUsted ha declarado una deducción y al menos una de las casillas “Marca” y “Precio "
        "sugerido al consumidor” ha quedado en blanco.\nPor favor complete la casilla en blanco");
    const Case cases[] = {
        {"brand without price", {{1, Brand(7)}},
         QStringLiteral("Error:\nLa casilla “Precio sugerido” ha quedado en blanco.\nPor favor complete "
                        "la casilla en blanco"), 2},
        {"price without quantities", {{1, Brand(7)}, {2, QStringLiteral("10")}},
         QStringLiteral("Error:\nAl menos una de las casillas de “Fabricados” y “Deducciones A y B” ha "
                        "quedado en blanco.\nPor favor complete la casilla en blanco"), 4},
        {"deduction A without brand", {{2, QStringLiteral("10")}, {5, QStringLiteral("1")}}, deduction, 1},
        {"deduction B without brand", {{2, QStringLiteral("10")}, {6, QStringLiteral("1")}}, deduction, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form.loadBlankForm();
        for (const auto& [column, value] : c.row1)
            column == 1 ? form.select(Cell(1, 1), value) : form.setValue(Cell(1, column), value);
        form.type(Cell(4, 4), QStringLiteral("5"));
        EXPECT_EQ(form.value(Cell(4, 4)), QString());
        EXPECT_EQ(form.takeAlerts(), QStringList{c.message});
        EXPECT_EQ(form.focused(), Cell(1, c.focusColumn));
    }
}

// ---- Regenerated pages ----

// A regenerated page keeps its rows in the table body "cuerpo1" and adds rows
// with anexa; here two such rows replace the blank form's annex.
class AppendedRowsTest : public AnnexTest {
protected:
    void SetUp() override
    {
        AnnexTest::SetUp();
        js(QStringLiteral(
            "var fila = function (r) { var t = '<tr><td>' + r + '</td><td>' + selectormarca('f1' + r + 'c1', '') + '</td><td>';"
            "  for (var k = 2; k <= 6; k++) t += '<input name=f1' + r + 'c' + k + ' id=f1' + r + 'c' + k + '>';"
            "  return t + '</td></tr>'; };"
            "cambiatexto('recuadro', \"<table><tbody id='cuerpo1'>\" + fila(1) + fila(2) + '</tbody></table>');"
            "VANEXOSINICIALES[1] = 2; ANEXO[1] = 2;"
            "C.botonanexo1.onclick = function () { anexa(C.renglones1, 1); };"));
        form.select(Cell(2, 1), Brand(24));
        form.setValue(Cell(2, 2), QStringLiteral("25.0000"));
        form.setValue(Cell(2, 4), QStringLiteral("1.0000"));
    }
    int bodyRows() { return js(QStringLiteral("document.getElementById('cuerpo1').rows.length")).toInt(); }
};

TEST_F(AppendedRowsTest, AnexaAppendsRowsAfterTheBodysRowsKeepingTheirValuesAndRefusesWhatAnexahtaRefuses)
{
    askForRows(QStringLiteral("1.5"));
    askForRows(QStringLiteral("102"));
    EXPECT_EQ(bodyRows(), 2);
    EXPECT_EQ(rows(), 2);
    const QStringList alerts = form.takeAlerts();
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_TRUE(alerts[0].endsWith(QStringLiteral("El máximo permitido es 103 renglones.")));

    askForRows(QStringLiteral("3"));
    EXPECT_EQ(rows(), 5);
    EXPECT_EQ(bodyRows(), 5);
    EXPECT_EQ(form.value(Cell(2, 1)), Brand(24));
    EXPECT_EQ(form.value(Cell(2, 2)), QStringLiteral("25.0000"));
    EXPECT_EQ(js(QStringLiteral("C.f15c1.options.length")).toInt(), int(kBrandCatalogue.size()));
    EXPECT_FALSE(exists(Cell(5, 7)));
    EXPECT_EQ(counters(), QStringLiteral("2/3"));
    // The new cells work like the others.
    form.select(Cell(3, 1), Brand(5));
    form.type(Cell(3, 2), QStringLiteral("25"));
    EXPECT_EQ(form.value(Cell(3, 3)), QStringLiteral("18.75"));
    EXPECT_TRUE(form.takeAlerts().isEmpty());

    askForRows(QStringLiteral("98"));
    EXPECT_EQ(rows(), 103);
    EXPECT_EQ(bodyRows(), 103);
}

}  // namespace
