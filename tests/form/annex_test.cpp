// The brand annex of the blank form: its rows, the checks of its cells, the
// minimum taxable base, unique brands, and rows appended on a regenerated page.
#include "form_test.h"

using namespace formulario;

namespace {

using AnnexTest = FormTest;

// The rows of the blank form are empty; each offers the empty option, then
// the catalogue.
TEST_F(AnnexTest, TheRowsAreEmptyAndOfferTheCatalogue)
{
    EXPECT_EQ(js("Array.from(C.elements).filter(function (e) { return /^f1/.test(e.name) && e.value != ''; }).length"), 0);
    QStringList catalogue{"="};  // value=text of each option
    for (std::size_t i = 1; i < kBrandCatalogue.size(); ++i)
        catalogue << Brand(int(i)) + '=' + Brand(int(i));
    for (const char* list : {"C.f11c1", "C.f18c1", "C.f115c1"})
        EXPECT_EQ(js(QStringLiteral("Array.from(%1.options, function (o) { return o.value + '=' + o.text; })").arg(list))
                      .toStringList(), catalogue) << list;
}

// The blank form has 15 rows. A count must be a whole number above 0
// (else it is emptied, with a message when it is no number at all) and keep
// the rows within 103; the rows asked for are added after those there are,
// which keep what they hold.
TEST_F(AnnexTest, AddsTheRowsAskedForUpToOneHundredAndThree)
{
    const QString rows = "renglones1 ANEXO[1] C.f116c1", ask = "|!botonanexo1";
    expectCases({{"", rows + " C.f115c6.id", "|15|undefined|f115c6", "", "renglones1"},
                 {"renglones1:=89" + ask, rows, "89|15|undefined", "too-many-rows", "renglones1"},
                 {"renglones1:=0" + ask, rows, "|15|undefined", "", "botonanexo1"},
                 {"renglones1:=-3" + ask, rows, "|15|undefined", "", "botonanexo1"},
                 {"renglones1:=1.5" + ask, rows, "|15|undefined", "", "botonanexo1"},
                 {"renglones1:=" + ask, rows, "|15|undefined", "", "botonanexo1"},
                 {"renglones1:=abc" + ask, rows, "|15|undefined", "not-a-number", "botonanexo1"},
                 {"renglones1:=1,000" + ask, rows, "|15|undefined", "not-a-number", "botonanexo1"},
                 {"f11c1=" + Brand(42) + "|f11c2=25|f11c4=100|f11c5=2|f115c1=" + Brand(66) + "|renglones1:=88" + ask,
                  "renglones1 ANEXO[1] C.f1103c6.id C.f1104c1 trenglon1 nrenglon1 f11c1 f11c2 f11c3 f11c4 f11c5 f115c1"
                  " f116c2",
                  "|103|f1103c6|undefined|15|88|" + Brand(42) + "|25.0000|18.75|100.0000|2.0000|" + Brand(66) + '|', "",
                  "botonanexo1"}});
}

// Each cell is checked with its column and the rows before it; leaving the
// packages shows the column totals as plain numbers; an empty base takes
// three quarters of the price, cut to four decimals, then rounded; a new
// price raises only a base below its minimum, and a typed base below it is
// reported and kept; a price of 0 (to four decimals) is refused; a taxed row
// needs a brand, kept as typed but reported; a brand may be chosen in one row only.
TEST_F(AnnexTest, CellsAreCheckedWithTheirColumnAndTheRowsBeforeThem)
{
    expectCases({
        {"f11c2=abc", "f11c2", "", "not-a-number", "f11c2"}, {"f11c4=-5", "f11c4", "", "below-zero", "f11c4"},
        {QStringLiteral("f11c1=%1|f11c2=25|f11c4=100|f12c1=%2|f12c2=10|f12c4=50|f12c5=12.5").arg(Brand(1), Brand(2)),
         "c2007 c2008 c2010", "150|12.5|2250.00", "", ""},  // 25 x 18.75 x 100 + 50 x 7.5
        {"f11c1=" + Brand(7) + "|f11c2=0", "f11c2 f11c3", "|", "price-zero", "f11c2"},
        {"f11c2=0.00004", "f11c2 f11c3", "|", "price-zero", "f11c2"},
        {"f11c2=25", "f11c3 f11c2", "18.75|25.0000", "", ""}, {"f11c2=19.99", "f11c3 f11c2", "14.99|19.9900", "", ""},
        {"f11c2=10.01", "f11c3 f11c2", "7.51|10.0100", "", ""}, {"f11c2=20000", "f11c3 f11c2", "15000|20000.0000", "", ""},
        {"f11c2=25|f11c2=20", "f11c3", "18.75", "", ""},
        {"f11c2=25|f11c2=20|f11c2=30", "f11c3", "22.5", "minimum-base", "f11c3"},
        {"f11c2=25|f11c3=18", "f11c3", "18.00", "minimum-base", "f11c3"},
        {"f11c2=25|f11c3=18|f11c3=19", "f11c3", "19.00", "minimum-base", ""},
        {"f11c1=" + Brand(7) + "|f14c4=5", "f14c4", "", "price-blank", "f11c2"},
        {"f11c1=" + Brand(7) + "|f11c2:=10|f14c4=5", "f14c4", "", "quantities-blank", "f11c4"},
        {"f11c2:=10|f11c5:=1|f14c4=5", "f14c4", "", "deduction-without-brand-or-price", "f11c1"},
        {"f11c2:=10|f11c6:=1|f14c4=5", "f14c4", "", "deduction-without-brand-or-price", "f11c1"},
        {"f11c2=25|f11c4=100", "f11c2 f11c4 c2010", "25.0000|100.0000|1875.00", "brand-blank", "f11c1"},
        {"f11c2:=25|f11c4:=100|f13c2=5", "f13c2", "", "brand-blank", "f11c1"},
        {"f13c1=" + Brand(51) + "|f13c2=25|f13c4=10|f115c1=" + Brand(51), "f13c1 f115c1", Brand(51) + '|', "brand-twice",
         "f115c1"},
        {"f115c1=" + Brand(51) + "|f13c1=" + Brand(51), "f115c1 f13c1", Brand(51) + '|', "brand-twice", "f13c1"},
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
    form.run("f12c1=" + Brand(24) + "|f12c2:=25.0000|f12c4:=1.0000|renglones1:=1.5|!botonanexo1|renglones1:=102"
             "|!botonanexo1");
    EXPECT_EQ(form.values("cuerpo1.rows.length ANEXO[1]"), "2|2");
    EXPECT_EQ(alerts(), alert("too-many-rows"));

    form.run("renglones1:=3|!botonanexo1");
    EXPECT_EQ(form.values("cuerpo1.rows.length ANEXO[1] C.f15c7 C.f15c1.options.length f12c1 f12c2 trenglon1 nrenglon1"),
              QStringLiteral("5|5|undefined|%1|").arg(kBrandCatalogue.size()) + Brand(24) + "|25.0000|2|3");
    form.run("f13c1=" + Brand(5) + "|f13c2=25");  // the new cells work like the others
    EXPECT_EQ(form.values("f13c3"), "18.75");
    EXPECT_EQ(alerts(), QStringList());
    form.run("renglones1:=98|!botonanexo1");
    EXPECT_EQ(form.values("cuerpo1.rows.length ANEXO[1]"), "103|103");
}

}  // namespace
