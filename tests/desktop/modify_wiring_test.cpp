// Ctrl+M in the main window runs the Modify command with the real open-file
// dialog, message box and view: the chosen declaration comes up as a working
// form, a damaged file gets the Modify command's warning.
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
                      " <NOMBRE><![CDATA[Tabacalera O'Neill & Hijos]]></NOMBRE>  <CASILLAS> ";
    for (int box = 2007; box <= 2029; ++box)
        xml += " <CASILLA ID=\"" + std::to_string(box) + "\">" + (box == 2024 ? "50.00" : "0") + "</CASILLA> ";
    return xml + " </CASILLAS>  </FORMULARIO> ";
}

class ModifyWiring : public testing::Test {
protected:
    // Presses Ctrl+M and picks `file` in the dialog; `afterwards` runs on the
    // next modal window.
    void modify(const std::filesystem::path& file, std::function<void(QWidget*)> afterwards = {})
    {
        WhenModal([=](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            if (afterwards)
                WhenModal(afterwards);
            dialog->selectFile(QString::fromStdString(file.string()));
            static_cast<QDialog*>(dialog)->accept();
        });
        QTest::keyClick(&frame.View(), Qt::Key_M, Qt::ControlModifier);
    }

    // The value of a field of the page shown, once it has loaded; "" until then.
    QString fieldValue(const QString& field)
    {
        QString value;
        bool done = false;
        frame.View().page()->runJavaScript(
            QStringLiteral("document.readyState == 'complete' && document.getElementById('%1')"
                           " ? document.getElementById('%1').value : ''").arg(field),
            [&](const QVariant& result) { value = result.toString(); done = true; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, kTimeoutMs));
        return value;
    }

    std::filesystem::path writeFile(const std::string& content)
    {
        const auto path = directory.path() / "DRN-123456797316120314302257";
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    TemporaryDirectory directory;
    CMainFrame frame;
};

TEST_F(ModifyWiring, ShowsTheChosenDeclarationAsAWorkingForm)
{
    ASSERT_NE(frame.Action(CMainFrame::Command::Modify), nullptr);
    modify(writeFile(SealDeclaration(DeclarationXml()).value()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return res_address::IsShownPage(frame.View().url()); }, kTimeoutMs));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return fieldValue(QStringLiteral("c3")) == QStringLiteral("Tabacalera O'Neill & Hijos"); },
        kTimeoutMs));
    EXPECT_EQ(fieldValue(QStringLiteral("c2024")), QStringLiteral("50.00"));
    EXPECT_EQ(fieldValue(QStringLiteral("validar")), QStringLiteral("    Generar   "));
}

TEST_F(ModifyWiring, ADamagedFileGetsTheModifyWarningAndKeepsTheForm)
{
    QString warning;
    modify(writeFile("not a declaration"), [&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        warning = box->text();
        box->accept();
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !warning.isEmpty(); }, kTimeoutMs));
    EXPECT_EQ(warning, QStringLiteral("El archivo que intenta modificar es invalido, no pertenece a una declaración"));
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
