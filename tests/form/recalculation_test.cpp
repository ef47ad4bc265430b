// The page's number formatting, its box table, and the recalculation pass that
// runs when a box is left: annex sums, deductions, rectification, balances.
#include "form_test.h"

using namespace formulario;

namespace {

const QString kComputedBoxes = "c2007 c2008 c2009 c2010 c2011 c2012 c2015 c2016 c2017 c2018 c2019 c2022 c2027 c2029";
const QString kRecalculate = "c3=Tabacalera del Norte, S.A.";  // leaving the name, which always passes, recalculates
const QString kLabels = "lyr2.textContent lyr3.textContent";   // of the rectification balance and the final balance

QString Labels(const QString& rectification, const QString& balance)
{
    return Message("label-" + rectification) + '|' + Message("label-" + balance);
}

using RecalculationTest = FormTest;

// The box table's defaults and presentation at start-up (read-only, disabled,
// alignment, weight), zeros after the first pass, and habilita enabling the
// boxes while keeping them read-only.
TEST_F(RecalculationTest, StartUpAppliesTheBoxTableAndTheFirstPassGivesZeros)
{
    EXPECT_EQ(form.values("c6 c2013 c2014 v2 v3 " + kComputedBoxes), "46|0.005|0.0025" + QString(16, '|'));
    EXPECT_EQ(js("['c1', 'c2', 'c2010', 'c2015', 'c2020', 'c2024', 'c2029', 'mes_ini'].map(function (n) {"
                 "  var s = C[n].style; return [C[n].readOnly, C[n].disabled, s.textAlign, s.fontWeight].join(' ');"
                 "}).join(',') + ' ' + ie"),
              "true true right ,false false center bold,true true right ,true true right ,false false center bold,"
              "false false right bold,true true right bold,false false  bold true");

    form.run(kRecalculate);
    EXPECT_EQ(form.values(kComputedBoxes + " v2 v3 c2023 c2028 c2013 c2014 " + kLabels),
              QStringList(14, "0").join('|') + "|0.00|0.00|||0.005|0.0025|" + Labels("pay-in", "balance-to-pay"));
    EXPECT_EQ(alerts(), QStringList());
    EXPECT_EQ(form.values("habilita() C.c2010.disabled C.c2010.readOnly C.c2024.disabled C.dia_ini.disabled"
                          " C.mes_ini.disabled C.anio_ini.disabled"), "undefined|false|true|false|true|false|false");
}

// Annex sums and deductions, a rectification leaving an amount to pay in,
// and one paying too much, then a fine that turns the balance.
TEST_F(RecalculationTest, SumsDeductionsRectificationAndBalances)
{
    const QString row = "f11c3:=10.00|f11c4:=100.0000|", paid = "c2020=7|c2021=10|";
    const QString toPay = Labels("pay-in", "balance-to-pay");
    expectCases({
        {row + kRecalculate, "c2007 c2010 c2015 c2016 c2017 c2018 c2019 c2029 " + kLabels,  // allows 5 and 2.5
         "100.00|1000.00|5|2.5|0|0|1000.00|1000.00|" + toPay, "", ""},
        // 5.28125 and 2.640625 rounded; calculated A is below its maximum, calculated B above
        {row + "f11c5:=0.3000|f11c6:=0.5000|f12c3:=18.75|f12c4:=3.0000|" + kRecalculate,
         "c2007 c2008 c2009 c2010 c2011 c2012 c2015 c2016 c2017 c2018 c2019 c2022 v2 c2027 v3 c2029 " + kLabels,
         "103.00|0.30|0.50|1056.25|3.00|5.00|5.28|2.64|3.00|2.64|1050.61|1050.61|1050.61|1050.61|1050.61|1050.61|" + toPay,
         "", ""},
        {row + "c2020=7|c2021=900|c2024=10|c2025=1.25|c2026=0.5", "c2021 c2022 c2023 v2 c2027 c2028 v3 c2029 " + kLabels,
         "900.00|100.00||100.00|111.75||111.75|111.75|" + toPay, "", ""},
        {paid, "c2019 c2022 c2023 v2 " + kLabels, "0||10.00|10.00|" + Labels("in-favour", "balance-in-favour"), "", ""},
        {paid + "c2024=4", "v3 c2027 c2028 c2029 " + kLabels, "-6.00||6.00|0|" + Labels("in-favour", "balance-in-favour"),
         "", ""},
        {paid + "c2024=25", "v3 c2027 c2028 c2029 " + kLabels, "15.00|15.00||15.00|" + Labels("in-favour", "balance-to-pay"),
         "", ""},
    });
}

// number is a script expression, a number or a text; expected is the JSON of
// the result: a quoted text, or null for what is no number.
TEST_F(RecalculationTest, FormatsToThePictureRoundingTheDecimalTextHalfUp)
{
    const struct { const char *number, *format, *expected; } cases[] = {
        // padding, and halves going up
        {"12.5", "0.00", R"("12.50")"}, {"'25'", "0.0000", R"("25.0000")"}, {"1.5", "0", R"("2")"}, {"0.4", "0", R"("0")"},
        {"0.125", "0.0#", R"("0.13")"}, {"0.5", "0.0#", R"("0.5")"}, {"5", "0.0#", R"("5.0")"},
        // binary floating point would round these down (1.005 is 1.00499999...): the
        // digits of the decimal text decide, and only the first dropped one
        {"1.005", "0.00", R"("1.01")"}, {"2.675", "0.00", R"("2.68")"}, {"1.0049", "0.00", R"("1.00")"},
        {"0.00005", "0.0000", R"("0.0001")"},
        // carries into the integer part
        {"0.999", "0.00", R"("1.00")"}, {"9.995", "0.00", R"("10.00")"}, {"99.9999", "0.00", R"("100.00")"},
        {"1099.995", "#,##0.00", R"("1,100.00")"},
        // the sign of a negative input is kept
        {"-0.004", "0.00", R"("-0.00")"}, {"'-5'", "0.00", R"("-5.00")"}, {"-1.005", "0.00", R"("-1.01")"},
        {"-5", "$0.00", "\"($5.00)\""},
        // separator, percent and currency pictures
        {"1234567.891", "#,##0.00", R"("1,234,567.89")"}, {"123", "#,##0", R"("123")"}, {"1000", "#,##0", R"("1,000")"},
        {"0.5", "0%", R"("50%")"}, {"1234.5", "$#,##0.00", R"("$1,234.50")"},
        // texts, and null for what is no number
        {"''", "0.00", R"("0.00")"}, {"' 12 '", "0.00", R"("12.00")"}, {"'abc'", "0.00", "null"},
        {"'1,000'", "0.00", "null"}, {"'12abc'", "0.00", "null"}, {"'Infinity'", "0.00", "null"}, {"null", "0.00", "null"},
        // numbers whose shortest text has an exponent still give their digits
        {"'0.0000001'", "0.00", R"("0.00")"}, {"0.0000006", "0.000000", R"("0.000001")"},
        {"1e21", "0.00", R"("1000000000000000000000.00")"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(js(QStringLiteral("JSON.stringify(formatNumber(%1, '%2'))").arg(c.number, c.format)), c.expected)
            << c.number << " with " << c.format;
}

// round2 sends halves up, towards positive infinity.
TEST_F(RecalculationTest, StripSeparateAndRound2)
{
    EXPECT_EQ(js("[strip('$1,234.5%', ',%$'), separate('1234567', ','), separate('123456', ','), separate('12', ','),"
                 " round2(0.125), round2(0.015), round2(-0.015), round2(2.344), round2(-2.346)].join(' ')"),
              "1234.5 1,234,567 123,456 12 0.13 0.02 -0.01 2.34 -2.35");
}

}  // namespace
