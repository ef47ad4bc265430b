// Every problem of the declaration at once: the form's own checks run
// collecting, each problem at the field the form sends the person to,
// nothing in the form moved or changed by it, and "Generar" stopping at the
// first problem that stops it, with its message and focus.
#include "form_test.h"

using namespace formulario;

namespace {

using ProblemsTest = FormTest;

const QString kTaxpayer = "c2=12345679|c3=Tabacalera|mes_ini=3|anio_ini=2012|";
const QString kSameBrandTwice = "f12c1:=%1|f12c2:=10|f12c3:=7.5|f12c4:=1|f13c1:=%1|f13c2:=10|f13c3:=7.5|f13c4:=1";

// The steps, then the problems found: "field key" each, "field ~key" for
// one that does not stop "Generar", separated by '|'.
struct ProblemsCase {
    const char* name;
    QString steps, problems;
};

// What problemasdeclaracion() finds, written as ProblemsCase::problems.
QStringList Expected(const QString& problems)
{
    QStringList found;
    for (const QString& problem : problems.split('|', Qt::SkipEmptyParts)) {
        const QStringList parts = problem.split(' ');
        const bool notice = parts[1].startsWith('~');
        found << parts[0] + (notice ? " ~" : " ") + Message(parts[1].mid(notice ? 1 : 0));
    }
    return found;
}

// The first of `problems` that stops "Generar": its field and message.
std::optional<std::pair<QString, QString>> FirstStop(const QStringList& problems)
{
    for (const QString& problem : problems)
        if (!problem.contains(" ~"))
            return std::pair(problem.section(' ', 0, 0), problem.section(' ', 1));
    return std::nullopt;
}

TEST_F(ProblemsTest, AllAreFoundAtOnceAndGenerarStopsAtTheFirst)
{
    const ProblemsCase cases[] = {
        {"blank form", "", "mes_ini missing-month|c2 blank|c3 blank"},
        {"complete", kTaxpayer + "f11c1=" + Brand(3) + "|f11c2=25|f11c4=100", ""},
        {"four at once", "c2:=12345678|mes_ini=3|anio_ini=2012|f11c1=" + Brand(1) + "|f11c2=25|" +
             kSameBrandTwice.arg(Brand(5)),
         "f11c4 quantities-blank|c3 blank|c2 ~nit-check-digit|f12c1 ~brand-twice"},
        {"one brand in three rows", kTaxpayer + "f11c1:=" + Brand(5) + "|f11c2:=10|f11c3:=7.5|f11c4:=1|" +
             kSameBrandTwice.arg(Brand(5)),
         "f11c1 ~brand-twice|f12c1 ~brand-twice"},
        {"rows incomplete and a gap", kTaxpayer + "f11c1:=" + Brand(1) + "|f13c1:=" + Brand(2) +
             "|f13c2:=25|f13c3:=18.75|f13c4:=100",
         "f11c2 price-blank|f11c4 quantities-blank|f11c3 blank|f12c3 blank"},
        {"cells that do not fit their column", kTaxpayer + "f11c1:=" + Brand(1) +
             "|f11c2:=25|f11c3:=18.75|f11c4:=100|f11c5:=-1|f11c6:=abc",
         "f11c5 below-zero|f11c6 not-a-number"},
        {"a taxed row without a brand", kTaxpayer + "f11c2:=25|f11c3:=18.75|f11c4:=100", "f11c1 brand-blank"},
        {"a rectification without the amount paid", kTaxpayer + "c2020:=7", "c2021 amount-paid-missing"},
        {"a rectification without a fine", kTaxpayer + "c2020:=7|c2021:=10.00", "c2024 fine-missing"},
        {"a period before March 2012", "c2=12345679|c3=Tabacalera|mes_ini:=1|anio_ini:=2012|c4:=01/01/2012",
         "mes_ini before-march-2012"},
        {"a NIT with markup", kTaxpayer + "c2:=1234<5679", "c2 nit-markup"},
        {"a NIT not authorised", kTaxpayer + "c2:=1234567890123", "c2 ~nit-not-authorised"},
        {"a base below the minimum", kTaxpayer + "f11c1:=" + Brand(1) + "|f11c2:=25|f11c3:=10|f11c4:=100",
         "f11c3 ~minimum-base"},
    };
    const QString everything = "Array.from(C.elements, function (e) { return e.value; }).join('|')";
    for (const ProblemsCase& c : cases) {
        SCOPED_TRACE(c.name);
        form.reset();
        form.run(c.steps);
        alerts();
        const QString before = js(everything).toString(), focus = form.focused();
        const QStringList problems =
            js("problemasdeclaracion().map(function (p) { return p.campo + (p.detiene ? ' ' : ' ~') + p.mensaje; })")
                .toStringList();
        EXPECT_EQ(problems, Expected(c.problems));
        EXPECT_EQ(js(everything).toString(), before);
        EXPECT_EQ(form.focused(), focus);
        EXPECT_EQ(alerts(), QStringList());

        const auto stop = FirstStop(problems);
        form.run("!validar");
        EXPECT_EQ(form.takeHostCalls(stop ? 0 : 1).size(), stop ? 0 : 1);
        if (stop) {
            EXPECT_EQ(alerts().value(0), stop->second);
            EXPECT_EQ(form.focused(), stop->first);
        }
    }
}

}  // namespace
