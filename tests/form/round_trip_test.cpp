// A declaration generated on the blank form, saved sealed, and reopened
// through the real Consult and Modify commands into the real form: both show
// what was generated, "Generar" on the Modify page gives the same declaration
// again, and rows added there keep the saved ones.
#include "form_harness.h"

#include "declfile/reopen.h"
#include "declfile/seal.h"
#include "render/brand_catalogue.h"
#include "render/consult_page.h"
#include "render/modify_page.h"

#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

QString Cell(int row, int column)
{
    return QStringLiteral("f1%1c%2").arg(row).arg(column);
}

QString Brand(int number)
{
    const std::string_view entry = kBrandCatalogue[number - 1];
    return QString::fromUtf8(entry.data(), qsizetype(entry.size()));
}

// A double quote, an apostrophe and an ampersand, each of which the page
// could take for markup.
const QString kName = QStringLiteral("Tabacalera \"La Estrella\" & Hijos O'Neill &amp; Cía.");

// The person at the program: picks the saved file, and sees the page or the
// message the command shows.
class SavedFileUi : public HostUi {
public:
    explicit SavedFileUi(std::string path) : m_path(std::move(path)) {}
    std::optional<std::string> AskDirectory(const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseFile() override { return m_path; }
    void ShowMessage(const std::string& text, const std::string&) override { messages += text; }
    void ShowWarning(const std::string& text) override { messages += text; }
    void ShowPage(const std::string& html) override { page = html; }

    std::string page;
    std::string messages;

private:
    std::string m_path;
};

class RoundTripTest : public testing::Test {
protected:
    RoundTripTest()
        : m_file(std::filesystem::temp_directory_path()
                 / ("formulario7316-round-trip-" + std::to_string(std::random_device()())))
    {
    }
    ~RoundTripTest() override
    {
        std::error_code error;
        std::filesystem::remove(m_file, error);
    }

    // The blank form filled with three rows, a rectification and a fine.
    void fillDeclaration()
    {
        form.type(QStringLiteral("c2"), QStringLiteral("12345679"));
        form.type(QStringLiteral("c3"), kName);
        form.type(QStringLiteral("mes_ini"), QStringLiteral("3"));
        form.type(QStringLiteral("anio_ini"), QStringLiteral("2012"));
        fillRow(1, 16, QStringLiteral("25"), QStringLiteral("100"));
        fillRow(2, 42, QStringLiteral("19.99"), QStringLiteral("40"));
        fillRow(3, 51, QStringLiteral("10.01"), QStringLiteral("250"));
        form.type(Cell(3, 5), QStringLiteral("2"));
        form.type(QStringLiteral("c2020"), QStringLiteral("123456"));
        form.type(QStringLiteral("c2021"), QStringLiteral("100"));
        form.type(QStringLiteral("c2024"), QStringLiteral("50"));
    }
    void fillRow(int row, int brand, const QString& price, const QString& packages)
    {
        form.select(Cell(row, 1), Brand(brand));
        form.type(Cell(row, 2), price);
        form.type(Cell(row, 4), packages);
    }

    // Presses "Generar" and returns the declaration XML handed to the host.
    QString generate()
    {
        form.click(QStringLiteral("validar"));
        QList<FormHarness::HostCall> calls;
        QTest::qWaitFor([&] {
            calls += form.takeHostCalls();
            return !calls.isEmpty();
        }, 10000);
        if (calls.size() != 1) {
            ADD_FAILURE() << "expected one host call, got " << calls.size() << "; alerts: "
                          << form.takeAlerts().join(QStringLiteral(" | ")).toStdString();
            return {};
        }
        return calls.first().xml;
    }

    // Saves the XML as a sealed file and reopens it with the command of
    // `mode`; shows the page in the form and returns true when it was built.
    bool reopen(const QString& xml, ReopenMode mode)
    {
        const std::optional<std::string> sealed = SealDeclaration(xml.toStdString());
        if (!sealed) {
            ADD_FAILURE() << "the declaration could not be sealed";
            return false;
        }
        std::ofstream(m_file, std::ios::binary) << *sealed;
        SavedFileUi ui(m_file.string());
        const PageBuilder build = mode == ReopenMode::Consult ? PageBuilder(BuildConsultPage)
                                                              : PageBuilder(BuildModifyPage);
        CPageText page;
        if (!Reopen(mode, build, ui, page)) {
            ADD_FAILURE() << "the reopen was refused: " << ui.messages;
            return false;
        }
        form.showPage(QString::fromStdString(ui.page));
        return true;
    }

    QString pageText() { return form.js(QStringLiteral("document.body.innerText")).toString(); }
    int annexRows() { return form.js(QStringLiteral("ANEXO[1]")).toInt(); }
    bool exists(const QString& field)
    {
        return form.js(QStringLiteral("document.getElementById('%1') != null").arg(field)).toBool();
    }

