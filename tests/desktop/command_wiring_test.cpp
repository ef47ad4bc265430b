// The main window's file commands with the real dialogs, message boxes and
// view: Ctrl+C and Ctrl+M show the chosen declaration, or a damaged file's
// warning; the page's GeneraArchivo calls reach the generation flow, and
// Ctrl+S writes the copy.
#include "desktop_test_support.h"
#include "res_address.h"

#include "declaration_sample.h"
#include "declfile/seal.h"
#include "host/temporary_directory.h"

#include <QFileDialog>

#include <fstream>

namespace {

class OpenWiring : public FrameTest {
protected:
    // Presses Ctrl+`key`, picks `file` in the dialog and keeps what the dialog
    // offered; `thenAnswer` sets up the answer to the next modal window.
    void open(Qt::Key key, const std::filesystem::path& file, std::function<void()> thenAnswer = {})
    {
        WhenModal([=, this](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialogTitle = dialog->windowTitle();
            dialogFilters = dialog->nameFilters();
            if (thenAnswer)
                thenAnswer();
            dialog->selectFile(QString::fromStdString(file.string()));
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, as the Open button
        });
        QTest::keyClick(&frame.View(), key, Qt::ControlModifier);
    }

    std::filesystem::path writeFile(const std::string& content)
    {
        const auto path = directory.path() / "DRN-123456797316120314302257";
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    void expectDamagedFileWarning(Qt::Key key, const char* text)
    {
        ShownMessage warning;
        open(key, writeFile("not a declaration"), [&] { AnswerMessage(warning); });
        EXPECT_TRUE(QTest::qWaitFor([&] { return !warning.text.isEmpty(); }, kTimeoutMs));
        EXPECT_EQ(warning.text, QString::fromUtf8(text));
        EXPECT_EQ(warning.icon, QMessageBox::Warning);
        EXPECT_FALSE(res_address::IsShownPage(frame.View().url()));
    }

    TemporaryDirectory directory;
    QString dialogTitle;
    QStringList dialogFilters;
};

const QString kName = QStringLiteral("Tabacalera O'Neill & Hijos");

std::string SealedSample()
{
    std::string xml = SampleDeclarationXml(1);
    const std::string name = "Tabacalera Peña & Hijos";
    xml.replace(xml.find(name), name.size(), kName.toStdString());
    return SealDeclaration(xml).value();
}

TEST_F(OpenWiring, ConsultShowsTheChosenDeclarationInTheView)
{
    open(Qt::Key_C, writeFile(SealedSample()));
    EXPECT_EQ(dialogTitle, QStringLiteral("Buscar Archivo"));
    EXPECT_EQ(dialogFilters, QStringList{QStringLiteral("Todos los archivos (*)")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return res_address::IsShownPage(frame.View().url()); }, kTimeoutMs));
    const QString text = QStringLiteral("document.readyState == 'complete' ? document.body.innerText : ''");
    EXPECT_TRUE(QTest::qWaitFor([&] { return js(text).toString().contains(kName); }, kTimeoutMs));
    EXPECT_TRUE(js(text).toString().contains(QStringLiteral("18.75")));
}

TEST_F(OpenWiring, ModifyShowsTheChosenDeclarationAsAWorkingForm)
{
    open(Qt::Key_M, writeFile(SealedSample()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return res_address::IsShownPage(frame.View().url()); }, kTimeoutMs));
    const auto field = [&](const char* id) {
        return js(QStringLiteral("document.readyState == 'complete' && document.getElementById('%1')"
                                 " ? document.getElementById('%1').value : ''").arg(QLatin1String(id))).toString();
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return field("c3") == kName; }, kTimeoutMs));
    EXPECT_EQ(field("c2013"), QStringLiteral("0.005"));
    EXPECT_EQ(field("validar"), QStringLiteral("    Generar   "));
}

TEST_F(OpenWiring, ADamagedFileGetsTheConsultWarningAndKeepsTheForm)
{
    expectDamagedFileWarning(Qt::Key_C, "El archivo que se intenta abrir es invalido, no pertenece a una declaración");
}

TEST_F(OpenWiring, ADamagedFileGetsTheModifyWarningAndKeepsTheForm)
{
    expectDamagedFileWarning(Qt::Key_M, "El archivo que intenta modificar es invalido, no pertenece a una declaración");
}

TEST(GenerationWiring, ThePagesCallWritesTheDataFileAndCtrlSTheCopy)
{
    TemporaryDirectory home;
    qputenv("HOME", home.str().c_str());
    CMainFrame frame;
    ShownMessage shown;

    AnswerMessage(shown);
    QTest::keyClick(&frame.View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(shown.text.startsWith(QStringLiteral("Error:\n No puede salvarse")));
    EXPECT_EQ(shown.caption, QStringLiteral("Zorovirira 7316"));

    WhenModal([&](QWidget* dialog) {
        PressEnter(dialog);
        AnswerMessage(shown);
    });
    emit frame.View().generaArchivo(QStringLiteral("<FORMULARIO NUMERO=\"1\"/>"), QStringLiteral("9007316"),
                                    QStringLiteral("<P>copia</P>"), QStringLiteral("900"));
    const std::filesystem::path dataFile = home.path() / "900" / "7316" / "DRN-9007316";
    EXPECT_TRUE(std::filesystem::exists(dataFile));
    EXPECT_TRUE(shown.text.contains(QString::fromStdString(dataFile.string())));
    EXPECT_EQ(shown.caption, QStringLiteral("Zorovirira DRN-7316"));

    AnswerMessage(shown);
    QTest::keyClick(&frame.View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(std::filesystem::exists(dataFile.string() + ".htm"));
    EXPECT_TRUE(shown.text.startsWith(QStringLiteral("Sr. Contribuyente:\nSe ha guardado una copia")));
}

} // namespace

int main(int argc, char** argv) { return RunDesktopTests(argc, argv); }
