#pragma once

// What every form test shares: the program's one form view, put back to the
// blank form before each test, a person's usual steps on it, and the texts
// the form shows, by key (messages.json).
#include "form_harness.h"

#include "declfile/declaration_check.h"
#include "host/reopen.h"
#include "declfile/xml_reader.h"
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

using namespace formulario;

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

inline QString Brand(int number)  // catalogue entry `number`, from 1
{
    return QString::fromUtf8(kBrandCatalogue.at(std::size_t(number - 1)));
}

// One case on the blank form: the steps, then the values of the fields named
// (or of expressions, see values()), the message of the one alert ("": none),
// and the focus ("": none; renglones1 has it on the blank form).
struct FormCase {
    QString steps, fields, values, alert, focus;
};

class FormTest : public testing::Test {
protected:
    void SetUp() override { form.reset(); }

    QVariant js(const QString& script) { return form.js(script); }
    QStringList alerts() { return form.takeAlerts(); }
    QStringList alert(const QString& key) { return key.isEmpty() ? QStringList() : QStringList{Message(key)}; }

    void expectCases(const std::vector<FormCase>& cases)
    {
        for (const FormCase& c : cases) {
            SCOPED_TRACE(c.steps.toStdString());
            form.reset();
            form.run(c.steps);
            EXPECT_EQ(form.values(c.fields), c.values);
            EXPECT_EQ(alerts(), alert(c.alert));
            EXPECT_EQ(form.focused(), c.focus);
        }
    }

    FormHarness::HostCall generate()  // presses "Generar": the one host call it should make
    {
        form.run("!validar");
        const QList<FormHarness::HostCall> calls = form.takeHostCalls(1);
        EXPECT_EQ(calls.size(), 1) << "alerts: " << alerts().join('|').toStdString();
        return calls.value(0);
    }

    // Saves the XML sealed and runs the Consult or Modify command on it,
    // which shows its page in the form; true when the page was shown.
    bool reopen(const QString& xml, ReopenMode mode)
    {
        FakeHostUi ui;
        const std::string path = (std::filesystem::temp_directory_path() / "formulario7316-reopen").string();
        const CResult<std::string> sealed = SealDeclaration(xml.toStdString());
        std::ofstream(path, std::ios::binary) << (sealed.ok() ? *sealed : "");
        ui.onPage = [this](const std::string& html) { form.showPage(QString::fromStdString(html)); };
        CPageText page;
        const bool shown = Reopen(mode, mode == ReopenMode::kConsult ? BuildConsultPage : BuildModifyPage, path, ui, page);
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
        return shown;
    }

    FormHarness& form = TheForm();
};
