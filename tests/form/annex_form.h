#pragma once

// What the annex, generation and reopen tests share: readable failure output,
// cell names, catalogue brands, filling the form, "Generar", reopening a saved
// declaration, and one form view per suite with a fresh blank form per test.
#include "form_harness.h"

#include "declfile/reopen.h"
#include "declfile/seal.h"
#include "render/brand_catalogue.h"
#include "render/consult_page.h"
#include "render/modify_page.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>

inline void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '{';
    for (const QString& text : texts)
        *out << '"' << text.toStdString() << "\" ";
    *out << '}';
}

// The annex cell of row r, column k: "f1" + r + "c" + k.
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

// Picks the saved file and shows the command's page in the form.
class SavedFileUi : public HostUi {
public:
    SavedFileUi(std::string path, FormHarness& form) : m_path(std::move(path)), m_form(form) {}
    std::optional<std::string> AskDirectory(const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseFile() override { return m_path; }
    void ShowMessage(const std::string& text, const std::string&) override { messages += text; }
    void ShowWarning(const std::string& text) override { messages += text; }
    void ShowPage(const std::string& html) override { m_form.showPage(QString::fromStdString(html)); }

    std::string messages;

private:
    std::string m_path;
    FormHarness& m_form;
};

class AnnexFormTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        harness_ = std::make_unique<FormHarness>();
        used_ = false;
    }
    static void TearDownTestSuite() { harness_.reset(); }

    void SetUp() override
    {
        if (used_)
            harness_->loadBlankForm();
        used_ = true;
        harness_->takeAlerts();
        harness_->takeHostCalls();
    }

    QVariant js(const QString& script) { return form.js(script); }
    int rows() { return js(QStringLiteral("ANEXO[1]")).toInt(); }
    bool exists(const QString& field)
    {
        return js(QStringLiteral("document.getElementById('%1') != null").arg(field)).toBool();
    }

    void fillTaxpayer(const QString& nit = QStringLiteral("12345679"),
                      const QString& name = QStringLiteral("Tabacalera Ejemplo"))
    {
        form.type(QStringLiteral("c2"), nit);
        form.type(QStringLiteral("c3"), name);
        form.type(QStringLiteral("mes_ini"), QStringLiteral("3"));
        form.type(QStringLiteral("anio_ini"), QStringLiteral("2012"));
    }
    void fillRow(int row, int brand, const QString& price, const QString& packages)
    {
        form.select(Cell(row, 1), Brand(brand));
        form.type(Cell(row, 2), price);
        form.type(Cell(row, 4), packages);
    }

    // Presses "Generar" and returns the host calls it made; with none
    // expected, the wait gives a wrong call time to arrive.
    QList<FormHarness::HostCall> generate(int expectedCalls = 1)
    {
        form.click(QStringLiteral("validar"));
        QList<FormHarness::HostCall> calls;
        static_cast<void>(QTest::qWaitFor([&] {
            calls += form.takeHostCalls();
            return expectedCalls > 0 && calls.size() >= expectedCalls;
        }, expectedCalls > 0 ? 10000 : 300));
        return calls + form.takeHostCalls();
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
        SavedFileUi ui(file.string(), form);
        CPageText page;
        const bool shown = Reopen(mode, mode == ReopenMode::Consult ? PageBuilder(BuildConsultPage)
                                                                    : PageBuilder(BuildModifyPage), ui, page);
        std::error_code error;
        std::filesystem::remove(file, error);
        EXPECT_EQ(ui.messages, "");
        return shown;
    }

    FormHarness& form = *harness_;

private:
    static inline std::unique_ptr<FormHarness> harness_;
    static inline bool used_ = false;
};
