// The blank form as the view loads it: its fields as the markup declares
// them, and the form number in the header.
#include "form_harness.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// One entry field of the page as its markup declares it. An empty text means
// the attribute is absent; "·" marks an attribute present with an empty value.
struct FieldMarkup {
    const char *name, *type, *cssClass, *size, *maxLength, *value;
    bool disabled, readOnly;
    const char *handler, *style;  // handler: onblur, or onclick for buttons
};

constexpr char kCentred[] = "TEXT-ALIGN: center";
constexpr char kSmall[] = "FONT-SIZE: xx-small";
constexpr char kRight[] = "TEXT-ALIGN: right";
constexpr char kDate[] = "validacionesfecha()";

const FieldMarkup kFields[] = {
    // name         type      class        size  max  value    disab  ronly  handler  style
    {"c1",          "hidden", "",          "",   "",  "·",     false, false, "", ""},
    {"c2",          "text",   "",          "22", "13", "",     false, false, "validaciones(c2);nitsinguion();", kCentred},
    {"c3",          "text",   "",          "77", "80", "",     false, false, "validaciones(c3)", kCentred},
    {"dia_ini",     "text",   "lectura",   "2",  "2", "01",    true,  false, kDate, kSmall},
    {"mes_ini",     "text",   "",          "2",  "2", "",      false, false, kDate, kSmall},
    {"anio_ini",    "text",   "",          "8",  "4", "",      false, false, kDate, kSmall},
    {"dia_fin",     "text",   "lectura",   "2",  "2", "",      true,  false, kDate, kSmall},
    {"mes_fin",     "text",   "lectura",   "2",  "2", "",      true,  false, kDate, kSmall},
    {"anio_fin",    "text",   "lectura",   "8",  "4", "",      true,  false, kDate, kSmall},
    {"c4",          "hidden", "",          "",   "",  "·",     false, false, "", ""},
    {"c5",          "hidden", "",          "",   "",  "·",     false, false, "", ""},
    {"c6",          "hidden", "",          "",   "",  "·",     false, false, "", ""},
    {"renglones1",  "text",   "",          "5",  "3", "",      false, false, "", ""},
    {"botonanexo1", "button", "",          "",   "",  "Agregar renglones", false, false, "anexahta(C.renglones1,1);", ""},
    {"nrenglon1",   "hidden", "",          "",   "",  "0",     false, false, "", ""},
    {"trenglon1",   "hidden", "",          "",   "",  "0",     false, false, "", ""},
    {"c2007",       "text",   "lectura",   "10", "",  "",      false, false, "validaciones(c2007)", ""},
    {"c2008",       "text",   "lectura",   "10", "",  "",      false, false, "validaciones(c2008)", ""},
    {"c2009",       "text",   "lectura",   "10", "",  "",      false, false, "validaciones(c2009)", ""},
    {"c2010",       "text",   "lectura",   "23", "",  "",      false, false, "validaciones(c2010)", ""},
    {"c2011",       "text",   "lectura",   "10", "",  "",      false, false, "validaciones(c2011)", ""},
    {"c2012",       "text",   "lectura",   "10", "",  "",      false, false, "validaciones(c2012)", ""},
    {"c2013",       "hidden", "",          "",   "",  "·",     false, false, "", ""},
    {"c2014",       "hidden", "",          "",   "",  "·",     false, false, "", ""},
    {"c2015",       "text",   "lectura",   "10", "",  "",      false, false, "validaciones(c2015)", ""},
    {"c2016",       "text",   "lectura",   "10", "",  "",      false, false, "validaciones(c2016)", ""},
    {"c2017",       "text",   "lectura",   "10", "",  "",      false, false, "validaciones(c2017)", ""},
    {"c2018",       "text",   "lectura",   "10", "",  "",      false, false, "validaciones(c2018)", ""},
    {"c2019",       "text",   "lectura",   "23", "",  "",      false, false, "validaciones(c2019)", ""},
    {"c2020",       "text",   "",          "23", "13", "",     false, false, "validaciones(c2020);", ""},
    {"c2021",       "text",   "",          "23", "13", "",     false, false, "validaciones(c2021); valida_c2021();", ""},
    {"c2022",       "hidden", "",          "",   "",  "·",     false, false, "", ""},
    {"c2023",       "hidden", "",          "",   "",  "·",     false, false, "", ""},
    {"v2",          "text",   "lectura",   "23", "",  "",      true,  true,  "", kRight},
    {"c2024",       "text",   "",          "23", "13", "",     false, false, "validaciones(c2024); valida_c2024();", ""},
    {"c2025",       "text",   "",          "23", "13", "",     false, false, "validaciones(c2025)", ""},
    {"c2026",       "text",   "",          "23", "13", "",     false, false, "validaciones(c2026)", ""},
    {"c2027",       "hidden", "",          "",   "",  "·",     false, false, "", ""},
    {"c2028",       "hidden", "",          "",   "",  "·",     false, false, "", ""},
    {"v3",          "text",   "lectura",   "23", "",  "",      true,  true,  "", kRight},
    {"c2029",       "text",   "resaltado", "",   "",  "",      false, false, "validaciones(c2029)", ""},
    {"validar",     "button", "",          "",   "",  "    Generar   ", false, false,
     "if ( (valida_c2021()) && (valida_c2024())) validaarchivoanexo();",
     "height=40; FONT-FAMILY: verdana; FONT-SIZE: medium"},
};

