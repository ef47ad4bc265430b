// The main window: its commands as a person sees them in the menus, the tool
// bar and the status bar, and what the shell's own commands do.
#include "desktop_test_support.h"
#include "formulario7316_app.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrintDialog>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

namespace {

using Command = CMainFrame::Command;
const Command kSeparator = Command(-1);

const struct CommandLook {
    Command command;
    const char* menu;  // "" for no menu entry
    const char* text;
    const char* shortcut;
    const char* prompt;
    const char* toolTip;
} kCommandLooks[] = {
    {Command::New, "&Archivo", "&Nuevo", "Ctrl+N", "Crea un nuevo documento", "Nuevo"},
    {Command::Consult, "&Archivo", "&Consultar", "Ctrl+C", "Abre un documento ya existente para consultarlo", "Abrir"},
    {Command::Modify, "&Archivo", "&Modificar", "Ctrl+M", "Abre un archivo existente y permite modificarlo", "Modificar"},
    {Command::Print, "&Archivo", "&Imprimir...", "Ctrl+P", "Imprime el documento activo", "Imprimir"},
    {Command::Exit, "&Archivo", "&Salir", "", "Sale de la aplicación", "Salir"},
    {Command::ViewToolBar, "&Ver", "Barra de &herramientas", "", "Muestra u oculta la barra de herramientas",
     "Alternar Barra de herramientas"},
    {Command::ViewStatusBar, "&Ver", "Barra de &estado", "", "Muestra u oculta la barra de estado",
     "Alternar Barra de estado"},
    {Command::About, "Ay&uda", "&Acerca de Formulario7316...", "", "Muestra información del programa y su número de versión",
     "Acerca de"},
    {Command::Save, "", "&Guardar", "Ctrl+S", "Guarda el documento activo", "Guardar"},
};

class MainFrameTest : public FrameTest {
protected:
    void SetUp() override
    {
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame, kTimeoutMs));
        ASSERT_TRUE(QTest::qWaitFor([&] { return frame.View().IsBridgeReady(); }, kTimeoutMs));
        ASSERT_TRUE(QTest::qWaitFor([&] { return js(QStringLiteral("document.readyState")) == QStringLiteral("complete"); },
                                    kTimeoutMs));
    }

    QMenu* Menu(const QString& title)
    {
        for (QAction* entry : frame.menuBar()->actions())
            if (entry->text() == title)
                return entry->menu();
        return nullptr;
    }

    // The commands of `actions` in their order, separators as kSeparator.
    QList<Command> Layout(const QList<QAction*>& actions)
    {
        QList<Command> layout;
        for (QAction* action : actions) {
            if (action->isSeparator())
                layout << kSeparator;
            for (const CommandLook& look : kCommandLooks)
                if (frame.Action(look.command) == action)
                    layout << look.command;
        }
        return layout;
    }
};

TEST_F(MainFrameTest, CaptionAndIdleStatusBar)
{
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Formulario7316 - Tramix Razuv"));
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Preparado"));
    frame.statusBar()->showMessage(QStringLiteral("Crea un nuevo documento"));
    frame.statusBar()->clearMessage();
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Preparado"));

    const QStringList indicators{QStringLiteral("MAY"), QStringLiteral("NUM"), QStringLiteral("DESP")};
    QStringList panes;
    for (QLabel* pane : frame.statusBar()->findChildren<QLabel*>())
        if (indicators.contains(pane->text()))
            panes << pane->text();
    EXPECT_EQ(panes, indicators);
}

TEST_F(MainFrameTest, EveryCommandShowsItsTextShortcutPromptAndTip)
{
    QStringList titles;
    for (QAction* entry : frame.menuBar()->actions())
        titles << entry->text();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("&Archivo"), QStringLiteral("&Ver"), QStringLiteral("Ay&uda")}));

    for (const CommandLook& look : kCommandLooks) {
        SCOPED_TRACE(look.text);
        QAction* action = frame.Action(look.command);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(look.text));
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(look.shortcut)));
        EXPECT_EQ(action->statusTip(), QString::fromUtf8(look.prompt));
        EXPECT_EQ(action->toolTip(), QString::fromUtf8(look.toolTip));
        if (*look.menu)
            EXPECT_TRUE(Menu(QString::fromUtf8(look.menu))->actions().contains(action));
        else
            EXPECT_FALSE(action->associatedObjects().size() > 1) << "reachable by its shortcut only";
    }
    for (QAction* action : frame.actions())
        EXPECT_NE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+I"))) << "Ctrl+I prints nothing";
}

