// The box table on the page and the recalculation pass that runs when a box
// is left: sums over the brand annex, deductions, rectification and balances.
#include "blank_form_fixture.h"

#include <utility>
#include <vector>

namespace {

const char kPayInLabel[] = "(=) Valor a ingresar (impuesto a pagar menos valor ingresado)";
const char kInFavourLabel[] = "(=) Valor a favor del contribuyente";
const char kBalanceToPayLabel[] = "(=) Saldo a pagar (valor a ingresar más multa, intereses y mora)";
const char kBalanceInFavourLabel[] = "(=) Saldo favor del contribuyente";

const char* const kComputedBoxes[] = {"c2007", "c2008", "c2009", "c2010", "c2011", "c2012",
                                      "c2015", "c2016", "c2017", "c2018", "c2019", "c2022",
                                      "c2027", "c2029"};

using Expected = std::vector<std::pair<const char*, const char*>>;

class RecalculationTest : public BlankFormTest {
protected:
    // Leaving the name box, which always passes, runs the recalculation.
    void Recalculate() { type("c3", "Tabacalera del Norte, S.A."); }

    // The first rows of the brand annex: the annex's own rows once it is
    // built, until then plain cells in the form with ANEXO[1] counting them.
    void UseAnnexRows(int rows)
    {
        js(QStringLiteral(
               "(function (rows) {"
               "  if (document.getElementsByName('f1' + rows + 'c6').length) return;"
               "  var holder = document.createElement('div');"
               "  holder.style.display = 'none';"
               "  for (var r = 1; r <= rows; r++)"
               "    for (var k = 1; k <= 6; k++) {"
               "      var cell = document.createElement('input');"
               "      cell.name = cell.id = 'f1' + r + 'c' + k;"
               "      holder.appendChild(cell);"
               "    }"
               "  document.forms.C.appendChild(holder);"
               "  ANEXO[1] = rows;"
               "})(%1)")
               .arg(rows));
    }

    void FillRow(int row, const char* base, const char* packages, const char* deductionA,
                 const char* deductionB)
    {
        const char* values[] = {base, packages, deductionA, deductionB};
        for (int column = 3; column <= 6; ++column)
            form().setValue(QStringLiteral("f1%1c%2").arg(row).arg(column), Utf8(values[column - 3]));
    }

    QString label(const char* id)
    {
        return text(QStringLiteral("document.getElementById('%1').textContent").arg(QLatin1String(id)));
    }

