// Checks of the boxes as the user leaves them: the tax period, the NIT, the
// number boxes, the rectification rules and the whole-form check.
#include "blank_form_fixture.h"

#include <QDate>

#include <utility>

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

const int kThisYear = QDate::currentDate().year();

// The alert a check shows: none for nullptr.
QStringList Alert(const char* message)
{
    return message ? QStringList{Utf8(message)} : QStringList();
}

class ValidationTest : public BlankFormTest {
protected:
    // The period as the fields hold it: start day, month, year, end day,
    // month, year, c4, c5.
    QString period()
    {
        return text("[C.dia_ini.value, C.mes_ini.value, C.anio_ini.value, C.dia_fin.value,"
                    " C.mes_fin.value, C.anio_fin.value, C.c4.value, C.c5.value].join('|')");
    }
};

// ---- Period ----

TEST_F(ValidationTest, TypedYearsCompleteThePeriodOrAreEmptiedAndTakeTheFocus)
{
    const QString nextYear = QString::number(kThisYear + 1), twoAhead = QString::number(kThisYear + 2);
    const struct {
        QString month, year;
        const char* message;  // nullptr: accepted
        QString period;
    } cases[] = {
        {"3", "12", nullptr, "01|03|2012|31|03|2012|01/03/2012|31/03/2012"},
        {"2", "2016", nullptr, "01|02|2016|29|02|2016|01/02/2016|29/02/2016"},
        {"2", "2015", nullptr, "01|02|2015|28|02|2015|01/02/2015|28/02/2015"},
        {"04", "2013", nullptr, "01|04|2013|30|04|2013|01/04/2013|30/04/2013"},
        {"12", nextYear, nullptr, QStringLiteral("01|12|%1|31|12|%1|01/12/%1|31/12/%1").arg(nextYear)},
        {"3", "95", kBefore2012, "01|03|||||01/03/1995|"},
        {"3", "2011", kBefore2012, "01|03|||||01/03/2011|"},
        {"3", twoAhead, kTwoYearsAhead, QStringLiteral("01|03|||||01/03/%1|").arg(twoAhead)},
        {"3", "20x3", kYearNotANumber, "01|3||||||"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.month + '/' + c.year).toStdString());
        Reload();
        form().type(QStringLiteral("mes_ini"), c.month);
        form().type(QStringLiteral("anio_ini"), c.year);
        EXPECT_EQ(alerts(), Alert(c.message));
        EXPECT_EQ(period(), c.period);
        if (c.message) {
            EXPECT_EQ(focused(), QStringLiteral("anio_ini"));
        }
    }
}

TEST_F(ValidationTest, RefusedMonthsAreEmptiedAndTakeTheFocus)
{
    const struct {
        const char* month;
        const char* year;  // nullptr: not typed
        const char* message;
        const char* yearAfter;
    } cases[] = {
        {"1", "2012", kBeforeMarch2012, "2012"}, {"2", "2012", kBeforeMarch2012, "2012"},
        {"13", "2012", kMonthRange, "2012"},     {"0", "2012", kMonthRange, "2012"},
        {"ma", nullptr, kMonthNotANumber, ""},  // refused as soon as it is left
        {"1.5", "2013", kInvalidDate, ""},       // no date: month and year emptied
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.month);
        Reload();
        type("mes_ini", c.month);
        if (c.year)
            type("anio_ini", c.year);
        EXPECT_EQ(alerts(), Alert(c.message));
        EXPECT_EQ(value("mes_ini"), QString());
        EXPECT_EQ(value("anio_ini"), QLatin1String(c.yearAfter));
        EXPECT_EQ(value("dia_fin"), QString());
        EXPECT_EQ(focused(), QStringLiteral("mes_ini"));
    }
}

TEST_F(ValidationTest, LeavingTheMonthWithoutYearClearsTheEndAndGenerationAsksForTheYear)
{
    type("mes_ini", "3");
    type("anio_ini", "2013");
    setValue("anio_ini", "");
    type("mes_ini", "4");
    EXPECT_EQ(alerts(), QStringList());
    EXPECT_EQ(period(), QStringLiteral("01|4||||||"));

    EXPECT_FALSE(js("periodovigente()").toBool());
    EXPECT_EQ(alerts(), Alert(kMissingYear));
    EXPECT_EQ(focused(), QStringLiteral("anio_ini"));
}

