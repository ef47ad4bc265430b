// The box table on the page and the recalculation pass that runs when a box
// is left: sums over the brand annex, deductions, rectification and balances.
#include "form_test.h"

namespace {

const QString kComputedBoxes =
    QStringLiteral("c2007 c2008 c2009 c2010 c2011 c2012 c2015 c2016 c2017 c2018 c2019 c2022 c2027 c2029");
// Leaving the name box, which always passes, runs the recalculation.
const QString kRecalculate = QStringLiteral("c3=Tabacalera del Norte, S.A.");

class RecalculationTest : public FormTest {
protected:
    // The labels of the rectification balance and of the final balance: P
    // for an amount to pay, F for one in the taxpayer's favour.
    QString labels()
    {
        const QStringList texts = js(QStringLiteral("[lyr2.textContent, lyr3.textContent]")).toStringList();
        if (texts.size() != 2)
            return QStringLiteral("<no labels>");
        const auto code = [](const QString& text, const char* toPay, const char* inFavour) {
            return text == QString::fromUtf8(toPay) ? QLatin1Char('P')
                 : text == QString::fromUtf8(inFavour) ? QLatin1Char('F') : QLatin1Char('?');
        };
        return QString(code(texts[0], "(=) Valor a ingresar (impuesto a pagar menos valor ingresado)",
                            "(=) Valor a favor del contribuyente"))
             + code(texts[1], "(=) Saldo a pagar (valor a ingresar más multa, intereses y mora)",
                    "(=) Saldo favor del contribuyente");
    }
};

// The box table's defaults and presentation at start-up (read-only, disabled,
// alignment, weight), zeros after the first pass, and habilita enabling the
// boxes while keeping them read-only.
TEST_F(RecalculationTest, StartUpAppliesTheBoxTableAndTheFirstPassGivesZeros)
{
    EXPECT_EQ(form.values(QStringLiteral("c6 c2013 c2014 v2 v3")), QStringLiteral("46|0.005|0.0025||"));
    EXPECT_EQ(form.values(kComputedBoxes), QString(13, QLatin1Char('|')));
    EXPECT_EQ(js(QStringLiteral(
                  "['c1', 'c2', 'c2010', 'c2015', 'c2020', 'c2024', 'c2029', 'mes_ini'].map(function (n) {"
                  "  var s = C[n].style; return [C[n].readOnly, C[n].disabled, s.textAlign, s.fontWeight].join(' ');"
                  "}).join(',')")).toString(),
              QStringLiteral("true true right ,false false center bold,true true right ,true true right ,"
                             "false false center bold,false false right bold,true true right bold,false false  bold"));
    EXPECT_TRUE(js(QStringLiteral("ie")).toBool());

    form.run(kRecalculate);
    EXPECT_EQ(form.values(kComputedBoxes), QStringList(14, QStringLiteral("0")).join(QLatin1Char('|')));
    EXPECT_EQ(form.values(QStringLiteral("v2 v3 c2023 c2028 c2013 c2014")), QStringLiteral("0.00|0.00|||0.005|0.0025"));
    EXPECT_EQ(labels(), QStringLiteral("PP"));
    EXPECT_EQ(alerts(), QStringList());

    js(QStringLiteral("habilita()"));
    EXPECT_EQ(js(QStringLiteral("[C.c2010.disabled, C.c2010.readOnly, C.c2024.disabled, C.dia_ini.disabled,"
                                " C.mes_ini.disabled, C.anio_ini.disabled].join(' ')")).toString(),
              QStringLiteral("false true false true false false"));
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
         "100.00|1000.00|5|2.5|0|0|1000.00|1000.00", "PP"},
        // 5.28125 and 2.640625 rounded; calculated A is below its maximum, calculated B above
        {false, "f11c5:=0.3000|f11c6:=0.5000|f12c3:=18.75|f12c4:=3.0000|" + kRecalculate,
         "c2007 c2008 c2009 c2010 c2011 c2012 c2015 c2016 c2017 c2018 c2019 c2022 v2 c2027 v3 c2029",
         "103.00|0.30|0.50|1056.25|3.00|5.00|5.28|2.64|3.00|2.64|1050.61|1050.61|1050.61|1050.61|1050.61|1050.61", "PP"},
        // a rectification leaving an amount to pay in
        {true, "f11c3:=10.00|f11c4:=100.0000|c2020=7|c2021=900|c2024=10|c2025=1.25|c2026=0.5",
         "c2021 c2022 c2023 v2 c2027 c2028 v3 c2029", "900.00|100.00||100.00|111.75||111.75|111.75", "PP"},
        // paying too much, then a fine that turns the balance
        {true, "c2020=7|c2021=10", "c2019 c2022 c2023 v2", "0||10.00|10.00", "FF"},
        {false, "c2024=4", "v3 c2027 c2028 c2029", "-6.00||6.00|0", "FF"},
        {false, "c2024=25", "v3 c2027 c2028 c2029", "15.00|15.00||15.00", "FP"},
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
        form.reset();
        form.run(QStringLiteral("%1=%2").arg(QLatin1String(c.box), QLatin1String(c.typed)));
        EXPECT_EQ(alerts(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(form.value(QLatin1String(c.box)), QString());
        EXPECT_EQ(form.focused(), QStringLiteral("c2020"));
    }
}

}  // namespace