    void ExpectValues(const Expected& expected)
    {
        for (const auto& [field, shown] : expected)
            EXPECT_EQ(value(field), Utf8(shown)) << field;
    }
};

TEST_F(RecalculationTest, StartUpFillsTheDefaultsAndLeavesComputedBoxesEmpty)
{
    ExpectValues({{"c6", "46"}, {"c2013", "0.005"}, {"c2014", "0.0025"}, {"v2", ""}, {"v3", ""}});
    for (const char* box : kComputedBoxes)
        EXPECT_EQ(value(box), QString()) << box;
}

TEST_F(RecalculationTest, StartUpPresentsEachBoxAsItsEntrySays)
{
    struct Presentation {
        const char* field;
        const char* state;  // read-only, disabled, alignment, weight
    };
    const Presentation boxes[] = {
        {"c1", "true true right "},
        {"c2", "false false center bold"},
        {"c2010", "true true right "},
        {"c2015", "true true right "},
        {"c2020", "false false center bold"},
        {"c2024", "false false right bold"},
        {"c2029", "true true right bold"},
        {"mes_ini", "false false  bold"},
    };
    for (const Presentation& box : boxes) {
        const QString state = text(QStringLiteral(
            "(function (f) { return [f.readOnly, f.disabled, f.style.textAlign, f.style.fontWeight].join(' '); })"
            "(C.%1)").arg(QLatin1String(box.field)));
        EXPECT_EQ(state, QLatin1String(box.state)) << box.field;
    }
}

TEST_F(RecalculationTest, FirstRecalculationOfTheBlankFormGivesZeros)
{
    Recalculate();
    for (const char* box : kComputedBoxes)
        EXPECT_EQ(value(box), QStringLiteral("0")) << box;
    ExpectValues({{"v2", "0.00"}, {"v3", "0.00"}, {"c2023", ""}, {"c2028", ""},
                  {"c2013", "0.005"}, {"c2014", "0.0025"}});
    EXPECT_EQ(label("lyr2"), Utf8(kPayInLabel));
    EXPECT_EQ(label("lyr3"), Utf8(kBalanceToPayLabel));
    EXPECT_EQ(alerts(), QStringList());
    EXPECT_TRUE(js("ie").toBool());
}

TEST_F(RecalculationTest, ATaxOf1000AllowsDeductionsOf5And2Point5)
{
    UseAnnexRows(1);
    FillRow(1, "10.00", "100.0000", "", "");
    Recalculate();
    ExpectValues({{"c2007", "100.00"}, {"c2010", "1000.00"}, {"c2015", "5"}, {"c2016", "2.5"},
                  {"c2017", "0"}, {"c2018", "0"}, {"c2019", "1000.00"}, {"c2029", "1000.00"}});
}

TEST_F(RecalculationTest, SumsTheAnnexAndAppliesTheSmallerDeduction)
{
    UseAnnexRows(2);
    FillRow(1, "10.00", "100.0000", "0.3000", "0.5000");
    FillRow(2, "18.75", "3.0000", "", "");
    Recalculate();
    ExpectValues({
        {"c2007", "103.00"}, {"c2008", "0.30"}, {"c2009", "0.50"},
        {"c2010", "1056.25"}, {"c2011", "3.00"}, {"c2012", "5.00"},
        {"c2015", "5.28"}, {"c2016", "2.64"},   // 5.28125 and 2.640625, rounded
        {"c2017", "3.00"},                      // calculated A is below its maximum
        {"c2018", "2.64"},                      // calculated B is above its maximum
        {"c2019", "1050.61"}, {"c2022", "1050.61"}, {"v2", "1050.61"},
        {"c2027", "1050.61"}, {"v3", "1050.61"}, {"c2029", "1050.61"},
    });
}

TEST_F(RecalculationTest, RectificationLeavingAnAmountToPayIn)
{
    UseAnnexRows(1);
    FillRow(1, "10.00", "100.0000", "", "");
    type("c2020", "7");
    type("c2021", "900");
    type("c2024", "10");
    type("c2025", "1.25");
    type("c2026", "0.5");
    ExpectValues({{"c2021", "900.00"}, {"c2022", "100.00"}, {"c2023", ""}, {"v2", "100.00"},
                  {"c2027", "111.75"}, {"c2028", ""}, {"v3", "111.75"}, {"c2029", "111.75"}});
    EXPECT_EQ(label("lyr2"), Utf8(kPayInLabel));
    EXPECT_EQ(label("lyr3"), Utf8(kBalanceToPayLabel));
    EXPECT_EQ(alerts(), QStringList());
}

TEST_F(RecalculationTest, RectificationPayingTooMuchThenAFineThatTurnsTheBalance)
{
    type("c2020", "7");
    type("c2021", "10");
    ExpectValues({{"c2019", "0"}, {"c2022", ""}, {"c2023", "10.00"}, {"v2", "10.00"}});
    EXPECT_EQ(label("lyr2"), Utf8(kInFavourLabel));

    type("c2024", "4");
    ExpectValues({{"v3", "-6.00"}, {"c2027", ""}, {"c2028", "6.00"}, {"c2029", "0"}});
    EXPECT_EQ(label("lyr3"), Utf8(kBalanceInFavourLabel));

    type("c2024", "25");
    ExpectValues({{"v3", "15.00"}, {"c2027", "15.00"}, {"c2028", ""}, {"c2029", "15.00"}});
    EXPECT_EQ(label("lyr3"), Utf8(kBalanceToPayLabel));
    EXPECT_EQ(label("lyr2"), Utf8(kInFavourLabel));
    EXPECT_EQ(alerts(), QStringList());
}

TEST_F(RecalculationTest, ARectifiedDeclarationNumberOf0IsRefusedByThePass)
{
    type("c2020", "0");
    EXPECT_EQ(alerts(), QStringList{Utf8("Error:\nLa casilla “Nº de la declaración que se rectifica” contiene caracteres no permitidos.\nPor favor corrija el error ingresando números enteros mayores a cero")});
    EXPECT_EQ(value("c2020"), QString());
    EXPECT_EQ(focused(), QStringLiteral("c2020"));
}

TEST_F(RecalculationTest, AnAmountPaidWithoutTheRectifiedNumberIsCleared)
{
    type("c2021", "5");
    EXPECT_EQ(alerts(), QStringList{Utf8("Error:\nUsted ha llenado la casilla “Valor ingresado con la declaración que se rectifica” pero ha dejado vacía la casilla “Nº de la declaración que se rectifica”.\nPor favor corrija el error, llenando la casilla “Nº de declaración que se rectifica”")});
    EXPECT_EQ(value("c2021"), QString());
    EXPECT_EQ(focused(), QStringLiteral("c2020"));
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
    const QString state = text(
        "[C.c2010.disabled, C.c2010.readOnly, C.c2024.disabled, C.dia_ini.disabled,"
        " C.mes_ini.disabled, C.anio_ini.disabled].join(' ')");
    EXPECT_EQ(state, QStringLiteral("false true false true false false"));
}

}  // namespace
