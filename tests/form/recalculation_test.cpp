// The box table on the page and the recalculation pass that runs when a box
// is left: sums over the brand annex, deductions, rectification and balances.
#include "blank_form_fixture.h"

#include <utility>
#include <vector>

namespace {

const char kPayIn[] = "(=) Valor a ingresar (impuesto a pagar menos valor ingresado)";
const char kInFavour[] = "(=) Valor a favor del contribuyente";
const char kBalanceToPay[] = "(=) Saldo a pagar (valor a ingresar más multa, intereses y mora)";
const char kBalanceInFavour[] = "(=) Saldo favor del contribuyente";

const char* const kComputedBoxes[] = {"c2007", "c2008", "c2009", "c2010", "c2011", "c2012", "c2015",
                                      "c2016", "c2017", "c2018", "c2019", "c2022", "c2027", "c2029"};

using Expected = std::vector<std::pair<const char*, const char*>>;

class RecalculationTest : public BlankFormTest {
protected:
    // Leaving the name box, which always passes, runs the recalculation.
    void Recalculate() { type("c3", "Tabacalera del Norte, S.A."); }

    // Base price, packages and the two deductions of an annex row.
    void FillRow(int row, const char* base, const char* packages, const char* deductionA = "",
                 const char* deductionB = "")
    {
        const char* values[] = {base, packages, deductionA, deductionB};
        for (int column = 3; column <= 6; ++column)
            form().setValue(QStringLiteral("f1%1c%2").arg(row).arg(column), Utf8(values[column - 3]));
    }

