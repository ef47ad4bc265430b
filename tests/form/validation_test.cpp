// Checks of the boxes as the user leaves them: the tax period, the NIT, the
// number boxes, the rectification rules and the whole-form check.
#include "form_test.h"

#include <QDate>

namespace {

using ValidationTest = FormTest;

// ---- Period ----

// A typed period is completed, or its refused field emptied and focused.
TEST_F(ValidationTest, TypedPeriodsAreCompletedOrRefused)
{
    const QString period = "dia_ini mes_ini anio_ini dia_fin mes_fin anio_fin c4 c5";
    const QString next = QString::number(QDate::currentDate().year() + 1);
    const QString twoAhead = QString::number(QDate::currentDate().year() + 2);
    const QString monthYearEnd = "mes_ini anio_ini dia_fin";
    expectCases({
        {"mes_ini=3|anio_ini=12", "", period, "01|03|2012|31|03|2012|01/03/2012|31/03/2012", ""},
        {"mes_ini=2|anio_ini=2016", "", period, "01|02|2016|29|02|2016|01/02/2016|29/02/2016", ""},
        {"mes_ini=2|anio_ini=2015", "", period, "01|02|2015|28|02|2015|01/02/2015|28/02/2015", ""},
        {"mes_ini=04|anio_ini=2013", "", period, "01|04|2013|30|04|2013|01/04/2013|30/04/2013", ""},
        {"mes_ini=12|anio_ini=" + next, "", period, QStringLiteral("01|12|%1|31|12|%1|01/12/%1|31/12/%1").arg(next), ""},
        {"mes_ini=3|anio_ini=2013|anio_ini:=|mes_ini=4", "", period, "01|4||||||", ""},  // the end is cleared
        {"mes_ini=3|anio_ini=95", "before-2012", period, "01|03|||||01/03/1995|", "anio_ini"},
        {"mes_ini=3|anio_ini=2011", "before-2012", period, "01|03|||||01/03/2011|", "anio_ini"},
        {"mes_ini=3|anio_ini=" + twoAhead, "two-years-ahead", period, QStringLiteral("01|03|||||01/03/%1|").arg(twoAhead), "anio_ini"},
        {"mes_ini=3|anio_ini=20x3", "year-not-a-number", period, "01|3||||||", "anio_ini"},
        {"mes_ini=1|anio_ini=2012", "before-march-2012", monthYearEnd, "|2012|", "mes_ini"},
        {"mes_ini=2|anio_ini=2012", "before-march-2012", monthYearEnd, "|2012|", "mes_ini"},
        {"mes_ini=13|anio_ini=2012", "month-range", monthYearEnd, "|2012|", "mes_ini"},
        {"mes_ini=0|anio_ini=2012", "month-range", monthYearEnd, "|2012|", "mes_ini"},
        {"mes_ini=ma", "month-not-a-number", monthYearEnd, "||", "mes_ini"},  // refused as soon as it is left
        {"mes_ini=1.5|anio_ini=2013", "invalid-date", monthYearEnd, "||", "mes_ini"},  // no date: both emptied
    });
}

// Rules the page calls itself, in order: fecha on either side, periodovigente
// over both, the rectification's rules, and the whole-form check, which stops
// at the first blank required box. A refused start day sends the user to the
// month; the end fields cannot take the focus (focus "": where it was).
TEST_F(ValidationTest, RulesOfDatesPeriodRectificationAndWholeForm)
{
    const struct {
        QString steps, check;
        bool passes;
        QString alert, focus, fields, after;
    } cases[] = {
        {"c4:=1/3/13", "fecha(C.c4)", true, "", "", "dia_ini", "01"},
        {"c4:=010313", "fecha(C.c4)", true, "", "", "dia_ini", "01"},
        {"c4:=29/02/2016", "fecha(C.c4)", true, "", "", "dia_ini", "29"},
        {"c4:=29/02/2015", "fecha(C.c4)", false, "february-day", "mes_ini", "dia_ini", "01"},
        {"c4:=30/02/2016", "fecha(C.c4)", false, "february-day", "mes_ini", "dia_ini", "01"},
        {"c4:=31/04/2013", "fecha(C.c4)", false, "thirty-days", "mes_ini", "dia_ini c4", "01|31/04/2013"},
        {"c4:=32/03/2013", "fecha(C.c4)", false, "day-range", "mes_ini", "dia_ini", "01"},
        {"c4:=00/03/2013", "fecha(C.c4)", false, "day-range", "mes_ini", "dia_ini", "01"},
        {"c5:=31/11/2013", "fecha(C.c5)", false, "thirty-days", "", "dia_fin", ""},
        {"c5:=30/11/2013", "fecha(C.c5)", true, "", "", "dia_fin", "30"},
        {"c5:=", "fecha(C.c5)", false, "missing-month", "", "dia_fin", ""},
        {"c4:=01/03/2013|c5:=31/03/2013", "periodovigente()", true, "", "", "dia_ini", "01"},
        {"c4:=01/02/2016|c5:=29/02/2016", "periodovigente()", true, "", "", "dia_ini", "01"},
        {"c4:=01/03/2013|c5:=30/04/2013", "periodovigente()", false, "other-period", "", "dia_ini", "01"},
        {"c4:=15/03/2013|c5:=10/03/2013", "periodovigente()", false, "end-before-start", "", "dia_ini", "15"},
        {"c4:=01/03/2013|c5:=30/03/2013", "periodovigente()", false, "not-whole-month", "", "dia_ini", "01"},
        {"c4:=02/03/2013|c5:=31/03/2013", "periodovigente()", false, "not-whole-month", "", "dia_ini", "02"},
        {"mes_ini:=4", "periodovigente()", false, "missing-year", "anio_ini", "dia_ini", "01"},
        {"c2020:=|c2021:=|c2024:=", "valida_c2024()", true, "", "", "c2024", ""},
        {"c2020:=|c2021:=|c2024:=0.00", "valida_c2024()", true, "", "", "c2024", "0.00"},
        {"c2020:=7|c2021:=|c2024:=", "valida_c2024()", false, "", "c2021", "c2024", ""},
        {"c2020:=7|c2021:=10.00|c2024:=", "valida_c2024()", false, "fine-missing", "c2024", "c2024", ""},
        {"c2020:=7|c2021:=10.00|c2024:=0.00", "valida_c2024()", false, "fine-zero", "c2024", "c2024", ""},
        {"c2020:=7|c2021:=0.00|c2024:=5.00", "valida_c2024()", true, "", "", "c2024", "5.00"},
        {"c2020:=7|c2021:=", "valida_c2021()", false, "amount-paid-missing", "c2021", "c2021", ""},
        {"c2020:=7|c2021:=0.00", "valida_c2021()", true, "", "", "c2021", "0.00"},
        {"c2020:=|c2021:=", "valida_c2021()", true, "", "", "c2021", ""},
        {"c2:=", "formulariovalido()", false, "blank", "c2", "c2", ""},
        {"c2=12345679", "formulariovalido()", false, "blank", "c3", "c2", "12345679"},
        {"c2=12345679|c3=Tabacalera del Norte, S.A.|mes_ini=3|anio_ini=2013", "formulariovalido()", true, "", "",
         "c2010 c2029 c2015 c2013 c4", "0.00|0.00|0|0.005|01/03/2013"},  // amounts get two decimals, c2015 none
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.steps + ' ' + c.check).toStdString());
        form.reset();
        form.run(c.steps);
        const QString focusBefore = form.focused();
        EXPECT_EQ(js(c.check).toBool(), c.passes);
        EXPECT_EQ(alerts(), alert(c.alert));
        EXPECT_EQ(form.focused(), c.focus.isEmpty() ? focusBefore : c.focus);
        EXPECT_EQ(form.values(c.fields), c.after);
    }
}

