// The res: scheme serves the form's resources at the page's own addresses.
#include "form_harness.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

struct ServedResource {
    const char* address;
    const char* file;
};

// Every address the blank form uses, and the file each must deliver.
const ServedResource kServedResources[] = {
    {"res://Formulario7316.exe/#23/#131", ":/form/form7316.html"},
    {"res://Formulario7316.exe/#23/#132", ":/form/form7316.css"},
    {"res://Formulario7316.exe/#23/#133", ":/form/configuracion7316.js"},
    {"res://Formulario7316.exe/#23/#134", ":/form/validaciones.js"},
    {"res://Formulario7316.exe/#23/#135", ":/form/validacionesanexo.js"},
    {"res://Formulario7316.exe/#23/#136", ":/form/funciones.js"},
};

QString FileText(const char* path)
{
    QFile file(QString::fromLatin1(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QString::fromUtf8(file.readAll());
}

// Status and text of a request made from the page, as the page's own loads are.
QVariantList Fetch(FormHarness& form, const QString& address)
{
    return form.js(QStringLiteral(
        "(function () {"
        "  var request = new XMLHttpRequest();"
        "  try { request.open('GET', '%1', false); request.send(); }"
        "  catch (e) { return [0, String(e)]; }"
        "  return [request.status, request.responseText];"
        "})()").arg(address)).toList();
}

TEST(ResSchemeTest, EveryAddressOfThePageServesItsResource)
{
    FormHarness form;
    for (const ServedResource& resource : kServedResources) {
        SCOPED_TRACE(resource.address);
        const QVariantList reply = Fetch(form, QString::fromLatin1(resource.address));
        ASSERT_EQ(reply.size(), 2);
        EXPECT_EQ(reply[0].toInt(), 200) << reply[1].toString().toStdString();
        EXPECT_EQ(reply[1].toString(), FileText(resource.file));
    }
}

TEST(ResSchemeTest, AddressesThatNameNoResourceFail)
{
    FormHarness form;
    for (const char* address : {"res://Formulario7316.exe/#23/#130", "res://Formulario7316.exe/#23/#137",
                                "res://Formulario7316.exe/#23/#", "res://Formulario7316.exe/#22/#132",
                                "res://Formulario7316.exe/", "res://Formulario7316.exe/x#23/#132"}) {
        SCOPED_TRACE(address);
        const QVariantList reply = Fetch(form, QString::fromLatin1(address));
        ASSERT_EQ(reply.size(), 2);
        EXPECT_NE(reply[0].toInt(), 200);
    }
}

TEST(ResSchemeTest, ThePageLoadsItsStylesheetAndFourModulesInOrder)
{
    FormHarness form;
    const QVariantList sources = form.js(QStringLiteral(
        "Array.prototype.map.call(document.querySelectorAll('link[rel=stylesheet], script[src]'),"
        "  function (element) { return element.getAttribute('href') || element.getAttribute('src'); })"))
        .toList();
    QStringList expected;
    for (int id = 132; id <= 136; ++id)
        expected << QStringLiteral("res://Formulario7316.exe/#23/#%1").arg(id);
    QStringList actual;
    for (const QVariant& source : sources)
        actual << source.toString();
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(form.js(QStringLiteral("document.styleSheets[0].cssRules.length")).toInt(), 14);
    EXPECT_EQ(form.js(QStringLiteral("typeof numera_formulario")).toString(), QStringLiteral("function"));
}

TEST(ResSchemeTest, APageBuiltInMemoryIsShownWholeWhateverItsSize)
{
    FormHarness form;
    QString rows;
    for (int row = 1; rows.size() < 1536 * 1024; ++row)
        rows += QStringLiteral("<tr><td>Fila %1 “ñ”</td></tr>\n").arg(row);
    form.showPage(QStringLiteral("<html><head><title>Grande</title></head><body><table id='t'>%1</table>"
                                 "<p id='fin'>fin ñ</p></body></html>").arg(rows));
    EXPECT_EQ(form.js(QStringLiteral("document.title")).toString(), QStringLiteral("Grande"));
    EXPECT_EQ(form.js(QStringLiteral("document.getElementById('t').rows.length")).toInt(), rows.count(QStringLiteral("<tr>")));
    EXPECT_EQ(form.js(QStringLiteral("document.getElementById('fin').textContent")).toString(), QStringLiteral("fin ñ"));
}

}  // namespace
