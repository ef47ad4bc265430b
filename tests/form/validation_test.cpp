// Checks of the boxes as the user leaves them: the tax period, the NIT, the
// number boxes, the rectification rules and the whole-form check.
#include "form_test.h"

#include <QDate>

namespace {

// The form's messages, byte for byte.
const char kNotANumber[] = "Error:\nLa casilla debe ser numérica y el valor debe ser ingresado sin comas";
const char kNotAWholeNumber[] = "Error:\nLa casilla acepta unicamente valores enteros positivos. Por favor corrija ingresando un valor entero.";
const char kBelowZero[] = "Error:\nEl valor de la casilla está abajo del mínimo de 0 ";
const char kBlank[] = "Error:\nLa casilla está en blanco. Por favor llénela";
const char kBefore2012[] = "Error:\nEn este formulario puede declarar períodos de imposición a partir del año 2012,\nsi desea declarar períodos de imposición de más años de antigüedad utilice el formulario DRN-7317";
const char kBeforeMarch2012[] = "Error:\nEn este formulario puede declarar períodos de imposición a partir de marzo 2012,\nsi desea declarar períodos de imposición anteriores utilice el formulario DRN-7317";
const char kTwoYearsAhead[] = "Error:\nNo deben declararse períodos de imposición con dos o más años de anticipación.\nPor favor escriba correctamente las casillas “año”";
const char kMonthRange[] = "Error:\nEl mes debe estar entre 1 y 12";
const char kDayRange[] = "Error:\nEl dia debe estar entre 1 y el último día del mes";
const char kThirtyDays[] = "Error:\nEl último día del mes debe ser 30";
const char kFebruaryDay[] = "Error:\nDía incorrecto para este mes";
const char kMonthNotANumber[] = "Error:\nMes inicial inválido. No se aceptan campos alfanuméricos";
const char kYearNotANumber[] = "Error:\nAño inicial inválido. No se aceptan campos alfanuméricos";
const char kInvalidDate[] = "Error:\nLa fecha no es válida. Por favor escríbala correctamente.";
const char kMissingMonth[] = "Error:\nLa fecha no ha sido completada. Por favor complétela ingresando la casilla mes";
const char kMissingYear[] = "Error:\nLa fecha no ha sido completada. Por favor complétela ingresando la casilla año";
const char kOtherPeriod[] = "Error:\nEl Periodo a declarar que Ud. ingreso no corresponde al periodo para el que aplica este formulario";
const char kEndBeforeStart[] = "Error:\nEl periodo de imposición final no puede ser menor al inicial";
const char kNotWholeMonth[] = "Error:\nEl periodo declarado no es válido. Solo se acepta meses completos.\nEs decir que deben comenzar con día uno (1) y terminar el último día calendario del mismo mes y del mismo año";
const char kNitNotAuthorised[] = "Error:\nEl NIT ingresado no es un nit autorizado.\nPor favor ingrese el nit nuevamente";
const char kNitCheckDigit[] = "Error:\nEl NIT posee un dígito verificador inválido.\nPor favor escríbalo correctamente";
const char kAmountPaidMissing[] = "Error:\nUsted ha llenado la casilla \"No. de la declaración que se rectifica\", pero ha dejado vacia la casilla \"Valor ingresado con la declaración que se rectifica\". Por favor corrija el error, llenando la casilla \"Valor ingresado con la declaración que se rectifica\" con el valor correspondiente que debe ser  mayor o igual a cero.";
const char kFineMissing[] = "Error:\nUsted ha llenado la casilla \"No. de Declaración que se rectifica\" pero ha dejado vacia la casilla \"Multa\". Por favor corrija el error llenando la casilla \"Multa\".";
const char kFineZero[] = "Error:\nUsted ha llenado la casilla \"No. de Declaración que se rectifica\" por lo cual la casilla \"Multa\" debe contener un valor mayor a cero. Por favor corrija el error ingresando un valor mayor a cero en la casilla \"Multa\".";

// The alert a check shows: none for nullptr.
QStringList Alert(const char* message)
{
    return message ? QStringList{QString::fromUtf8(message)} : QStringList();
}

QString Text(const char* text)
{
    return QString::fromUtf8(text);
}

using ValidationTest = FormTest;

// ---- Period ----

TEST_F(ValidationTest, TypedYearsCompleteThePeriodOrAreEmptiedAndTakeTheFocus)
{
    const int thisYear = QDate::currentDate().year();
    const QString nextYear = QString::number(thisYear + 1), twoAhead = QString::number(thisYear + 2);
    const struct {
        QString steps;
        const char* message;  // nullptr: accepted
        QString period;       // start day, month, year, end day, month, year, c4, c5
    } cases[] = {
        {"mes_ini=3|anio_ini=12", nullptr, "01|03|2012|31|03|2012|01/03/2012|31/03/2012"},
        {"mes_ini=2|anio_ini=2016", nullptr, "01|02|2016|29|02|2016|01/02/2016|29/02/2016"},
        {"mes_ini=2|anio_ini=2015", nullptr, "01|02|2015|28|02|2015|01/02/2015|28/02/2015"},
        {"mes_ini=04|anio_ini=2013", nullptr, "01|04|2013|30|04|2013|01/04/2013|30/04/2013"},
        {"mes_ini=12|anio_ini=" + nextYear, nullptr, QStringLiteral("01|12|%1|31|12|%1|01/12/%1|31/12/%1").arg(nextYear)},
        {"mes_ini=3|anio_ini=2013|anio_ini:=|mes_ini=4", nullptr, "01|4||||||"},  // the end is cleared
        {"mes_ini=3|anio_ini=95", kBefore2012, "01|03|||||01/03/1995|"},
        {"mes_ini=3|anio_ini=2011", kBefore2012, "01|03|||||01/03/2011|"},
        {"mes_ini=3|anio_ini=" + twoAhead, kTwoYearsAhead, QStringLiteral("01|03|||||01/03/%1|").arg(twoAhead)},
        {"mes_ini=3|anio_ini=20x3", kYearNotANumber, "01|3||||||"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps.toStdString());
        form.reset();
        form.run(c.steps);
        EXPECT_EQ(alerts(), Alert(c.message));
        EXPECT_EQ(form.values(QStringLiteral("dia_ini mes_ini anio_ini dia_fin mes_fin anio_fin c4 c5")), c.period);
        EXPECT_EQ(form.focused(), c.message ? QStringLiteral("anio_ini") : QString());
    }
}

TEST_F(ValidationTest, RefusedMonthsAreEmptiedAndTakeTheFocus)
{
    const struct {
        const char *steps, *message, *after;  // after: month, year, end day
    } cases[] = {
        {"mes_ini=1|anio_ini=2012", kBeforeMarch2012, "|2012|"}, {"mes_ini=2|anio_ini=2012", kBeforeMarch2012, "|2012|"},
        {"mes_ini=13|anio_ini=2012", kMonthRange, "|2012|"},     {"mes_ini=0|anio_ini=2012", kMonthRange, "|2012|"},
        {"mes_ini=ma", kMonthNotANumber, "||"},                 // refused as soon as it is left
        {"mes_ini=1.5|anio_ini=2013", kInvalidDate, "||"},      // no date: month and year emptied
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        form.reset();
        form.run(Text(c.steps));
        EXPECT_EQ(alerts(), Alert(c.message));
        EXPECT_EQ(form.values(QStringLiteral("mes_ini anio_ini dia_fin")), Text(c.after));
        EXPECT_EQ(form.focused(), QStringLiteral("mes_ini"));
    }
}

// fecha on either side, and periodovigente over both; a refused start day
// sends the user to the month, and the end fields cannot take the focus
// (focus "": where it was).
TEST_F(ValidationTest, DatesAndPeriodsBreakingARuleAreRefused)
{
    const struct {
        const char *steps, *check;
        bool passes;
        const char *message, *focus, *fields, *after;
    } cases[] = {
        {"c4:=1/3/13", "fecha(C.c4)", true, nullptr, "", "dia_ini", "01"},
        {"c4:=010313", "fecha(C.c4)", true, nullptr, "", "dia_ini", "01"},
        {"c4:=29/02/2016", "fecha(C.c4)", true, nullptr, "", "dia_ini", "29"},
        {"c4:=29/02/2015", "fecha(C.c4)", false, kFebruaryDay, "mes_ini", "dia_ini", "01"},
        {"c4:=30/02/2016", "fecha(C.c4)", false, kFebruaryDay, "mes_ini", "dia_ini", "01"},
        {"c4:=31/04/2013", "fecha(C.c4)", false, kThirtyDays, "mes_ini", "dia_ini c4", "01|31/04/2013"},
        {"c4:=32/03/2013", "fecha(C.c4)", false, kDayRange, "mes_ini", "dia_ini", "01"},
        {"c4:=00/03/2013", "fecha(C.c4)", false, kDayRange, "mes_ini", "dia_ini", "01"},
        {"c5:=31/11/2013", "fecha(C.c5)", false, kThirtyDays, "", "dia_fin", ""},
        {"c5:=30/11/2013", "fecha(C.c5)", true, nullptr, "", "dia_fin", "30"},
        {"c5:=", "fecha(C.c5)", false, kMissingMonth, "", "dia_fin", ""},
        {"c4:=01/03/2013|c5:=31/03/2013", "periodovigente()", true, nullptr, "", "dia_ini", "01"},
        {"c4:=01/02/2016|c5:=29/02/2016", "periodovigente()", true, nullptr, "", "dia_ini", "01"},
        {"c4:=01/03/2013|c5:=30/04/2013", "periodovigente()", false, kOtherPeriod, "", "dia_ini", "01"},
        {"c4:=15/03/2013|c5:=10/03/2013", "periodovigente()", false, kEndBeforeStart, "", "dia_ini", "15"},
        {"c4:=01/03/2013|c5:=30/03/2013", "periodovigente()", false, kNotWholeMonth, "", "dia_ini", "01"},
        {"c4:=02/03/2013|c5:=31/03/2013", "periodovigente()", false, kNotWholeMonth, "", "dia_ini", "02"},
        {"mes_ini:=4", "periodovigente()", false, kMissingYear, "anio_ini", "dia_ini", "01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.steps) + ' ' + c.check);
        form.reset();
        form.run(Text(c.steps));
        const QString focusBefore = form.focused();
        EXPECT_EQ(js(Text(c.check)).toBool(), c.passes);
        EXPECT_EQ(alerts(), Alert(c.message));
        EXPECT_EQ(form.focused(), *c.focus ? Text(c.focus) : focusBefore);
        EXPECT_EQ(form.values(Text(c.fields)), Text(c.after));
    }
}

// ---- NIT ----

TEST_F(ValidationTest, TheNitIsCleanedAndItsCheckDigitTested)
{
    const struct {
        const char *typed, *kept;
        const char* message;  // nullptr: none
    } cases[] = {
        {"12345679", "12345679", nullptr},       {"1234560", "1234560", nullptr},  // 11 - 0 gives the digit 0
        {"100008K", "100008K", nullptr},         {"100008k", "100008K", nullptr},  // 10 gives K
        {" 0012345679", "12345679", nullptr},    {"1234567-9", "12345679", nullptr},
        {"12345678", "12345678", kNitCheckDigit}, {"100008X", "100008X", kNitCheckDigit},
        {"12A45679", "12A45679", kNitCheckDigit}, {"0", "0", kNitCheckDigit}, {"", "", nullptr},
        {"12345678-90123", "12345678-90123", kNitNotAuthorised},  // 13 once the hyphen is gone
        {"12345678901-2", "123456789012", kNitCheckDigit},        // 12 once the hyphen is gone
        {"1234567890123", "1234567890123", kNitNotAuthorised},    // last: selected for retyping
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        form.run(QStringLiteral("c2=") + Text(c.typed));
        EXPECT_EQ(form.value(QStringLiteral("c2")), Text(c.kept));
        EXPECT_EQ(alerts(), Alert(c.message));
    }
    EXPECT_EQ(js(QStringLiteral("C.c2.selectionStart + '-' + C.c2.selectionEnd")).toString(), QStringLiteral("0-13"));
}

// ---- Number boxes ----

// A refused box is emptied and keeps the focus, and the computed boxes stay
// as they were; an accepted one is formatted.
TEST_F(ValidationTest, NumberBoxesAreCheckedAndFormattedWhenLeft)
{
    const struct {
        const char *steps, *fields, *shown;  // the first field keeps the focus when refused
        const char* message;                 // nullptr: accepted
    } cases[] = {
        {"c2024=1,000", "c2024", "", kNotANumber},  {"c2026=abc", "c2026", "", kNotANumber},
        {"c2024=-5", "c2024", "", kBelowZero},      {"c2024=5", "c2024", "5.00", nullptr},
        {"c2025=1.005", "c2025", "1.01", nullptr},  {"c2026= 12 ", "c2026", "12.00", nullptr},
        {"c2024=0", "c2024", "0.00", nullptr},      {"c2020=1.5", "c2020", "", kNotAWholeNumber},
        {"c2020=abc", "c2020", "", kNotAWholeNumber}, {"c2020=12", "c2020", "12", nullptr},
        {"c3=", "c3", "", nullptr},  // required only when the declaration is generated
        {"c2024=5|c2024=abc", "c2024 c2029", "|5.00", kNotANumber},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        form.reset();
        form.run(Text(c.steps));
        EXPECT_EQ(form.values(Text(c.fields)), Text(c.shown));
        EXPECT_EQ(alerts(), Alert(c.message));
        EXPECT_EQ(form.focused(), c.message ? Text(c.fields).section(QLatin1Char(' '), 0, 0) : QString());
    }
}

TEST_F(ValidationTest, ANegativeFineIsFormattedBeforeItsMinimumIsChecked)
{
    // The value the minimum check refuses is the formatted one.
    js(QStringLiteral("C.c2024.value = '-5'; window.seen = null; var realAlert = window.alert;"
                      "window.alert = function (t) { seen = C.c2024.value; realAlert(t); };"));
    form.run(QStringLiteral("c2024"));
    EXPECT_EQ(js(QStringLiteral("seen")).toString(), QStringLiteral("-5.00"));
    EXPECT_EQ(alerts(), Alert(kBelowZero));
    EXPECT_EQ(form.value(QStringLiteral("c2024")), QString());
}

// ---- Rectification ----

TEST_F(ValidationTest, ValidaC2024RulesInOrder)
{
    const struct {
        const char* boxes;  // c2020, c2021, c2024
        bool passes;
        const char *message, *focus, *fineAfter;  // focus "": where it was
    } cases[] = {
        {"||", true, nullptr, "", ""},                   {"||0.00", true, nullptr, "", "0.00"},
        {"7||", false, nullptr, "c2021", ""},            {"7|10.00|", false, kFineMissing, "c2024", ""},
        {"7|10.00|0.00", false, kFineZero, "c2024", ""}, {"7|0.00|5.00", true, nullptr, "", "5.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.boxes);
        form.reset();
        const QStringList boxes = Text(c.boxes).split(QLatin1Char('|'));
        form.run(QStringLiteral("c2020:=%1|c2021:=%2|c2024:=%3").arg(boxes[0], boxes[1], boxes[2]));
        const QString focusBefore = form.focused();
        EXPECT_EQ(js(QStringLiteral("valida_c2024()")).toBool(), c.passes);
        EXPECT_EQ(alerts(), Alert(c.message));
        EXPECT_EQ(form.focused(), *c.focus ? Text(c.focus) : focusBefore);
        EXPECT_EQ(form.value(QStringLiteral("c2024")), Text(c.fineAfter));
    }
}

// valida_c2021 through the page and called itself, then the fine's rule as
// the box is left.
TEST_F(ValidationTest, LeavingTheRectificationBoxesRunsTheirRules)
{
    form.run(QStringLiteral("c2020=7|c2021"));
    EXPECT_EQ(alerts(), Alert(kAmountPaidMissing));
    EXPECT_EQ(form.focused(), QStringLiteral("c2021"));
    EXPECT_FALSE(js(QStringLiteral("valida_c2021()")).toBool());
    EXPECT_EQ(alerts(), Alert(kAmountPaidMissing));
    form.run(QStringLiteral("c2021:=0.00"));
    EXPECT_TRUE(js(QStringLiteral("valida_c2021()")).toBool());

    form.run(QStringLiteral("c2021=10|c2024=0"));
    EXPECT_EQ(alerts(), Alert(kFineZero));
    EXPECT_EQ(form.value(QStringLiteral("c2024")), QString());
    EXPECT_EQ(form.focused(), QStringLiteral("c2024"));

    form.run(QStringLiteral("c2020:=|c2021:="));
    EXPECT_TRUE(js(QStringLiteral("valida_c2021()")).toBool());
    EXPECT_EQ(alerts(), QStringList());
}

// ---- Whole form ----

TEST_F(ValidationTest, TheWholeFormStopsAtTheFirstBlankRequiredBoxAndAcceptsAValidForm)
{
    EXPECT_FALSE(js(QStringLiteral("formulariovalido()")).toBool());
    EXPECT_EQ(alerts(), Alert(kBlank));
    EXPECT_EQ(form.focused(), QStringLiteral("c2"));
    form.run(QStringLiteral("c2=12345679"));
    EXPECT_FALSE(js(QStringLiteral("formulariovalido()")).toBool());
    EXPECT_EQ(alerts(), Alert(kBlank));
    EXPECT_EQ(form.focused(), QStringLiteral("c3"));

    form.run(QStringLiteral("c3=Tabacalera del Norte, S.A.|mes_ini=3|anio_ini=2013"));
    EXPECT_EQ(form.value(QStringLiteral("c2029")), QStringLiteral("0"));
    EXPECT_TRUE(js(QStringLiteral("formulariovalido()")).toBool());
    EXPECT_EQ(alerts(), QStringList());
    // Every amount gets two decimals; c2015 is no amount.
    EXPECT_EQ(form.values(QStringLiteral("c2010 c2029 c2015 c2013 c4")), QStringLiteral("0.00|0.00|0|0.005|01/03/2013"));
}

}  // namespace