TEST_F(ValidationTest, DatesBreakingADayRuleAreRefused)
{
    const struct {
        const char *box, *date;
        bool valid;
        const char* message;  // nullptr: none
        const char* day;      // the side's day afterwards
    } cases[] = {
        {"c4", "1/3/13", true, nullptr, "01"},           {"c4", "010313", true, nullptr, "01"},
        {"c4", "29/02/2016", true, nullptr, "29"},       {"c4", "29/02/2015", false, kFebruaryDay, "01"},
        {"c4", "30/02/2016", false, kFebruaryDay, "01"}, {"c4", "31/04/2013", false, kThirtyDays, "01"},
        {"c4", "32/03/2013", false, kDayRange, "01"},    {"c4", "00/03/2013", false, kDayRange, "01"},
        {"c5", "31/11/2013", false, kThirtyDays, ""},    {"c5", "30/11/2013", true, nullptr, "30"},
        {"c5", "", false, kMissingMonth, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.box) + ' ' + c.date);
        Reload();
        setValue(c.box, c.date);
        EXPECT_EQ(js(QStringLiteral("fecha(C.%1)").arg(QLatin1String(c.box))).toBool(), c.valid);
        EXPECT_EQ(alerts(), Alert(c.message));
        EXPECT_EQ(value(c.box[1] == '4' ? "dia_ini" : "dia_fin"), Utf8(c.day));
    }
    // A refused start day sends the user to the month; the end fields cannot
    // take the focus.
    Reload();
    setValue("c4", "31/04/2013");
    js("fecha(C.c4)");
    EXPECT_EQ(focused(), QStringLiteral("mes_ini"));
    EXPECT_EQ(value("c4"), QStringLiteral("31/04/2013"));
}

TEST_F(ValidationTest, ThePeriodMustBeOneWholeMonth)
{
    const struct {
        const char *start, *end;
        const char* message;  // nullptr: accepted
    } cases[] = {
        {"01/03/2013", "31/03/2013", nullptr},         {"01/02/2016", "29/02/2016", nullptr},
        {"01/03/2013", "30/04/2013", kOtherPeriod},    {"15/03/2013", "10/03/2013", kEndBeforeStart},
        {"01/03/2013", "30/03/2013", kNotWholeMonth}, {"02/03/2013", "31/03/2013", kNotWholeMonth},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " - " + c.end);
        setValue("c4", c.start);
        setValue("c5", c.end);
        EXPECT_EQ(js("periodovigente()").toBool(), c.message == nullptr);
        EXPECT_EQ(alerts(), Alert(c.message));
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
        type("c2", c.typed);
        EXPECT_EQ(value("c2"), Utf8(c.kept));
        EXPECT_EQ(alerts(), Alert(c.message));
    }
    EXPECT_EQ(text("C.c2.selectionStart + '-' + C.c2.selectionEnd"), QStringLiteral("0-13"));
}

// ---- Number boxes ----

TEST_F(ValidationTest, NumberBoxesAreCheckedAndFormattedWhenLeft)
{
    const struct {
        const char *box, *typed, *shown;
        const char* message;  // nullptr: accepted
    } cases[] = {
        {"c2024", "1,000", "", kNotANumber},        {"c2026", "abc", "", kNotANumber},
        {"c2024", "-5", "", kBelowZero},            {"c2024", "5", "5.00", nullptr},
        {"c2025", "1.005", "1.01", nullptr},        {"c2026", " 12 ", "12.00", nullptr},
        {"c2024", "0", "0.00", nullptr},            {"c2020", "1.5", "", kNotAWholeNumber},
        {"c2020", "abc", "", kNotAWholeNumber},     {"c2020", "12", "12", nullptr},
        {"c3", "", "", nullptr},  // required only when the declaration is generated
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.typed);
        Reload();
        type(c.box, c.typed);
        EXPECT_EQ(value(c.box), Utf8(c.shown));
        EXPECT_EQ(alerts(), Alert(c.message));
        EXPECT_EQ(focused(), c.message ? QString::fromLatin1(c.box) : QString());
    }
}

TEST_F(ValidationTest, ARefusedBoxLeavesTheComputedBoxesAsTheyWere)
{
    type("c2024", "5");
    EXPECT_EQ(value("c2029"), QStringLiteral("5.00"));
    type("c2024", "abc");
    alerts();
    EXPECT_EQ(value("c2024"), QString());
    EXPECT_EQ(value("c2029"), QStringLiteral("5.00"));
}

