// The problems panel of the main window, read as a screen reader reads it:
// a declaration with four problems lists all four, each naming its box; a
// click on one puts the caret in its box, and mending that box removes only
// its item; a refused "Generar" opens the panel; F8 and Enter reach a box
// with the keyboard alone; a page with nothing to check says so.
#include "formulario7316_app.h"
#include "formulario7316_view.h"
#include "main_frame.h"
#include "problems_panel.h"
#include "res_scheme_handler.h"

#include "host/temporary_directory.h"
#include "wait_for.h"

#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

using namespace formulario;

namespace {

// A wrong NIT digit, no name, a row with a price and no packages, and a
// brand chosen in two rows (appended rows do not refuse it), as typed values
// the page holds; the period March 2012.
constexpr char kFourProblems[] = R"JS(
C.c2.value = '12345678'; C.mes_ini.value = '3'; C.anio_ini.value = '2012'; validacionesfecha();
C.f11c1.value = catalogomarcas[0]; C.f11c2.value = '25.0000'; C.f11c3.value = '18.75';
for (var r = 2; r <= 3; r++) {
    C['f1' + r + 'c1'].value = catalogomarcas[4]; C['f1' + r + 'c2'].value = '10.0000';
    C['f1' + r + 'c3'].value = '7.50'; C['f1' + r + 'c4'].value = '1.0000';
}
)JS";

const QString kNit = "NIT del contribuyente: El NIT posee un dígito verificador inválido.";
const QString kName = "Nombre o razón social del contribuyente: La casilla está en blanco.";
const QString kPackages =
    "Fabricados, renglón 1: Al menos una de las casillas de “Fabricados” y “Deducciones A y B” ha quedado en blanco.";
const QString kBrand = "Marcas y presentación, renglón 2: Usted a ingresado dos veces la misma marca.";

class ProblemsPanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_frame.View().SetAlertPresenter([this](const QString& text) { m_alerts << text; });
        m_frame.show();
        m_frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_frame) && WaitFor([this] {
            return !m_frame.View().page()->isLoading() && m_frame.View().IsBridgeReady();
        }));
    }

    CProblemsPanel& panel() { return m_frame.Problems(); }
    QListWidget& list() { return *panel().findChild<QListWidget*>(); }

    QVariant js(const QString& script)
    {
        std::optional<QVariant> result;
        m_frame.View().page()->runJavaScript(script, [&](const QVariant& value) { result = value; });
        EXPECT_TRUE(WaitFor([&] { return result.has_value(); })) << script.toStdString();
        return result.value_or(QVariant());
    }

    // The items as the accessibility interface of the list reads them, once
    // a reading of the page has come that lists `count` of them.
    QStringList ItemsRead(int count)
    {
        EXPECT_TRUE(WaitFor([&] { return m_refreshed.count() > 0 && list().count() == count; }))
            << list().count() << " items";
        m_refreshed.clear();
        QAccessibleInterface* items = QAccessible::queryAccessibleInterface(&list());
        QStringList read;
        for (int i = 0; i < items->childCount(); ++i)
            read << items->child(i)->text(QAccessible::Name);
        return read;
    }

    bool Focused(const QString& field)
    {
        return WaitFor([&] { return js("document.hasFocus() && document.activeElement.id").toString() == field; });
    }

    CMainFrame m_frame;
    QSignalSpy m_refreshed{&m_frame.Problems(), &CProblemsPanel::refreshed};
    QStringList m_alerts;
};

TEST_F(ProblemsPanelTest, ListsEveryProblemAndLeadsToEachBox)
{
    QAccessibleInterface* dock = QAccessible::queryAccessibleInterface(&panel());
    EXPECT_EQ(dock->text(QAccessible::Name), "Problemas de la declaración");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&list())->text(QAccessible::Name),
              "Lista de problemas de la declaración");

    js(kFourProblems);
    panel().Refresh();
    EXPECT_EQ(ItemsRead(4), QStringList({kPackages, kName, kNit, kBrand}));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&list())->child(2)->text(QAccessible::Description),
              "No impide generar. El NIT posee un dígito verificador inválido. Por favor escríbalo correctamente");
    EXPECT_EQ(panel().StatusPane()->text(), "4 problemas");

    // A click on the name's item, the name typed, the box left.
    panel().show();
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, list().visualItemRect(list().item(1)).center());
    ASSERT_TRUE(Focused("c3"));
    QTest::keyClicks(m_frame.View().focusProxy(), "Tabacalera");
    QTest::keyClick(m_frame.View().focusProxy(), Qt::Key_Tab);
    EXPECT_TRUE(WaitFor([&] { return js("C.c3.value + (document.activeElement == C.c3)").toString() == "Tabacalerafalse"; }));
    EXPECT_EQ(ItemsRead(3), QStringList({kPackages, kNit, kBrand}));

    // "Generar" refused: the form's first message, as before, and the panel opens.
    panel().hide();
    js("C.validar.click()");
    EXPECT_TRUE(WaitFor([&] { return panel().isVisible(); }));
    EXPECT_EQ(m_alerts.value(0), "Error:\nAl menos una de las casillas de “Fabricados” y “Deducciones A y B” ha "
                                 "quedado en blanco.\nPor favor complete la casilla en blanco");

    // F8 from the page puts the focus in the list; Enter on an item, the caret in its box.
    m_frame.View().setFocus();
    QTest::keyClick(m_frame.View().focusProxy(), Qt::Key_F8);
    ASSERT_TRUE(WaitFor([&] { return list().hasFocus(); }));
    list().setCurrentRow(1);
    QTest::keyClick(&list(), Qt::Key_Return);
    EXPECT_TRUE(Focused("c2"));
    EXPECT_EQ(js("C.c2.selectionStart + ',' + C.c2.selectionEnd").toString(), "8,8");

    // A page without the form's checks.
    m_frame.View().ShowPage("<html><body><p>Consulta</p></body></html>");
    EXPECT_TRUE(WaitFor([&] { return panel().findChild<QLabel*>()->text().contains("no hay nada que revisar"); }));
    EXPECT_EQ(list().count(), 0);
    EXPECT_EQ(panel().StatusPane()->text(), "");
}

}  // namespace

// In a fresh HOME, so that no draft of the machine's is offered or written.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    TemporaryDirectory home;
    qputenv("HOME", home.str().c_str());
    qputenv("XDG_DATA_HOME", (home.str() + "/data").c_str());
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    CResSchemeHandler::RegisterScheme();
    CFormulario7316App application(argc, argv);
    return RUN_ALL_TESTS();
}
