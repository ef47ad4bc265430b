#pragma once

// What every form test shares: the program's one form view, put back to the
// blank form before each test, a person's usual steps on it, and the texts
// the form shows, by key (messages.json).
#include "form_harness.h"

#include "declfile/reopen.h"
#include "declfile/seal.h"
#include "host/fake_host_ui.h"
#include "render/brand_catalogue.h"
#include "render/consult_page.h"
#include "render/modify_page.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

FormHarness& TheForm();  // the program's one harness, made on first use

inline QString FileText(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

inline QString Message(const QString& key)
{
    static const QJsonObject texts = QJsonDocument::fromJson(FileText(FORM_TEST_DATA "/messages.json").toUtf8()).object();
    EXPECT_TRUE(texts.contains(key)) << key.toStdString();
    return texts.value(key).toString();
}

inline QString Cell(int row, int column)  // the annex cell of row r, column k
{
    return QStringLiteral("f1%1c%2").arg(row).arg(column);
}

inline QString Brand(int number)  // catalogue entry `number`, from 1
{
    const std::string_view entry = kBrandCatalogue.at(std::size_t(number - 1));
    return QString::fromUtf8(entry.data(), qsizetype(entry.size()));
}

// One case on the blank form: the steps, then the message of the one alert
// ("": none), the values of the fields named, and the focus ("": none).
struct FormCase {
    QString steps, alert, fields, values, focus;
};

class FormTest : public testing::Test {
protected:
    void SetUp() override { form.reset(); }

    QVariant js(const QString& script) { return form.js(script); }
    QStringList alerts() { return form.takeAlerts(); }
    QStringList alert(const QString& key) { return key.isEmpty() ? QStringList() : QStringList{Message(key)}; }
    int rows() { return js("ANEXO[1]").toInt(); }
    bool exists(const QString& id) { return js("!!document.getElementById('" + id + "')").toBool(); }

    void expectCases(const std::vector<FormCase>& cases)
    {
        for (const FormCase& c : cases) {
            SCOPED_TRACE(c.steps.toStdString());
            form.reset();
            form.run(c.steps);
            EXPECT_EQ(alerts(), alert(c.alert));
            EXPECT_EQ(form.values(c.fields), c.values);
            EXPECT_EQ(form.focused(), c.focus);
        }
    }

    void fillTaxpayer(const QString& nit = "12345679", const QString& name = "Tabacalera Ejemplo")
    {
        form.run("c2=" + nit + "|c3=" + name + "|mes_ini=3|anio_ini=2012");
    }
    void fillRow(int row, int brand, const QString& price, const QString& packages)
    {
        form.run(QStringLiteral("%1=%2|%3=%4|%5=%6").arg(Cell(row, 1), Brand(brand), Cell(row, 2), price, Cell(row, 4), packages));
    }

    // The host calls made until `expected` have arrived; with none expected,
    // the wait gives a wrong call time to arrive.
    QList<FormHarness::HostCall> hostCalls(int expected)
    {
        QList<FormHarness::HostCall> calls;
        static_cast<void>(WaitFor([&] { return (calls += form.takeHostCalls()).size() >= expected && expected > 0; },
                                  expected > 0 ? 10000 : 300));
        return calls + form.takeHostCalls();
    }
    FormHarness::HostCall generate()  // presses "Generar": the one host call it should make
    {
        form.run("!validar");
        const QList<FormHarness::HostCall> calls = hostCalls(1);
        EXPECT_EQ(calls.size(), 1) << "alerts: " << alerts().join('|').toStdString();
        return calls.value(0);
    }

    // Saves the XML sealed and runs the Consult or Modify command on it,
    // which shows its page in the form; true when the page was shown.
    bool reopen(const QString& xml, ReopenMode mode)
    {
        const std::filesystem::path file = std::filesystem::temp_directory_path() / "formulario7316-reopen";
        std::ofstream(file, std::ios::binary) << SealDeclaration(xml.toStdString()).value_or("");
        FakeHostUi ui;
        ui.fileAnswer = file.string();
        ui.onPage = [this](const std::string& html) { form.showPage(QString::fromStdString(html)); };
        CPageText page;
        const bool shown = Reopen(mode, mode == ReopenMode::Consult ? PageBuilder(BuildConsultPage)
                                                                    : PageBuilder(BuildModifyPage), ui, page);
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
        return shown;
    }

    FormHarness& form = TheForm();
};
