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
    int rows() { return form.js(QStringLiteral("ANEXO[1]")).toInt(); }
    bool exists(const QString& field)
    {
        return form.js(QStringLiteral("document.getElementById('%1') != null").arg(field)).toBool();
    }
    void askForRows(const QString& count)
    {
        form.setValue(QStringLiteral("renglones1"), count);
        form.click(QStringLiteral("botonanexo1"));
    }
};

// ---- Start-up ----

TEST_F(AnnexTest, StartsWithFifteenEmptyRowsAndAnEmptyCount)
{
    EXPECT_EQ(rows(), 15);
    EXPECT_TRUE(exists(Cell(15, 6)));
    EXPECT_FALSE(exists(Cell(16, 1)));
    EXPECT_EQ(form.value(QStringLiteral("renglones1")), QString());
    const int filled = form.js(QStringLiteral(
        "var n = 0; for (var r = 1; r <= 15; r++) for (var k = 1; k <= 6; k++)"
        " if (C['f1' + r + 'c' + k].value != '') n++; n")).toInt();
    EXPECT_EQ(filled, 0);
    EXPECT_TRUE(form.takeAlerts().isEmpty());
}

TEST_F(AnnexTest, EverySelectorOffersTheEmptyOptionThenTheCatalogueInOrder)
{
    QStringList catalogue{QString()};
    for (std::size_t i = 0; i + 1 < kBrandCatalogue.size(); ++i)
        catalogue << Brand(int(i + 1));
    for (int row : {1, 8, 15}) {
        const QStringList values = form.js(QStringLiteral(
            "Array.from(C.%1.options).map(function (o) { return o.value; })").arg(Cell(row, 1)))
            .toStringList();
        const QStringList texts = form.js(QStringLiteral(
            "Array.from(C.%1.options).map(function (o) { return o.text; })").arg(Cell(row, 1)))
            .toStringList();
        EXPECT_EQ(values, catalogue) << "row " << row;
        EXPECT_EQ(texts, catalogue) << "row " << row;
    }
}

// ---- Adding rows ----

TEST_F(AnnexTest, GrowsToOneHundredAndThreeRowsAndNoFurther)
{
    askForRows(QStringLiteral("88"));
    EXPECT_EQ(rows(), 103);
    EXPECT_TRUE(exists(QStringLiteral("f1103c6")));
    EXPECT_EQ(form.value(QStringLiteral("renglones1")), QString());
    EXPECT_EQ(form.focused(), QStringLiteral("botonanexo1"));
    EXPECT_EQ(form.js(QStringLiteral("C.trenglon1.value + '/' + C.nrenglon1.value")).toString(),
              QStringLiteral("15/88"));

    askForRows(QStringLiteral("1"));
    EXPECT_EQ(rows(), 103);
    const QStringList alerts = form.takeAlerts();
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_TRUE(alerts[0].endsWith(QStringLiteral("\nEl máximo permitido es 103 renglones.")));
}

TEST_F(AnnexTest, RefusesARequestBeyondTheMaximumWhole)
{
    askForRows(QStringLiteral("89"));
    EXPECT_EQ(rows(), 15);
    EXPECT_FALSE(exists(Cell(16, 1)));
    EXPECT_EQ(form.takeAlerts(),
              QStringList{QStringLiteral("Error:\nUsted ha solicitado un número de renglones superior al "
                                         "máximo permitido.\nEl máximo permitido es 103 renglones.")});
}

TEST_F(AnnexTest, RefusesCountsThatAreNotWholeNumbersAboveZero)
{
    struct Case { const char* count; bool numberMessage; };
    const Case cases[] = {{"0", false}, {"-3", false}, {"1.5", false}, {"", false}, {"abc", true}, {"1,000", true}};
    for (const Case& c : cases) {
        askForRows(QString::fromUtf8(c.count));
        EXPECT_EQ(rows(), 15) << c.count;
        EXPECT_EQ(form.value(QStringLiteral("renglones1")), QString()) << c.count;
        EXPECT_EQ(form.takeAlerts(), c.numberMessage ? QStringList{kNumberMessage} : QStringList{})
            << c.count;
    }
}

