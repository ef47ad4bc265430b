// The blank form as the view loads it: its fields as the markup declares
// them, and the form number in the header.
#include "form_harness.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTime>

#include <gtest/gtest.h>

namespace {

// One entry field of the page as its markup declares it. An empty text means
// the attribute is absent; "·" marks an attribute present with an empty value.
struct FieldMarkup {
    const char* name;
    const char* type;
    const char* cssClass;
    const char* size;
    const char* maxLength;
    const char* value;
    bool disabled;
    bool readOnly;
    const char* handler;  // onblur, or onclick for buttons
    const char* style;
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

QString PageMarkup()
{
    QFile file(QStringLiteral(":/form/form7316.html"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

// Every named control of the markup, as the markup declares it (before any
// script of the page has touched it), keyed by name.
QVariantMap DeclaredFields(FormHarness& form)
{
    const QString markup = QString::fromUtf8(
        QJsonDocument(QJsonArray{PageMarkup()}).toJson(QJsonDocument::Compact));
    return form.js(QStringLiteral(R"JS(
(function (markup) {
    var page = new DOMParser().parseFromString(markup, "text/html");
    var fields = {};
    function attribute(element, name) {
        var text = element.getAttribute(name);
        return text === null ? "" : (text === "" ? "·" : text);
    }
    Array.prototype.forEach.call(page.querySelectorAll("input[name], select[name]"), function (e) {
        fields[e.name] = {
            id: e.id, type: e.type, cssClass: attribute(e, "class"), size: attribute(e, "size"),
            maxLength: attribute(e, "maxlength"), value: attribute(e, "value"),
            disabled: e.hasAttribute("disabled"), readOnly: e.hasAttribute("readonly"),
            handler: attribute(e, e.type === "button" ? "onclick" : "onblur"),
            style: attribute(e, "style"), form: e.form ? e.form.name : ""
        };
    });
    return fields;
})(%1[0])
)JS").arg(markup)).toMap();
}

TEST(BlankFormTest, EveryEntryFieldIsDeclaredAsTheFormNeedsIt)
{
    FormHarness form;
    const QVariantMap declared = DeclaredFields(form);
    EXPECT_EQ(declared.size(), int(std::size(kFields)));
    for (const FieldMarkup& field : kFields) {
        SCOPED_TRACE(field.name);
        const QVariantMap actual = declared.value(QString::fromLatin1(field.name)).toMap();
        ASSERT_FALSE(actual.isEmpty()) << "missing";
        EXPECT_EQ(actual["id"].toString(), QString::fromLatin1(field.name));
        EXPECT_EQ(actual["form"].toString(), QStringLiteral("C"));
        EXPECT_EQ(actual["type"].toString(), QString::fromLatin1(field.type));
        EXPECT_EQ(actual["cssClass"].toString(), QString::fromLatin1(field.cssClass));
        EXPECT_EQ(actual["size"].toString(), QString::fromLatin1(field.size));
        EXPECT_EQ(actual["maxLength"].toString(), QString::fromLatin1(field.maxLength));
        EXPECT_EQ(actual["value"].toString(), QString::fromUtf8(field.value));
        EXPECT_EQ(actual["disabled"].toBool(), field.disabled);
        EXPECT_EQ(actual["readOnly"].toBool(), field.readOnly);
        EXPECT_EQ(actual["handler"].toString(), QString::fromLatin1(field.handler));
        EXPECT_EQ(actual["style"].toString(), QString::fromLatin1(field.style));
    }
}

TEST(BlankFormTest, TheHeaderPrintsTheFormNumberThatC1Holds)
{
    FormHarness form;
    const QString number = form.value(QStringLiteral("c1"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{8}$")).match(number).hasMatch()) << number.toStdString();
    const QString header = form.js(QStringLiteral("C.c1.parentNode.innerText.trim()")).toString();
    EXPECT_EQ(header, number);
    EXPECT_EQ(form.js(QStringLiteral("document.body.innerText.split(C.c1.value).length - 1")).toInt(), 1)
        << "the number is printed once";
}

TEST(BlankFormTest, ThePageHasItsTitleAndItsSectionsInOrder)
{
    FormHarness form;
    EXPECT_EQ(form.js(QStringLiteral("document.title")).toString(), QStringLiteral("Zorovirira DRN-No. 7316"));
    EXPECT_EQ(form.js(QStringLiteral("document.body.getAttribute('onload')")).toString(),
              QStringLiteral("inicializa(); numera_formulario();"));
    const QString text = form.js(QStringLiteral("document.body.innerText")).toString();
    const char* const sections[] = {
        "Dirección de Rentas Nacionales", "CIGARRILLOS", "DRN-7316", "Release 1.6",
        "Contraloría General de Cuentas", "NIT del contribuyente", "PERIODO", "MARCAS",
        "Cantidad de paquetes 10 x 20", "Totales", "DETERMINACION DEL IMPUESTO A PAGAR",
        "RECTIFICACIONES (llenar exclusivamente en caso de ser esta una rectificación)",
        "MULTA, INTERESES Y MORA", "(=) TOTAL A PAGAR", "perjurio"};
    qsizetype from = 0;
    for (const char* section : sections) {
        const qsizetype at = text.indexOf(QString::fromUtf8(section), from);
        EXPECT_GE(at, from) << section;
        from = at < 0 ? from : at;
    }
    EXPECT_EQ(form.js(QStringLiteral("document.getElementById('recuadro').style.position")).toString(),
              QStringLiteral("relative"));
}

TEST(NumeraFormularioTest, NumbersAnEmptyFormFromTheClockAndKeepsANumber)
{
    FormHarness form;
    const QVariantList run = form.js(QStringLiteral(
        "(function () {"
        "  function two(n) { return (n < 10 ? '0' : '') + n; }"
        "  function clock(d) { return two(d.getHours()) + two(d.getMinutes()) + two(d.getSeconds()); }"
        "  C.c1.value = '';"
        "  var before = clock(new Date());"
        "  numera_formulario();"
        "  var after = clock(new Date());"
        "  var first = C.c1.value;"
        "  numera_formulario();"
        "  return [before, after, first, C.c1.value];"
        "})()")).toList();
    ASSERT_EQ(run.size(), 4);
    const QString number = run[2].toString();
    ASSERT_EQ(number.size(), 8);
    EXPECT_TRUE(number.left(6) == run[0].toString() || number.left(6) == run[1].toString()) << number.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d$")).match(number.right(2)).hasMatch());
    EXPECT_EQ(run[3].toString(), number) << "a second call keeps the number";
}

}  // namespace