// ---- Boxes ----

// A refused box is emptied and keeps the focus, and the computed boxes stay
// as they were; an accepted one is formatted. The NIT is cleaned and its
// check digit tested; a refused NIT is selected for retyping.
TEST_F(ValidationTest, BoxesAreCheckedAndFormattedWhenLeft)
{
    expectCases({
        {"c2024=1,000", "not-a-number", "c2024", "", "c2024"}, {"c2026=abc", "not-a-number", "c2026", "", "c2026"},
        {"c2024=-5", "below-zero", "c2024", "", "c2024"}, {"c2024=5", "", "c2024", "5.00", ""},
        {"c2025=1.005", "", "c2025", "1.01", ""}, {"c2026= 12 ", "", "c2026", "12.00", ""}, {"c2024=0", "", "c2024", "0.00", ""},
        {"c2020=1.5", "not-a-whole-number", "c2020", "", "c2020"}, {"c2020=abc", "not-a-whole-number", "c2020", "", "c2020"},
        {"c2020=12", "", "c2020", "12", ""}, {"c3=", "", "c3", "", ""},  // c3 is required only when generating
        {"c2024=5|c2024=abc", "not-a-number", "c2024 c2029", "|5.00", "c2024"},
        {"c2020=7|c2021", "amount-paid-missing", "c2021", "", "c2021"},  // the rectification's rules as boxes are left
        {"c2020=7|c2021=10|c2024=0", "fine-zero", "c2024", "", "c2024"},
        {"c2=12345679", "", "c2", "12345679", ""}, {"c2=1234560", "", "c2", "1234560", ""},  // 11 - 0 gives 0
        {"c2=100008K", "", "c2", "100008K", ""}, {"c2=100008k", "", "c2", "100008K", ""},  // 10 gives K
        {"c2= 0012345679", "", "c2", "12345679", ""}, {"c2=1234567-9", "", "c2", "12345679", ""}, {"c2=", "", "c2", "", ""},
        {"c2=12345678", "nit-check-digit", "c2", "12345678", "c2"}, {"c2=100008X", "nit-check-digit", "c2", "100008X", "c2"},
        {"c2=12A45679", "nit-check-digit", "c2", "12A45679", "c2"}, {"c2=0", "nit-check-digit", "c2", "0", "c2"},
        {"c2=12345678-90123", "nit-not-authorised", "c2", "12345678-90123", "c2"},  // 13 once the hyphen is gone
        {"c2=12345678901-2", "nit-check-digit", "c2", "123456789012", "c2"},        // 12 once the hyphen is gone
        {"c2=1234567890123", "nit-not-authorised", "c2", "1234567890123", "c2"},
    });
    EXPECT_EQ(js("C.c2.selectionStart + '-' + C.c2.selectionEnd").toString(), "0-13");
}

TEST_F(ValidationTest, ANegativeFineIsFormattedBeforeItsMinimumIsChecked)
{
    // The value the minimum check refuses is the formatted one.
    js("C.c2024.value = '-5'; window.seen = null; var realAlert = window.alert;"
       "window.alert = function (t) { seen = C.c2024.value; realAlert(t); };");
    form.run("c2024");
    EXPECT_EQ(js("seen").toString(), "-5.00");
    EXPECT_EQ(alerts(), alert("below-zero"));
    EXPECT_EQ(form.value("c2024"), "");
}

}  // namespace
