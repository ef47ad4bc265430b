// Checks of the boxes as the user leaves them: the tax period, the NIT, the
// number boxes, the rectification rules and the whole-form check.
#include "form_test.h"

#include <QDate>

using namespace formulario;

namespace {

using ValidationTest = FormTest;

// A typed period is completed, or its refused field emptied and focused.
TEST_F(ValidationTest, TypedPeriodsAreCompletedOrRefused)
{
    const QString period = "dia_ini mes_ini anio_ini dia_fin mes_fin anio_fin c4 c5", end = "mes_ini anio_ini dia_fin";
    const QString next = QString::number(QDate::currentDate().year() + 1), after = QString::number(next.toInt() + 1);
    expectCases({
        {"mes_ini=3|anio_ini=12", period, "01|03|2012|31|03|2012|01/03/2012|31/03/2012", "", ""},
        {"mes_ini=2|anio_ini=2016", period, "01|02|2016|29|02|2016|01/02/2016|29/02/2016", "", ""},
        {"mes_ini=2|anio_ini=2015", period, "01|02|2015|28|02|2015|01/02/2015|28/02/2015", "", ""},
        {"mes_ini=04|anio_ini=2013", period, "01|04|2013|30|04|2013|01/04/2013|30/04/2013", "", ""},
        {"mes_ini=12|anio_ini=" + next, period, QStringLiteral("01|12|%1|31|12|%1|01/12/%1|31/12/%1").arg(next), "", ""},
        {"mes_ini=3|anio_ini=2013|anio_ini:=|mes_ini=4", period, "01|4||||||", "", ""},  // the end is cleared
        {"mes_ini=3|anio_ini=95", period, "01|03|||||01/03/1995|", "before-2012", "anio_ini"},
        {"mes_ini=3|anio_ini=2011", period, "01|03|||||01/03/2011|", "before-2012", "anio_ini"},
        {"mes_ini=3|anio_ini=" + after, period, "01|03|||||01/03/" + after + '|', "two-years-ahead", "anio_ini"},
        {"mes_ini=3|anio_ini=20x3", period, "01|3||||||", "year-not-a-number", "anio_ini"},
        {"mes_ini=1|anio_ini=2012", end, "|2012|", "before-march-2012", "mes_ini"},
        {"mes_ini=2|anio_ini=2012", end, "|2012|", "before-march-2012", "mes_ini"},
        {"mes_ini=13|anio_ini=2012", end, "|2012|", "month-range", "mes_ini"},
        {"mes_ini=0|anio_ini=2012", end, "|2012|", "month-range", "mes_ini"},
        {"mes_ini=ma", end, "||", "month-not-a-number", "mes_ini"},  // refused as soon as it is left
        {"mes_ini=1.5|anio_ini=2013", end, "||", "invalid-date", "mes_ini"},  // no date: both emptied
    });
}

// Rules the page calls itself, in order: fecha on either side, periodovigente
// over both, the rectification's rules, and the whole-form check, which stops
// at the first blank required box. A refused start day sends the user to the
// month; the end fields and the start day cannot take the focus.
TEST_F(ValidationTest, RulesOfDatesPeriodRectificationAndWholeForm)
{
    const QString start = "fecha(C.c4) dia_ini", end = "fecha(C.c5) dia_fin", period = "periodovigente() dia_ini";
    const QString fine = "valida_c2024() c2024", paid = "valida_c2021() c2021", all = "formulariovalido() c2";
    expectCases({
        {"c4:=1/3/13", start, "true|01", "", "renglones1"}, {"c4:=010313", start, "true|01", "", "renglones1"},
        {"c4:=29/02/2016", start, "true|29", "", "renglones1"},
        {"c4:=29/02/2015", start, "false|01", "february-day", "mes_ini"},
        {"c4:=30/02/2016", start, "false|01", "february-day", "mes_ini"},
        {"c4:=31/04/2013", start + " c4", "false|01|31/04/2013", "thirty-days", "mes_ini"},
        {"c4:=32/03/2013", start, "false|01", "day-range", "mes_ini"},
        {"c4:=00/03/2013", start, "false|01", "day-range", "mes_ini"},
        {"c5:=31/11/2013", end, "false|", "thirty-days", "renglones1"}, {"c5:=30/11/2013", end, "true|30", "", "renglones1"},
        {"c5:=", end, "false|", "missing-month", "renglones1"},
        {"c4:=01/03/2013|c5:=31/03/2013", period, "true|01", "", "renglones1"},
        {"c4:=01/02/2016|c5:=29/02/2016", period, "true|01", "", "renglones1"},
        {"c4:=01/03/2013|c5:=30/04/2013", period, "false|01", "other-period", "renglones1"},
        {"c4:=15/03/2013|c5:=10/03/2013", period, "false|15", "end-before-start", "renglones1"},
        {"c4:=01/03/2013|c5:=30/03/2013", period, "false|01", "not-whole-month", "renglones1"},
        {"c4:=02/03/2013|c5:=31/03/2013", period, "false|02", "not-whole-month", "renglones1"},
        {"mes_ini:=4", period, "false|01", "missing-year", "anio_ini"},
        {"c2020:=|c2021:=|c2024:=", fine, "true|", "", "renglones1"},
        {"c2020:=|c2021:=|c2024:=0.00", fine, "true|0.00", "", "renglones1"},
        {"c2020:=7|c2021:=|c2024:=", fine, "false|", "", "c2021"},
        {"c2020:=7|c2021:=10.00|c2024:=", fine, "false|", "fine-missing", "c2024"},
        {"c2020:=7|c2021:=10.00|c2024:=0.00", fine, "false|", "fine-zero", "c2024"},
        {"c2020:=7|c2021:=0.00|c2024:=5.00", fine, "true|5.00", "", "renglones1"},
        {"c2020:=7|c2021:=", paid, "false|", "amount-paid-missing", "c2021"},
        {"c2020:=7|c2021:=0.00", paid, "true|0.00", "", "renglones1"}, {"c2020:=|c2021:=", paid, "true|", "", "renglones1"},
        {"c2:=", all, "false|", "blank", "c2"}, {"c2=12345679", all, "false|12345679", "blank", "c3"},
        {"c2=12345679|c3=Tabacalera|mes_ini=3|anio_ini=2013", "formulariovalido() c2010 c2029 c2015 c2013 c4",
         "true|0.00|0.00|0|0.005|01/03/2013", "", ""},  // amounts get two decimals; c2015 is no amount
    });
}

// A refused box is emptied and keeps the focus, and the computed boxes stay
// as they were; an accepted one is formatted. The pass empties a refused
// rectification box and sends the focus to the rectified declaration's
// number. The NIT is cleaned and its check digit tested; a refused NIT is
// selected for retyping.
TEST_F(ValidationTest, BoxesAreCheckedAndFormattedWhenLeft)
{
    expectCases({
        {"c2024=1,000", "c2024", "", "not-a-number", "c2024"}, {"c2026=abc", "c2026", "", "not-a-number", "c2026"},
        {"c2024=-5", "c2024", "", "below-zero", "c2024"}, {"c2024=5", "c2024", "5.00", "", ""},
        {"c2025=1.005", "c2025", "1.01", "", ""}, {"c2026= 12 ", "c2026", "12.00", "", ""},
        {"c2024=0", "c2024", "0.00", "", ""}, {"c2020=12", "c2020", "12", "", ""},
        {"c3=", "c3", "", "", ""},  // the name is required only when the declaration is generated
        {"c2020=1.5", "c2020", "", "not-a-whole-number", "c2020"}, {"c2020=abc", "c2020", "", "not-a-whole-number", "c2020"},
        {"c2024=5|c2024=abc", "c2024 c2029", "|5.00", "not-a-number", "c2024"},
        {"c2020=0", "c2020", "", "rectified-number", "c2020"},
        {"c2021=5", "c2021", "", "amount-paid-without-number", "c2020"},
        {"c2020=7|c2021", "c2021", "", "amount-paid-missing", "c2021"},  // the rectification's rules as boxes are left
        {"c2020=7|c2021=10|c2024=0", "c2024", "", "fine-zero", "c2024"},
        {"c2=12345679", "c2", "12345679", "", ""}, {"c2=1234560", "c2", "1234560", "", ""},  // 11 - 0 gives 0
        {"c2=100008K", "c2", "100008K", "", ""}, {"c2=100008k", "c2", "100008K", "", ""},  // 10 gives K
        {"c2= 0012345679", "c2", "12345679", "", ""}, {"c2=1234567-9", "c2", "12345679", "", ""}, {"c2=", "c2", "", "", ""},
        {"c2=12345678", "c2", "12345678", "nit-check-digit", "c2"}, {"c2=100008X", "c2", "100008X", "nit-check-digit", "c2"},
        {"c2=12A45679", "c2", "12A45679", "nit-check-digit", "c2"}, {"c2=0", "c2", "0", "nit-check-digit", "c2"},
        {"c2=12345678-90123", "c2", "12345678-90123", "nit-not-authorised", "c2"},  // 13 once the hyphen is gone
        {"c2=12345678901-2", "c2", "123456789012", "nit-check-digit", "c2"},        // 12 once the hyphen is gone
        {"c2=1234567890123", "c2 C.c2.selectionStart C.c2.selectionEnd", "1234567890123|0|13", "nit-not-authorised", "c2"},
    });
}

// The value the minimum check refuses is the formatted one, which the box
// shows while the message is up.
TEST_F(ValidationTest, ANegativeFineIsFormattedBeforeItsMinimumIsChecked)
{
    js("var realAlert = window.alert; window.alert = function (t) { window.seen = C.c2024.value; realAlert(t); };");
    form.run("c2024=-5");
    EXPECT_EQ(form.values("seen c2024"), "-5.00|");
    EXPECT_EQ(alerts(), alert("below-zero"));
}

}  // namespace
