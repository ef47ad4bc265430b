// What assistive technology finds on the three pages: axe-core, run inside
// the real engine, reports no critical or serious fault on the blank form, a
// Consult page or a Modify page; and the names the fields carry.
#include "form_test.h"

using namespace formulario;

namespace {

// axe-core's checks over the page shown; gives, once they are done, the
// critical and serious faults as "rule ×count: first element" lines.
constexpr char kAxeRun[] = R"JS(window.axeFaults = undefined;
axe.run(document, { resultTypes: ["violations"] }).then(function (results) {
    window.axeFaults = results.violations.filter(function (v) {
        return v.impact == "critical" || v.impact == "serious";
    }).map(function (v) {
        return v.id + " \u00d7" + v.nodes.length + ": " + v.nodes[0].target.join(" ");
    });
}, function (error) { window.axeFaults = ["axe-core failed: " + error]; });)JS";

using AccessibilityTest = FormTest;

QStringList AxeFaults(FormHarness& form)
{
    static const QString axe = FileText(FORM_TEST_DATA "/axe/node_modules/axe-core/axe.min.js");
    if (axe.isEmpty())
        return {"axe-core is not installed (scripts/deps installs it)"};
    if (form.js("typeof axe").toString() != "object")
        form.js(axe + ";0");
    form.js(kAxeRun);
    if (!WaitFor([&form] { return form.js("window.axeFaults !== undefined").toBool(); }))
        return {"axe-core did not finish"};
    return form.js("window.axeFaults").toStringList();
}

TEST_F(AccessibilityTest, NoPageHasACriticalOrSeriousFault)
{
    const QString xml = FileText(FORM_TEST_DATA "/declaration_one_row.xml").trimmed()
                            .replace("{number}", "14302257").replace("{date}", "05/12/2026");
    const std::pair<const char*, std::function<bool()>> pages[] = {
        {"blank form", [] { return true; }},
        {"Consult page", [&] { return reopen(xml, ReopenMode::kConsult); }},
        {"Modify page", [&] { return reopen(xml, ReopenMode::kModify); }},
    };
    for (const auto& [page, show] : pages) {
        SCOPED_TRACE(page);
        form.reset();
        ASSERT_TRUE(show());
        EXPECT_EQ(AxeFaults(form), QStringList());
        EXPECT_EQ(js("document.documentElement.lang").toString(), "es");
    }
}

// Annex cells are named by their column's heading and their row, rows added
// later too; a balance by the label beside it, which changes with its sign.
TEST_F(AccessibilityTest, FieldsCarryTheNamesReadBesideThem)
{
    form.run("renglones1:=2|!botonanexo1|c2020=7|c2021=10");
    EXPECT_EQ(js("[C.f13c2, C.f117c1, C.c2].map(function (f) { return f.getAttribute('aria-label'); }).join('|')").toString(),
              "Precio sugerido, renglón 3|Marcas y presentación, renglón 17|NIT del contribuyente");
    EXPECT_EQ(js("document.getElementById(C.v2.getAttribute('aria-labelledby')).textContent.trim()").toString(),
              Message("label-in-favour"));
}

}  // namespace