TEST_F(MainFrameTest, FileMenuAndToolBarKeepTheirOrder)
{
    EXPECT_EQ(Layout(Menu(QStringLiteral("&Archivo"))->actions()),
              (QList<Command>{Command::New, Command::Consult, Command::Modify, kSeparator, Command::Print, kSeparator,
                              Command::Exit}));
    QToolBar* toolBar = frame.findChild<QToolBar*>();
    ASSERT_NE(toolBar, nullptr);
    EXPECT_EQ(Layout(toolBar->actions()),
              (QList<Command>{Command::New, Command::Consult, Command::Modify, kSeparator, Command::Print, kSeparator,
                              Command::About, Command::Exit}));
    for (QAction* action : toolBar->actions())
        EXPECT_TRUE(action->isSeparator() || !action->icon().isNull()) << action->text().toStdString();
}

TEST_F(MainFrameTest, ViewEntriesToggleTheirBarsAndCheckMarks)
{
    const struct {
        Command command;
        QWidget* bar;
    } toggles[] = {{Command::ViewToolBar, frame.findChild<QToolBar*>()},
                   {Command::ViewStatusBar, frame.statusBar()}};
    for (const auto& toggle : toggles) {
        QAction* entry = frame.Action(toggle.command);
        SCOPED_TRACE(entry->text().toStdString());
        EXPECT_TRUE(entry->isChecked());
        for (const bool shown : {false, true}) {
            entry->trigger();
            EXPECT_EQ(toggle.bar->isVisible(), shown);
            EXPECT_EQ(entry->isChecked(), shown);
        }
    }
}

TEST_F(MainFrameTest, NewShowsTheBlankFormAgain)
{
    js(QStringLiteral("C.c3.value = 'Tabacalera'; C.c1.value"));
    bool reloaded = false;
    QObject::connect(&frame.View(), &QWebEngineView::loadFinished, &frame, [&] { reloaded = true; });
    frame.Action(Command::New)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reloaded; }, kTimeoutMs));
    EXPECT_EQ(js(QStringLiteral("C.c3.value")).toString(), QString());
}

// Ctrl+A is an editing key the engine claims in a text field, as it claims
// Ctrl+C; a frame command bound to it must still run, and the page not see it.
TEST_F(MainFrameTest, TheFramesShortcutsWinOverThePageWhileAFieldHasTheFocus)
{
    QAction command(&frame);
    command.setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    frame.addAction(&command);
    int triggered = 0;
    QObject::connect(&command, &QAction::triggered, &frame, [&] { ++triggered; });

    js(QStringLiteral("C.c3.value = 'Tabacalera'; C.c3.focus(); C.c3.setSelectionRange(0, 0)"));
    QWidget* page = frame.View().focusProxy();
    ASSERT_NE(page, nullptr);
    QTest::keyClick(page, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return triggered == 1; }, kTimeoutMs));
    EXPECT_EQ(js(QStringLiteral("C.c3.selectionEnd")).toInt(), 0) << "the page selected all";
}

TEST_F(MainFrameTest, AboutShowsTheNameAndVersion)
{
    QString shown;
    WhenModal([&](QWidget* dialog) {
        if (auto* text = dialog->findChild<QLabel*>(QStringLiteral("aboutText")))
            shown = text->text();
        static_cast<QDialog*>(dialog)->accept();
    });
    frame.Action(Command::About)->trigger();
    EXPECT_TRUE(shown.contains(QStringLiteral("Formulario7316"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QApplication::applicationVersion())) << shown.toStdString();
}

TEST_F(MainFrameTest, PrintAsksForAPrinterAndPrintsThePageShown)
{
    QTemporaryDir output;
    const QString pdfName = output.filePath(QStringLiteral("formulario.pdf"));
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        // With no printer installed the dialog offers printing to a PDF file.
        if (auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))) {
            fileName->setText(pdfName);
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
    QSignalSpy printed(&frame.View(), &QWebEngineView::printFinished);
    frame.Action(Command::Print)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !printed.isEmpty(); }, kTimeoutMs));
    EXPECT_TRUE(printed.first().first().toBool());
    QFile pdf(pdfName);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
    EXPECT_GT(pdf.size(), 10000) << "a blank sheet rather than the form";
}

TEST_F(MainFrameTest, ExitClosesTheWindow)
{
    frame.Action(Command::Exit)->trigger();
    EXPECT_FALSE(frame.isVisible());
}

}  // namespace

int main(int argc, char** argv) { return RunDesktopTests<CFormulario7316App>(argc, argv); }
