// The box table on the page and the recalculation pass that runs when a box
// is left: sums over the brand annex, deductions, rectification and balances.
#include "form_test.h"

namespace {

const QString kComputedBoxes = "c2007 c2008 c2009 c2010 c2011 c2012 c2015 c2016 c2017 c2018 c2019 c2022 c2027 c2029";
// Leaving the name box, which always passes, runs the recalculation.
const QString kRecalculate = "c3=Tabacalera del Norte, S.A.";

class RecalculationTest : public FormTest {
protected:
    // The labels of the rectification balance and of the final balance.
    QString labels() { return js("[lyr2.textContent, lyr3.textContent].join('|')").toString(); }
    QString labels(const char* rectification, const char* balance)
    {
        return Message(QStringLiteral("label-") + rectification) + '|' + Message(QStringLiteral("label-") + balance);
    }
};

// The box table's defaults and presentation at start-up (read-only, disabled,
// alignment, weight), zeros after the first pass, and habilita enabling the
// boxes while keeping them read-only.
TEST_F(RecalculationTest, StartUpAppliesTheBoxTableAndTheFirstPassGivesZeros)
{
    EXPECT_EQ(form.values("c6 c2013 c2014 v2 v3"), "46|0.005|0.0025||");
    EXPECT_EQ(form.values(kComputedBoxes), QString(13, '|'));
    EXPECT_EQ(js("['c1', 'c2', 'c2010', 'c2015', 'c2020', 'c2024', 'c2029', 'mes_ini'].map(function (n) {"
                 "  var s = C[n].style; return [C[n].readOnly, C[n].disabled, s.textAlign, s.fontWeight].join(' ');"
                 "}).join(',') + ' ' + ie"),
              "true true right ,false false center bold,true true right ,true true right ,false false center bold,"
              "false false right bold,true true right bold,false false  bold true");

    form.run(kRecalculate);
    EXPECT_EQ(form.values(kComputedBoxes + " v2 v3 c2023 c2028 c2013 c2014"),
              QStringList(14, "0").join('|') + "|0.00|0.00|||0.005|0.0025");
    EXPECT_EQ(labels(), labels("pay-in", "balance-to-pay"));
    EXPECT_EQ(alerts(), QStringList());

    js("habilita()");
    EXPECT_EQ(js("[C.c2010.disabled, C.c2010.readOnly, C.c2024.disabled, C.dia_ini.disabled, C.mes_ini.disabled,"
                 " C.anio_ini.disabled].join(' ')"), "false true false true false false");
}

// Each scenario starts on the blank form; its steps go on from the one before.
TEST_F(RecalculationTest, SumsDeductionsRectificationAndBalances)
{
    const struct {
        bool fresh;
        QString steps, boxes, values, labels;
    } steps[] = {
        // a tax of 1000 allows deductions of 5 and 2.5
        {true, "f11c3:=10.00|f11c4:=100.0000|" + kRecalculate, "c2007 c2010 c2015 c2016 c2017 c2018 c2019 c2029",
         "100.00|1000.00|5|2.5|0|0|1000.00|1000.00", labels("pay-in", "balance-to-pay")},
        // 5.28125 and 2.640625 rounded; calculated A is below its maximum, calculated B above
        {false, "f11c5:=0.3000|f11c6:=0.5000|f12c3:=18.75|f12c4:=3.0000|" + kRecalculate,
         "c2007 c2008 c2009 c2010 c2011 c2012 c2015 c2016 c2017 c2018 c2019 c2022 v2 c2027 v3 c2029",
         "103.00|0.30|0.50|1056.25|3.00|5.00|5.28|2.64|3.00|2.64|1050.61|1050.61|1050.61|1050.61|1050.61|1050.61",
         labels("pay-in", "balance-to-pay")},
        // a rectification leaving an amount to pay in
        {true, "f11c3:=10.00|f11c4:=100.0000|c2020=7|c2021=900|c2024=10|c2025=1.25|c2026=0.5",
         "c2021 c2022 c2023 v2 c2027 c2028 v3 c2029", "900.00|100.00||100.00|111.75||111.75|111.75",
         labels("pay-in", "balance-to-pay")},
        // paying too much, then a fine that turns the balance
        {true, "c2020=7|c2021=10", "c2019 c2022 c2023 v2", "0||10.00|10.00", labels("in-favour", "balance-in-favour")},
        {false, "c2024=4", "v3 c2027 c2028 c2029", "-6.00||6.00|0", labels("in-favour", "balance-in-favour")},
        {false, "c2024=25", "v3 c2027 c2028 c2029", "15.00|15.00||15.00", labels("in-favour", "balance-to-pay")},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.steps.toStdString());
        if (step.fresh)
            form.reset();
        form.run(step.steps);
        EXPECT_EQ(form.values(step.boxes), step.values);
        EXPECT_EQ(labels(), step.labels);
        EXPECT_EQ(alerts(), QStringList());
    }
}

// The pass empties a rectification box it refuses and sends the focus to the
// rectified declaration's number.
TEST_F(RecalculationTest, RefusedRectificationBoxesAreEmptied)
{
    expectCases({{"c2020=0", "rectified-number", "c2020", "", "c2020"},
                 {"c2021=5", "amount-paid-without-number", "c2021", "", "c2020"}});
}

}  // namespace
