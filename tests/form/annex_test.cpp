// The brand annex of the blank form: its rows, the checks of its cells, the
// minimum taxable base, unique brands, and rows appended on a regenerated page.
#include "form_test.h"

namespace {

class AnnexTest : public FormTest {
protected:
    void askForRows(const QString& count) { form.run("renglones1:=" + count + "|!botonanexo1"); }
};

TEST_F(AnnexTest, StartsWithFifteenEmptyRowsEachOfferingTheEmptyOptionThenTheCatalogue)
{
    EXPECT_EQ(rows(), 15);
    EXPECT_TRUE(exists("f115c6") && !exists("f116c1"));
    EXPECT_EQ(js("Array.from(C.elements).filter(function (e) { return /^f1/.test(e.name) && e.value != ''; }).length"
                 " + '|' + C.renglones1.value"), "0|");
    QStringList catalogue{"="};  // value=text of each option
    for (std::size_t i = 1; i < kBrandCatalogue.size(); ++i)
        catalogue << Brand(int(i)) + '=' + Brand(int(i));
    for (int row : {1, 8, 15})
        EXPECT_EQ(js("Array.from(C." + Cell(row, 1) + ".options, function (o) { return o.value + '=' + o.text; })")
                      .toStringList(), catalogue) << "row " << row;
}

// A count must be a whole number above 0 (else it is emptied, with a message
// when it is no number at all) and keep the rows within 103.
TEST_F(AnnexTest, RefusesCountsBeyondTheMaximumOrNotWholeNumbersAboveZero)
{
    const std::pair<QString, QString> cases[] = {{"89", "too-many-rows"}, {"0", ""}, {"-3", ""}, {"1.5", ""},
                                                 {"", ""}, {"abc", "not-a-number"}, {"1,000", "not-a-number"}};
    for (const auto& [count, message] : cases) {
        askForRows(count);
        EXPECT_TRUE(rows() == 15 && !exists("f116c1")) << count.toStdString();
        EXPECT_EQ(form.value("renglones1"), message == "too-many-rows" ? count : "") << count.toStdString();
        EXPECT_EQ(alerts(), alert(message)) << count.toStdString();
    }
}

TEST_F(AnnexTest, GrowsToOneHundredAndThreeRowsKeepingWhatTheRowsHeld)
{
    fillRow(1, 42, "25", "100");
    form.run("f11c5=2|f115c1=" + Brand(66));
    askForRows("88");
    EXPECT_EQ(rows(), 103);
    EXPECT_TRUE(exists("f1103c6") && !exists("f1104c1"));
    EXPECT_EQ(form.focused(), "botonanexo1");
    EXPECT_EQ(form.values("renglones1 trenglon1 nrenglon1 f11c1 f11c2 f11c3 f11c4 f11c5 f115c1 f116c1"),
              "|15|88|" + Brand(42) + "|25.0000|18.75|100.0000|2.0000|" + Brand(66) + '|');
    EXPECT_EQ(alerts(), QStringList());
}

// Each cell is checked with its column and the rows before it; leaving the
// packages shows the column totals as plain numbers; an empty base takes
// three quarters of the price, cut to four decimals, then rounded; a new
// price raises only a base below its minimum, and a typed base below it is
// reported and kept; a brand may be chosen in one row only.
TEST_F(AnnexTest, CellsAreCheckedWithTheirColumnAndTheRowsBeforeThem)
{
    expectCases({
        {"f11c2=abc", "not-a-number", "f11c2", "", "f11c2"}, {"f11c4=-5", "below-zero", "f11c4", "", "f11c4"},
        {QStringLiteral("f11c1=%1|f11c2=25|f11c4=100|f12c1=%2|f12c2=10|f12c4=50|f12c5=12.5").arg(Brand(1), Brand(2)),
         "", "c2007 c2008 c2010", "150|12.5|2250.00", ""},  // 25 x 18.75 x 100 + 50 x 7.5
        {"f11c2=25", "", "f11c3 f11c2", "18.75|25.0000", ""}, {"f11c2=19.99", "", "f11c3 f11c2", "14.99|19.9900", ""},
        {"f11c2=10.01", "", "f11c3 f11c2", "7.51|10.0100", ""}, {"f11c2=20000", "", "f11c3 f11c2", "15000|20000.0000", ""},
        {"f11c2=25|f11c2=20", "", "f11c3", "18.75", ""},
        {"f11c2=25|f11c2=20|f11c2=30", "minimum-base", "f11c3", "22.5", "f11c3"},
        {"f11c2=25|f11c3=18", "minimum-base", "f11c3", "18.00", "f11c3"},
        {"f11c2=25|f11c3=18|f11c3=19", "minimum-base", "f11c3", "19.00", ""},
        {"f11c1=" + Brand(7) + "|f14c4=5", "price-blank", "f14c4", "", "f11c2"},
        {"f11c1=" + Brand(7) + "|f11c2:=10|f14c4=5", "quantities-blank", "f14c4", "", "f11c4"},
        {"f11c2:=10|f11c5:=1|f14c4=5", "deduction-without-brand-or-price", "f14c4", "", "f11c1"},
        {"f11c2:=10|f11c6:=1|f14c4=5", "deduction-without-brand-or-price", "f14c4", "", "f11c1"},
        {QStringLiteral("f13c1=%1|f13c2=25|f13c4=10|f115c1=%1").arg(Brand(51)), "brand-twice", "f13c1 f115c1",
         Brand(51) + '|', "f115c1"},
        {QStringLiteral("f115c1=%1|f13c1=%1").arg(Brand(51)), "brand-twice", "f115c1 f13c1", Brand(51) + '|', "f13c1"},
    });
}

// A regenerated page keeps its rows in the table body "cuerpo1" and adds rows
// with anexa; here two such rows replace the blank form's annex. anexa
// refuses what anexahta refuses and keeps the rows' values.
TEST_F(AnnexTest, AnexaAppendsRowsAfterTheBodysRows)
{
    js("var fila = function (r) { var t = '<tr><td>' + r + '</td><td>' + selectormarca('f1' + r + 'c1', '') + '</td><td>';"
       "  for (var k = 2; k <= 6; k++) t += '<input name=f1' + r + 'c' + k + ' id=f1' + r + 'c' + k + '>';"
       "  return t + '</td></tr>'; };"
       "cambiatexto('recuadro', \"<table><tbody id='cuerpo1'>\" + fila(1) + fila(2) + '</tbody></table>');"
       "VANEXOSINICIALES[1] = 2; ANEXO[1] = 2;"
       "C.botonanexo1.onclick = function () { anexa(C.renglones1, 1); };");
    form.run("f12c1=" + Brand(24) + "|f12c2:=25.0000|f12c4:=1.0000");
    const auto bodyRows = [this] { return js("cuerpo1.rows.length").toInt(); };

    askForRows("1.5");
    askForRows("102");
    EXPECT_TRUE(bodyRows() == 2 && rows() == 2);
    EXPECT_EQ(alerts(), alert("too-many-rows"));

    askForRows("3");
    EXPECT_TRUE(bodyRows() == 5 && rows() == 5 && !exists("f15c7"));
    EXPECT_EQ(form.values("f12c1 f12c2 trenglon1 nrenglon1"), Brand(24) + "|25.0000|2|3");
    EXPECT_EQ(js("C.f15c1.options.length").toInt(), int(kBrandCatalogue.size()));
    form.run("f13c1=" + Brand(5) + "|f13c2=25");  // the new cells work like the others
    EXPECT_EQ(form.value("f13c3"), "18.75");
    EXPECT_EQ(alerts(), QStringList());

    askForRows("98");
    EXPECT_TRUE(bodyRows() == 103 && rows() == 103);
}

}  // namespace