// Every named control of the markup, as the markup declares it (before any
// script of the page has touched it): name -> "id|form|type|class|size|
// maxlength|value|disabled|readonly|handler|style".
QVariantMap DeclaredFields(FormHarness& form)
{
    QFile file(QStringLiteral(":/form/form7316.html"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray markup = QJsonDocument(QJsonArray{QString::fromUtf8(file.readAll())}).toJson(QJsonDocument::Compact);
    return form.js(QStringLiteral(R"JS(
(function (markup) {
    var page = new DOMParser().parseFromString(markup, "text/html");
    var fields = {};
    function attribute(e, name) {
        var text = e.getAttribute(name);
        return text === null ? "" : (text === "" ? "·" : text);
    }
    page.querySelectorAll("input[name], select[name]").forEach(function (e) {
        fields[e.name] = [e.id, e.form ? e.form.name : "", e.type, attribute(e, "class"), attribute(e, "size"),
            attribute(e, "maxlength"), attribute(e, "value"), e.hasAttribute("disabled"), e.hasAttribute("readonly"),
            attribute(e, e.type === "button" ? "onclick" : "onblur"), attribute(e, "style")].join("|");
    });
    return fields;
})(%1[0])
)JS").arg(QString::fromUtf8(markup))).toMap();
}

TEST(BlankFormTest, EveryEntryFieldIsDeclaredAsTheFormNeedsIt)
{
    FormHarness form;
    const QVariantMap declared = DeclaredFields(form);
    EXPECT_EQ(declared.size(), int(std::size(kFields)));
    for (const FieldMarkup& f : kFields) {
        const QStringList expected{f.name, "C", f.type, f.cssClass, f.size, f.maxLength, f.value,
                                   f.disabled ? "true" : "false", f.readOnly ? "true" : "false", f.handler, f.style};
        EXPECT_EQ(declared.value(f.name).toString(), expected.join('|')) << f.name;
    }
}

// The header prints c1's number once; the number is the clock's HHMMSS and
// two more digits, and a second numbering keeps it.
TEST(BlankFormTest, TheHeaderPrintsTheFormNumberThatC1Holds)
{
    FormHarness form;
    const QString number = form.value(QStringLiteral("c1"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{8}$")).match(number).hasMatch()) << number.toStdString();
    EXPECT_EQ(form.js(QStringLiteral("C.c1.parentNode.innerText.trim()")).toString(), number);
    EXPECT_EQ(form.js(QStringLiteral("document.body.innerText.split(C.c1.value).length - 1")).toInt(), 1)
        << "the number is printed once";

    const QVariantList run = form.js(QStringLiteral(
        "(function () {"
        "  function clock() { return new Date().toTimeString().slice(0, 8).replace(/:/g, ''); }"
        "  C.c1.value = '';"
        "  var before = clock();"
        "  numera_formulario();"
        "  var after = clock(), first = C.c1.value;"
        "  numera_formulario();"
        "  return [before, after, first, C.c1.value];"
        "})()")).toList();
    ASSERT_EQ(run.size(), 4);
    const QString renumbered = run[2].toString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{8}$")).match(renumbered).hasMatch()) << renumbered.toStdString();
    EXPECT_TRUE(renumbered.left(6) == run[0].toString() || renumbered.left(6) == run[1].toString())
        << renumbered.toStdString();
    EXPECT_EQ(run[3].toString(), renumbered) << "a second call keeps the number";
}

}  // namespace