TEST_F(AnnexTest, ValuesTypedInExistingRowsSurviveARebuild)
{
    form.select(Cell(1, 1), Brand(42));
    form.type(Cell(1, 2), QStringLiteral("25"));
    form.type(Cell(1, 4), QStringLiteral("100"));
    form.type(Cell(1, 5), QStringLiteral("2"));
    form.select(Cell(15, 1), Brand(66));
    askForRows(QStringLiteral("3"));
    ASSERT_EQ(rows(), 18);
    EXPECT_EQ(form.value(Cell(1, 1)), Brand(42));
    EXPECT_EQ(form.value(Cell(1, 2)), QStringLiteral("25.0000"));
    EXPECT_EQ(form.value(Cell(1, 3)), QStringLiteral("18.75"));
    EXPECT_EQ(form.value(Cell(1, 4)), QStringLiteral("100.0000"));
    EXPECT_EQ(form.value(Cell(1, 5)), QStringLiteral("2.0000"));
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
    form.select(Cell(1, 1), Brand(1));
    form.type(Cell(1, 2), QStringLiteral("25"));
    form.type(Cell(1, 4), QStringLiteral("100"));
    form.select(Cell(2, 1), Brand(2));
    form.type(Cell(2, 2), QStringLiteral("10"));
    form.type(Cell(2, 4), QStringLiteral("50"));
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
        form.type(Cell(row, 4), QStringLiteral("1"));
        ++row;
    }
    EXPECT_TRUE(form.takeAlerts().isEmpty());
}

TEST_F(AnnexTest, ChangingThePriceRaisesOnlyABaseBelowTheNewMinimum)
{
    form.type(Cell(1, 2), QStringLiteral("25"));
    form.type(Cell(1, 2), QStringLiteral("20"));
    EXPECT_EQ(form.value(Cell(1, 3)), QStringLiteral("18.75"));
    EXPECT_TRUE(form.takeAlerts().isEmpty());

    form.type(Cell(1, 2), QStringLiteral("30"));
    EXPECT_EQ(form.takeAlerts(), QStringList{kMinimumBaseMessage});
    EXPECT_EQ(form.value(Cell(1, 3)), QStringLiteral("22.5"));
    EXPECT_EQ(form.value(Cell(1, 2)), QStringLiteral("30.0000"));
    EXPECT_EQ(form.focused(), Cell(1, 3));
}

TEST_F(AnnexTest, ABaseBelowTheMinimumIsReportedAndKept)
{
    form.type(Cell(1, 2), QStringLiteral("25"));
    form.type(Cell(1, 3), QStringLiteral("18"));
    EXPECT_EQ(form.takeAlerts(), QStringList{kMinimumBaseMessage});
    EXPECT_EQ(form.value(Cell(1, 3)), QStringLiteral("18.00"));
    EXPECT_EQ(form.focused(), Cell(1, 3));

    form.type(Cell(1, 3), QStringLiteral("19"));
    EXPECT_TRUE(form.takeAlerts().isEmpty());
    EXPECT_EQ(form.value(Cell(1, 3)), QStringLiteral("19.00"));
}

// ---- Brands ----

TEST_F(AnnexTest, ABrandChosenTwiceIsRefusedInTheRowLeftSecond)
{
    const QStringList refused{QStringLiteral(
        "Error:\nUsted a ingresado dos veces la misma marca, por favor verifique que los datos que "
        "ingresó en la columna Marcas y Presentación, sean los correctos.")};
    // Row 3 complete, then the same brand in the last row.
    form.select(Cell(3, 1), Brand(51));
    form.type(Cell(3, 2), QStringLiteral("25"));
    form.type(Cell(3, 4), QStringLiteral("10"));
    form.select(Cell(15, 1), Brand(51));
    EXPECT_EQ(form.takeAlerts(), refused);
    EXPECT_EQ(form.value(Cell(3, 1)), Brand(51));
    EXPECT_EQ(form.value(Cell(15, 1)), QString());
    EXPECT_EQ(form.focused(), Cell(15, 1));

    // The last row first, then row 3.
    form.loadBlankForm();
    form.select(Cell(15, 1), Brand(51));
    form.select(Cell(3, 1), Brand(51));
    EXPECT_EQ(form.takeAlerts(), refused);
    EXPECT_EQ(form.value(Cell(15, 1)), Brand(51));
    EXPECT_EQ(form.value(Cell(3, 1)), QString());
    EXPECT_EQ(form.focused(), Cell(3, 1));
}