    FormHarness form;

private:
    std::filesystem::path m_file;
};

// The XML with the date of presentation taken out.
QString WithoutPresentationDate(QString xml)
{
    return xml.replace(QRegularExpression(QStringLiteral("<CASILLA ID=\"FECPRE\">[^<]*</CASILLA>")),
                       QStringLiteral("<CASILLA ID=\"FECPRE\"></CASILLA>"));
}

// The saved values a person checks on a reopened form, by field.
const QList<QPair<QString, QString>> kSavedFields = {
    {QStringLiteral("c2"), QStringLiteral("12345679")},
    {QStringLiteral("c3"), kName},
    {QStringLiteral("dia_ini"), QStringLiteral("01")},
    {QStringLiteral("mes_ini"), QStringLiteral("03")},
    {QStringLiteral("anio_ini"), QStringLiteral("2012")},
    {QStringLiteral("dia_fin"), QStringLiteral("31")},
    {QStringLiteral("f11c2"), QStringLiteral("25.0000")},
    {QStringLiteral("f11c3"), QStringLiteral("18.75")},
    {QStringLiteral("f12c2"), QStringLiteral("19.9900")},
    {QStringLiteral("f13c4"), QStringLiteral("250.0000")},
    {QStringLiteral("f13c5"), QStringLiteral("2.0000")},
    {QStringLiteral("c2020"), QStringLiteral("123456")},
    {QStringLiteral("c2021"), QStringLiteral("100.00")},
    {QStringLiteral("c2024"), QStringLiteral("50.00")},
};

} // namespace

TEST_F(RoundTripTest, ConsultAndModifyShowTheGeneratedValues)
{
    fillDeclaration();
    const QString xml = generate();
    ASSERT_FALSE(xml.isEmpty());
    const QString formNumber = form.value(QStringLiteral("c1"));
    const QString total = form.value(QStringLiteral("c2029"));
    ASSERT_FALSE(total.isEmpty());

    ASSERT_TRUE(reopen(xml, ReopenMode::Consult));
    const QString shown = pageText();
    for (const QString& value : {formNumber, kName, Brand(16), Brand(42), Brand(51),
                                 QStringLiteral("19.9900"), QStringLiteral("123456"), total})
        EXPECT_TRUE(shown.contains(value)) << value.toStdString();

    ASSERT_TRUE(reopen(xml, ReopenMode::Modify));
    EXPECT_TRUE(form.takeAlerts().isEmpty());
    EXPECT_EQ(form.value(QStringLiteral("c1")), formNumber);
    for (const auto& [field, value] : kSavedFields)
        EXPECT_EQ(form.value(field), value) << field.toStdString();
    EXPECT_EQ(form.value(Cell(1, 1)), Brand(16));
    EXPECT_EQ(form.value(Cell(2, 1)), Brand(42));
    EXPECT_EQ(form.value(Cell(3, 1)), Brand(51));
    EXPECT_EQ(form.value(QStringLiteral("c2029")), total);
    EXPECT_EQ(annexRows(), 3);
}

TEST_F(RoundTripTest, GenerarOnTheModifyPageGivesTheSameDeclaration)
{
    fillDeclaration();
    const QString first = generate();
    ASSERT_FALSE(first.isEmpty());
    ASSERT_TRUE(reopen(first, ReopenMode::Modify));

    const QString again = generate();
    EXPECT_TRUE(form.takeAlerts().isEmpty());
    EXPECT_EQ(WithoutPresentationDate(again), WithoutPresentationDate(first));
    EXPECT_TRUE(again.contains(QStringLiteral("<NOMBRE><![CDATA[") + kName + QStringLiteral("]]></NOMBRE>")));
}

TEST_F(RoundTripTest, RowsAddedOnTheModifyPageKeepTheSavedOnes)
{
    fillDeclaration();
    const QString first = generate();
    ASSERT_TRUE(reopen(first, ReopenMode::Modify));

    form.setValue(QStringLiteral("renglones1"), QStringLiteral("2"));
    form.click(QStringLiteral("botonanexo1"));
    EXPECT_TRUE(form.takeAlerts().isEmpty());
    EXPECT_EQ(annexRows(), 5);
    EXPECT_TRUE(exists(Cell(5, 6)));
    EXPECT_FALSE(exists(Cell(6, 1)));
    for (const auto& [field, value] : kSavedFields)
        EXPECT_EQ(form.value(field), value) << field.toStdString();
    EXPECT_EQ(form.value(Cell(3, 1)), Brand(51));

    fillRow(4, 3, QStringLiteral("30"), QStringLiteral("10"));
    const QString again = generate();
    EXPECT_TRUE(again.contains(QStringLiteral("<CASILLA ID=\"37\"><![CDATA[") + Brand(3)));
    EXPECT_TRUE(again.contains(QStringLiteral("<CASILLA ID=\"38\">30.0000</CASILLA>")));
    EXPECT_TRUE(again.contains(QStringLiteral("<CASILLA ID=\"27\"><![CDATA[") + Brand(51)));
}
