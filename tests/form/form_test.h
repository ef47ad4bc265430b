#pragma once

// What every form test shares: the one form view of the program, put back to
// the blank form before each test, and the person's usual steps on it.
#include "form_harness.h"

#include "declfile/reopen.h"
#include "declfile/seal.h"
#include "host/fake_host_ui.h"
#include "render/brand_catalogue.h"
#include "render/consult_page.h"
#include "render/modify_page.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

// The program's one harness, made by its main once the application exists.
FormHarness& TheForm();

// The annex cell of row r, column k.
inline QString Cell(int row, int column)
{
    return QStringLiteral("f1%1c%2").arg(row).arg(column);
}

// Catalogue entry `number` (from 1).
inline QString Brand(int number)
{
    const std::string_view entry = kBrandCatalogue.at(std::size_t(number - 1));
    return QString::fromUtf8(entry.data(), qsizetype(entry.size()));
}

class FormTest : public testing::Test {
protected:
    void SetUp() override { form.reset(); }

    QVariant js(const QString& script) { return form.js(script); }
    QStringList alerts() { return form.takeAlerts(); }
    int rows() { return js(QStringLiteral("ANEXO[1]")).toInt(); }
    bool exists(const QString& id) { return js(QStringLiteral("!!document.getElementById('%1')").arg(id)).toBool(); }

    void fillTaxpayer(const QString& nit = QStringLiteral("12345679"),
                      const QString& name = QStringLiteral("Tabacalera Ejemplo"))
    {
        form.run(QStringLiteral("c2=%1|c3=%2|mes_ini=3|anio_ini=2012").arg(nit, name));
    }
    void fillRow(int row, int brand, const QString& price, const QString& packages)
    {
        form.run(QStringLiteral("%1=%2|%3=%4|%5=%6").arg(Cell(row, 1), Brand(brand), Cell(row, 2), price,
                                                        Cell(row, 4), packages));
    }

    // The host calls made until `expected` have arrived; with none expected,
    // the wait gives a wrong call time to arrive.
    QList<FormHarness::HostCall> hostCalls(int expected)
    {
        QList<FormHarness::HostCall> calls;
        static_cast<void>(WaitFor([&] {
            calls += form.takeHostCalls();
            return expected > 0 && calls.size() >= expected;
        }, expected > 0 ? 10000 : 300));
        return calls + form.takeHostCalls();
    }
    // Presses "Generar" and returns the host calls it made.
    QList<FormHarness::HostCall> generate(int expectedCalls = 1)
    {
        form.run(QStringLiteral("!validar"));
        return hostCalls(expectedCalls);
    }
    FormHarness::HostCall generateOnce()
    {
        const QList<FormHarness::HostCall> calls = generate();
        if (calls.size() == 1)
            return calls.first();
        ADD_FAILURE() << "expected one host call, got " << calls.size() << "; alerts: "
                      << form.takeAlerts().join(QStringLiteral(" | ")).toStdString();
        return {};
    }

    // Saves the XML sealed and runs the Consult or Modify command on it,
    // which shows its page in the form; true when the page was shown.
    bool reopen(const QString& xml, ReopenMode mode)
    {
        const std::optional<std::string> sealed = SealDeclaration(xml.toStdString());
        if (!sealed) {
            ADD_FAILURE() << "the declaration could not be sealed";
            return false;
        }
        const std::filesystem::path file = std::filesystem::temp_directory_path()
            / ("formulario7316-reopen-" + std::to_string(QCoreApplication::applicationPid()));
        std::ofstream(file, std::ios::binary) << *sealed;
        FakeHostUi ui;
        ui.fileAnswer = file.string();
        ui.onPage = [this](const std::string& html) { form.showPage(QString::fromStdString(html)); };
        CPageText page;
        const bool shown = Reopen(mode, mode == ReopenMode::Consult ? PageBuilder(BuildConsultPage)
                                                                    : PageBuilder(BuildModifyPage), ui, page);
        std::filesystem::remove(file);
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
        return shown;
    }

    FormHarness& form = TheForm();
};