// ---- Earlier rows ----

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
        form.loadBlankForm();
        for (const auto& [column, value] : c.row1) {
            if (column == 1)
                form.select(Cell(1, column), value);
            else
                form.setValue(Cell(1, column), value);
        }
        form.type(Cell(4, 4), QStringLiteral("5"));
        EXPECT_EQ(form.value(Cell(4, 4)), QString()) << c.what;
        EXPECT_EQ(form.takeAlerts(), QStringList{c.message}) << c.what;
        EXPECT_EQ(form.focused(), Cell(1, c.focusColumn)) << c.what;
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
        form.js(QStringLiteral(
            "cambiatexto('recuadro', \"<table><tbody id='cuerpo1'>\" +"
            " '<tr><td>1</td><td>' + selectormarca('f11c1', '') + '</td><td><input name=f11c2 id=f11c2>'"
            " + '<input name=f11c3 id=f11c3><input name=f11c4 id=f11c4><input name=f11c5 id=f11c5>'"
            " + '<input name=f11c6 id=f11c6></td></tr>'"
            " + '<tr><td>2</td><td>' + selectormarca('f12c1', '') + '</td><td><input name=f12c2 id=f12c2>'"
            " + '<input name=f12c3 id=f12c3><input name=f12c4 id=f12c4><input name=f12c5 id=f12c5>'"
            " + '<input name=f12c6 id=f12c6></td></tr></tbody></table>');"
            "VANEXOSINICIALES[1] = 2; ANEXO[1] = 2;"
            "C.botonanexo1.onclick = function () { anexa(C.renglones1, 1); };"));
        form.select(Cell(2, 1), Brand(24));
        form.setValue(Cell(2, 2), QStringLiteral("25.0000"));
        form.setValue(Cell(2, 4), QStringLiteral("1.0000"));
    }
    int bodyRows() { return form.js(QStringLiteral("document.getElementById('cuerpo1').rows.length")).toInt(); }
};

TEST_F(AppendedRowsTest, AnexaAppendsRowsAfterTheBodysRowsAndKeepsTheirValues)
{
    askForRows(QStringLiteral("3"));
    EXPECT_EQ(rows(), 5);
    EXPECT_EQ(bodyRows(), 5);
    EXPECT_EQ(form.value(Cell(2, 1)), Brand(24));
    EXPECT_EQ(form.value(Cell(2, 2)), QStringLiteral("25.0000"));
    EXPECT_EQ(form.js(QStringLiteral("C.f15c1.options.length")).toInt(), int(kBrandCatalogue.size()));
    EXPECT_FALSE(exists(Cell(5, 7)));
    EXPECT_EQ(form.js(QStringLiteral("C.trenglon1.value + '/' + C.nrenglon1.value")).toString(),
              QStringLiteral("2/3"));

    // The new cells work like the others.
    form.select(Cell(3, 1), Brand(5));
    form.type(Cell(3, 2), QStringLiteral("25"));
    EXPECT_EQ(form.value(Cell(3, 3)), QStringLiteral("18.75"));
    EXPECT_TRUE(form.takeAlerts().isEmpty());
}

TEST_F(AppendedRowsTest, AnexaRefusesWhatAnexahtaRefuses)
{
    askForRows(QStringLiteral("1.5"));
    askForRows(QStringLiteral("102"));
    EXPECT_EQ(bodyRows(), 2);
    EXPECT_EQ(rows(), 2);
    const QStringList alerts = form.takeAlerts();
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_TRUE(alerts[0].endsWith(QStringLiteral("El máximo permitido es 103 renglones.")));

    askForRows(QStringLiteral("101"));
    EXPECT_EQ(rows(), 103);
    EXPECT_EQ(bodyRows(), 103);
}

}  // namespace