TEST_F(ValidationTest, ANegativeFineIsFormattedBeforeItsMinimumIsChecked)
{
    // The value the minimum check refuses is the formatted one.
    js("C.c2024.value = '-5'; window.seen = null;"
       "var realAlert = window.alert;"
       "window.alert = function (t) { seen = C.c2024.value; realAlert(t); };");
    form().leave(QStringLiteral("c2024"));
    EXPECT_EQ(text("seen"), QStringLiteral("-5.00"));
    EXPECT_EQ(alerts(), Alert(kBelowZero));
    EXPECT_EQ(value("c2024"), QString());
}

// ---- Rectification ----

TEST_F(ValidationTest, ValidaC2024RulesInOrder)
{
    const struct {
        const char *number, *paid, *fine;  // c2020, c2021, c2024
        bool passes;
        const char* message;  // nullptr: none
        const char* focus;    // "": where it was
        const char* fineAfter;
    } cases[] = {
        {"", "", "", true, nullptr, "", ""},                  {"", "", "0.00", true, nullptr, "", "0.00"},
        {"7", "", "", false, nullptr, "c2021", ""},           {"7", "10.00", "", false, kFineMissing, "c2024", ""},
        {"7", "10.00", "0.00", false, kFineZero, "c2024", ""}, {"7", "0.00", "5.00", true, nullptr, "", "5.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.number) + "|" + c.paid + "|" + c.fine);
        Reload();
        setValue("c2020", c.number);
        setValue("c2021", c.paid);
        setValue("c2024", c.fine);
        const QString focusBefore = focused();
        EXPECT_EQ(js("valida_c2024()").toBool(), c.passes);
        EXPECT_EQ(alerts(), Alert(c.message));
        EXPECT_EQ(focused(), *c.focus ? QString::fromLatin1(c.focus) : focusBefore);
        EXPECT_EQ(value("c2024"), QLatin1String(c.fineAfter));
    }
}

// valida_c2021 through the page and called itself, then the fine's rule as
// the box is left.
TEST_F(ValidationTest, LeavingTheRectificationBoxesRunsTheirRules)
{
    type("c2020", "7");
    form().leave(QStringLiteral("c2021"));
    EXPECT_EQ(alerts(), Alert(kAmountPaidMissing));
    EXPECT_EQ(focused(), QStringLiteral("c2021"));
    EXPECT_FALSE(js("valida_c2021()").toBool());
    EXPECT_EQ(alerts(), Alert(kAmountPaidMissing));
    setValue("c2021", "0.00");
    EXPECT_TRUE(js("valida_c2021()").toBool());

    type("c2021", "10");
    type("c2024", "0");
    EXPECT_EQ(alerts(), Alert(kFineZero));
    EXPECT_EQ(value("c2024"), QString());
    EXPECT_EQ(focused(), QStringLiteral("c2024"));

    setValue("c2020", "");
    setValue("c2021", "");
    EXPECT_TRUE(js("valida_c2021()").toBool());
    EXPECT_EQ(alerts(), QStringList());
}

// ---- Whole form ----

TEST_F(ValidationTest, TheWholeFormStopsAtTheFirstBlankRequiredBoxAndAcceptsAValidForm)
{
    EXPECT_FALSE(js("formulariovalido()").toBool());
    EXPECT_EQ(alerts(), Alert(kBlank));
    EXPECT_EQ(focused(), QStringLiteral("c2"));
    type("c2", "12345679");
    EXPECT_FALSE(js("formulariovalido()").toBool());
    EXPECT_EQ(alerts(), Alert(kBlank));
    EXPECT_EQ(focused(), QStringLiteral("c3"));

    type("c3", "Tabacalera del Norte, S.A.");
    type("mes_ini", "3");
    type("anio_ini", "2013");
    EXPECT_EQ(value("c2029"), QStringLiteral("0"));
    EXPECT_TRUE(js("formulariovalido()").toBool());
    EXPECT_EQ(alerts(), QStringList());
    // Every amount gets two decimals; c2015 is no amount.
    const std::pair<const char*, const char*> boxes[] = {
        {"c2010", "0.00"}, {"c2029", "0.00"}, {"c2015", "0"}, {"c2013", "0.005"}, {"c4", "01/03/2013"}};
    for (const auto& [box, shown] : boxes)
        EXPECT_EQ(value(box), QLatin1String(shown)) << box;
}

}  // namespace