    // The values of the boxes, then the texts of the labels lyr2 and lyr3.
    void Expect(const Expected& boxes, const char* payInLabel = nullptr, const char* balanceLabel = nullptr)
    {
        for (const auto& [field, shown] : boxes)
            EXPECT_EQ(value(field), Utf8(shown)) << field;
        if (payInLabel) {
            EXPECT_EQ(text("document.getElementById('lyr2').textContent"), Utf8(payInLabel));
        }
        if (balanceLabel) {
            EXPECT_EQ(text("document.getElementById('lyr3').textContent"), Utf8(balanceLabel));
        }
    }
};

TEST_F(RecalculationTest, StartUpFillsTheDefaultsAndTheFirstPassGivesZeros)
{
    Expect({{"c6", "46"}, {"c2013", "0.005"}, {"c2014", "0.0025"}, {"v2", ""}, {"v3", ""}});
    for (const char* box : kComputedBoxes)
        EXPECT_EQ(value(box), QString()) << box;

    Recalculate();
    for (const char* box : kComputedBoxes)
        EXPECT_EQ(value(box), QStringLiteral("0")) << box;
    Expect({{"v2", "0.00"}, {"v3", "0.00"}, {"c2023", ""}, {"c2028", ""}, {"c2013", "0.005"}, {"c2014", "0.0025"}},
           kPayIn, kBalanceToPay);
    EXPECT_EQ(alerts(), QStringList());
    EXPECT_TRUE(js("ie").toBool());
}

TEST_F(RecalculationTest, StartUpPresentsEachBoxAsItsEntrySays)
{
    const std::pair<const char*, const char*> boxes[] = {  // read-only, disabled, alignment, weight
        {"c1", "true true right "}, {"c2", "false false center bold"}, {"c2010", "true true right "},
        {"c2015", "true true right "}, {"c2020", "false false center bold"}, {"c2024", "false false right bold"},
        {"c2029", "true true right bold"}, {"mes_ini", "false false  bold"}};
    for (const auto& [field, state] : boxes)
        EXPECT_EQ(text(QStringLiteral("[C.%1.readOnly, C.%1.disabled, C.%1.style.textAlign, C.%1.style.fontWeight]"
                                      ".join(' ')").arg(QLatin1String(field))),
                  QLatin1String(state)) << field;
}

// A tax of 1000 allows deductions of 5 and 2.5; then two rows with deductions.
TEST_F(RecalculationTest, SumsTheAnnexAndAppliesTheSmallerDeduction)
{
    FillRow(1, "10.00", "100.0000");
    Recalculate();
    Expect({{"c2007", "100.00"}, {"c2010", "1000.00"}, {"c2015", "5"}, {"c2016", "2.5"},
            {"c2017", "0"}, {"c2018", "0"}, {"c2019", "1000.00"}, {"c2029", "1000.00"}});

    FillRow(1, "10.00", "100.0000", "0.3000", "0.5000");
    FillRow(2, "18.75", "3.0000");
    Recalculate();
    Expect({{"c2007", "103.00"}, {"c2008", "0.30"}, {"c2009", "0.50"}, {"c2010", "1056.25"}, {"c2011", "3.00"},
            {"c2012", "5.00"}, {"c2015", "5.28"}, {"c2016", "2.64"},  // 5.28125 and 2.640625, rounded
            {"c2017", "3.00"},                                         // calculated A is below its maximum
            {"c2018", "2.64"},                                         // calculated B is above its maximum
            {"c2019", "1050.61"}, {"c2022", "1050.61"}, {"v2", "1050.61"}, {"c2027", "1050.61"},
            {"v3", "1050.61"}, {"c2029", "1050.61"}});
}

TEST_F(RecalculationTest, RectificationLeavingAnAmountToPayIn)
{
    FillRow(1, "10.00", "100.0000");
    for (const auto& [box, typed] : Expected{{"c2020", "7"}, {"c2021", "900"}, {"c2024", "10"},
                                             {"c2025", "1.25"}, {"c2026", "0.5"}})
        type(box, typed);
    Expect({{"c2021", "900.00"}, {"c2022", "100.00"}, {"c2023", ""}, {"v2", "100.00"},
            {"c2027", "111.75"}, {"c2028", ""}, {"v3", "111.75"}, {"c2029", "111.75"}},
           kPayIn, kBalanceToPay);
    EXPECT_EQ(alerts(), QStringList());
}

TEST_F(RecalculationTest, RectificationPayingTooMuchThenAFineThatTurnsTheBalance)
{
    type("c2020", "7");
    type("c2021", "10");
    Expect({{"c2019", "0"}, {"c2022", ""}, {"c2023", "10.00"}, {"v2", "10.00"}}, kInFavour);
    type("c2024", "4");
    Expect({{"v3", "-6.00"}, {"c2027", ""}, {"c2028", "6.00"}, {"c2029", "0"}}, nullptr, kBalanceInFavour);
    type("c2024", "25");
    Expect({{"v3", "15.00"}, {"c2027", "15.00"}, {"c2028", ""}, {"c2029", "15.00"}}, kInFavour, kBalanceToPay);
    EXPECT_EQ(alerts(), QStringList());
}

// The pass empties a rectification box it refuses and sends the focus to the
// rectified declaration's number.
TEST_F(RecalculationTest, RefusedRectificationBoxesAreEmptied)
{
    const struct {
        const char *box, *typed, *message;
    } cases[] = {
        {"c2020", "0", "Error:\nLa casilla “Nº de la declaración que se rectifica” contiene caracteres no permitidos."
                       "\nPor favor corrija el error ingresando números enteros mayores a cero"},
        {"c2021", "5", "Error:\nUsted ha llenado la casilla “Valor ingresado con la declaración que se rectifica” pero "
                       "ha dejado vacía la casilla “Nº de la declaración que se rectifica”.\nPor favor corrija el "
                       "error, llenando la casilla “Nº de declaración que se rectifica”"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        Reload();
        type(c.box, c.typed);
        EXPECT_EQ(alerts(), QStringList{Utf8(c.message)});
        EXPECT_EQ(value(c.box), QString());
        EXPECT_EQ(focused(), QStringLiteral("c2020"));
    }
}

TEST_F(RecalculationTest, Round2SendsHalvesUp)
{
    const std::pair<const char*, double> cases[] = {
        {"0.125", 0.13}, {"0.015", 0.02}, {"-0.015", -0.01}, {"2.344", 2.34}, {"-2.346", -2.35}};
    for (const auto& [x, rounded] : cases)
        EXPECT_DOUBLE_EQ(js(QStringLiteral("round2(%1)").arg(QLatin1String(x))).toDouble(), rounded) << x;
}

TEST_F(RecalculationTest, HabilitaEnablesBoxesButKeepsThemReadOnly)
{
    js("habilita()");
    EXPECT_EQ(text("[C.c2010.disabled, C.c2010.readOnly, C.c2024.disabled, C.dia_ini.disabled,"
                   " C.mes_ini.disabled, C.anio_ini.disabled].join(' ')"),
              QStringLiteral("false true false true false false"));
}

}  // namespace
