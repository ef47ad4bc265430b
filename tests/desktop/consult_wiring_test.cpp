// Ctrl+C in the main window runs the Consult command with the real open-file
// dialog, message box and view.
#include "formulario7316_view.h"
#include "main_frame.h"
#include "res_address.h"
#include "res_scheme_handler.h"

#include "declfile/seal.h"
#include "host/temporary_directory.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace {

constexpr int kTimeoutMs = 20000;

// Runs `action` on the next modal window once it is up.
void WhenModal(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(10, [action] {
        if (QWidget* modal = QApplication::activeModalWidget())
            action(modal);
        else
            WhenModal(action);
    });
}

std::string DeclarationXml()
{
    std::string xml = " <FORMULARIO NUMERO=\"14302257\">  <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO> "
                      " <NUMERO_VERSION>6</NUMERO_VERSION>  <NIT>12345679</NIT> "
                      " <PERIODO_DESDE>20120301</PERIODO_DESDE>  <PERIODO_HASTA>20120331</PERIODO_HASTA> "
                      " <NOMBRE><![CDATA[Tabacalera Ejemplo]]></NOMBRE>  <CASILLAS> ";
    for (int box = 2007; box <= 2029; ++box)
        xml += " <CASILLA ID=\"" + std::to_string(box) + "\">" + (box == 2029 ? "1875.00" : "0") + "</CASILLA> ";
    return xml + " </CASILLAS>  </FORMULARIO> ";
}

class ConsultWiring : public testing::Test {
protected:
    // Presses Ctrl+C, picks `file` in the dialog and keeps what the dialog
    // offered; `afterwards` runs on the next modal window, if any.
    void consult(const std::filesystem::path& file, std::function<void(QWidget*)> afterwards = {})
    {
        WhenModal([=, this](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialogTitle = dialog->windowTitle();
            dialogFilters = dialog->nameFilters();
            if (afterwards)
                WhenModal(afterwards);
            dialog->selectFile(QString::fromStdString(file.string()));
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, as the Open button
        });
        QTest::keyClick(&frame.View(), Qt::Key_C, Qt::ControlModifier);
    }

    // The text the view shows, once the page in it has loaded.
    QString shownText()
    {
        QString text;
        bool done = false;
        frame.View().page()->runJavaScript(
            QStringLiteral("document.readyState == 'complete' ? document.body.innerText : ''"),
            [&](const QVariant& value) { text = value.toString(); done = true; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, kTimeoutMs));
        return text;
    }

    std::filesystem::path writeFile(const std::string& content)
    {
        const auto path = directory.path() / "DRN-123456797316120314302257";
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    TemporaryDirectory directory;
    CMainFrame frame;
    QString dialogTitle;
    QStringList dialogFilters;
};

TEST_F(ConsultWiring, ShowsTheChosenDeclarationInTheView)
{
    consult(writeFile(SealDeclaration(DeclarationXml()).value()));
    EXPECT_EQ(dialogTitle, QStringLiteral("Buscar Archivo"));
    EXPECT_EQ(dialogFilters, QStringList{QStringLiteral("Todos los archivos (*)")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return res_address::IsShownPage(frame.View().url()); }, kTimeoutMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownText().contains(QStringLiteral("Tabacalera Ejemplo")); },
                                kTimeoutMs));
    EXPECT_TRUE(shownText().contains(QStringLiteral("1875.00")));
}

TEST_F(ConsultWiring, ADamagedFileGetsTheWarningAndKeepsTheForm)
{
    QString warning;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    consult(writeFile("not a declaration"), [&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        warning = box->text();
        icon = box->icon();
        box->accept();
    });
    EXPECT_EQ(warning, QStringLiteral("El archivo que se intenta abrir es invalido, no pertenece a una declaración"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_FALSE(res_address::IsShownPage(frame.View().url()));
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    CResSchemeHandler::RegisterScheme();
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
