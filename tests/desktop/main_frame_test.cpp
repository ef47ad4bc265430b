// The main window as a person sees and drives it, with the real dialogs,
// message boxes and view: its commands in the menus, tool bar and status
// bar, the shell's own commands, Consult and Modify of a chosen file, and
// the page's GeneraArchivo through the directory dialog, then Ctrl+S.
#include "about_dialog.h"
#include "command_line.h"
#include "directory_dialog.h"
#include "formulario7316_app.h"
#include "formulario7316_view.h"
#include "main_frame.h"
#include "problems_panel.h"
#include "res_address.h"
#include "res_scheme_handler.h"

#include "declaration_sample.h"
#include "wait_for.h"
#include "declfile/seal.h"
#include "host/temporary_directory.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWebEngineLoadingInfo>

#include <gtest/gtest.h>

#include <fstream>

using namespace formulario;

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

constexpr int kTimeoutMs = 20000;

// The window a Show event brings up, if it is modal and not yet answered; it
// counts as answered from then on.
QWidget* NewModalWindow(QObject* object, QEvent* event)
{
    auto* window = event->type() == QEvent::Show ? qobject_cast<QWidget*>(object) : nullptr;
    if (!window || !window->isWindow() || !window->isModal() || window->property("answered").toBool())
        return nullptr;
    window->setProperty("answered", true);
    return window;
}

// Answers the next new modal window of type Window with `action`, run in its event loop. One that has
// not come up and closed within the bound is a failure, and every modal window is closed then (a
// dialog's close box rejects it), so the test fails instead of hanging.
template <class Window>
class Answer : public QObject {
public:
    explicit Answer(std::function<void(Window*)> action) : m_action(std::move(action)), m_deadline(kTimeoutMs)
    {
        qApp->installEventFilter(this);
        QTimer::singleShot(kTimeoutMs, this, [this] {
            if (IsDone())
                return;
            ADD_FAILURE() << Window::staticMetaObject.className() << (m_claimed ? " not closed" : " did not come up");
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible() && window->isModal())
                    window->close();
        });
    }
    // Waits, within the bound, until the window has been answered and is gone.
    bool Done() { return WaitFor([this] { return IsDone(); }, int(m_deadline.remainingTime()) + 1000); }

private:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (!m_claimed && qobject_cast<Window*>(object) && NewModalWindow(object, event)) {
            m_window = qobject_cast<Window*>(object), m_claimed = true;
            QTimer::singleShot(0, m_window, [this] { m_action(m_window), m_answered = true; });
        }
        return false;
    }
    bool IsDone() const { return m_answered && (!m_window || !m_window->isVisible()); }

    std::function<void(Window*)> m_action;
    QDeadlineTimer m_deadline;
    QPointer<Window> m_window;
    bool m_claimed = false, m_answered = false;
};

// A modal window no Answer was made for is a failure, and is closed.
class UnansweredWindows : public QObject {
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (QWidget* window = NewModalWindow(object, event)) {
            ADD_FAILURE() << "unexpected modal window \"" << window->windowTitle().toStdString() << '"';
            QTimer::singleShot(0, window, &QWidget::close);
        }
        return false;
    }
};

bool Came(const QSignalSpy& spy) { return WaitFor([&] { return !spy.isEmpty(); }, kTimeoutMs); }

using Command = CMainFrame::Command;
using Dialog = CDirectorioDestinoDlg;
const QString kName = "Tabacalera O'Neill & Hijos";

// Each entry as "text | keys | prompt | tool tip", a separator as "-".
const char kLayout[] = R"(&Archivo
  &Nuevo | Ctrl+N | Crea un nuevo documento | Nuevo
  &Consultar | Ctrl+C | Abre un documento ya existente para consultarlo | Abrir
  &Modificar | Ctrl+M | Abre un archivo existente y permite modificarlo | Modificar
  N&ueva a partir de una anterior... |  | Crea la declaración del mes siguiente a partir de una declaración ya generada | Nueva a partir de una anterior
  &Declaraciones generadas... |  | Muestra las declaraciones generadas, por contribuyente y período | Declaraciones generadas
  -
  I&mportar marcas... |  | Trae las marcas del anexo desde un archivo CSV | Importar marcas
  E&xportar marcas... |  | Guarda las marcas del anexo en un archivo CSV | Exportar marcas
  -
  &Imprimir... | Ctrl+P | Imprime el documento activo | Imprimir
  &Exportar PDF... |  | Guarda el documento activo como archivo PDF | Exportar PDF
  &Vista preliminar |  | Muestra el documento activo tal como se imprimirá | Vista preliminar
  -
  &Salir | Ctrl+Q | Sale de la aplicación | Salir
&Ver
  Barra de &herramientas |  | Muestra u oculta la barra de herramientas | Alternar Barra de herramientas
  Barra de &estado |  | Muestra u oculta la barra de estado | Alternar Barra de estado
  -
  &Problemas de la declaración | F8 | Muestra todo lo que impide generar la declaración, cada problema junto a su casilla | Problemas de la declaración
Ay&uda
  &Acerca de Formulario7316... |  | Muestra información del programa y su número de versión | Acerca de
keys only
  &Guardar | Ctrl+S | Guarda el documento activo | Guardar
tool bar, each button with its image: Nuevo Abrir Modificar Nueva a partir de una anterior Declaraciones generadas - Imprimir Exportar PDF - Problemas de la declaración - Acerca de Salir
status bar: Preparado 3 problemas MAY NUM DESP
)";

// Answers the file dialog `trigger` brings up: types `path` into its name box
// and opens it, or cancels it when `path` is empty. Gives the dialog's title,
// file types and buttons.
QString Pick(const std::function<void()>& trigger, const QString& path)
{
    QString offered;
    Answer<QFileDialog> pick([&](QFileDialog* dialog) {
        offered = dialog->windowTitle() + " " + dialog->nameFilters().join(';') + " |";
        for (const QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
            offered += ' ' + button->text();
        if (path.isEmpty())
            return dialog->reject();
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as the Open button
    });
    trigger();
    pick.Done();  // a failure of its own when the dialog does not come and go
    return offered;
}

// Closes a message box with OK and keeps its caption, whether it has an icon, and its text.
std::function<void(QMessageBox*)> Acknowledge(QString& shown)
{
    return [&shown](QMessageBox* box) {
        shown = box->windowTitle() + (box->icon() == QMessageBox::NoIcon ? " | plain | " : " | icon | ") + box->text();
        box->accept();
    };
}

void Click(Dialog* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text)
            return button->click();
    ADD_FAILURE() << "no button " << text.toStdString();
}

void PressEnter(Dialog* dialog) { QTest::keyClick(dialog->focusWidget(), Qt::Key_Return); }

void Type(Dialog* dialog, const QString& text)
{
    auto* edit = dialog->findChild<QLineEdit*>();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// One main window, shown, for all the tests.
class MainFrameTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        frame = new CMainFrame;
        QSignalSpy loaded(&frame->View(), &QWebEngineView::loadFinished);
        ASSERT_TRUE(Came(loaded));
    }
    static void TearDownTestSuite() { delete frame; }

    // Waits, within the bound, until the window is up and its page has loaded and reaches it.
    void SetUp() override
    {
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame, kTimeoutMs) && WaitFor([] {
            return !frame->View().page()->isLoading() && frame->View().IsBridgeReady(); }, kTimeoutMs));
    }

    // What `script` gives in the page shown.
    static QVariant js(const QString& script)
    {
        std::optional<QVariant> result;
        frame->View().page()->runJavaScript(script, [&](const QVariant& value) { result = value; });
        EXPECT_TRUE(WaitFor([&] { return result.has_value(); }, kTimeoutMs)) << script.toStdString();
        return result.value_or(QVariant());
    }

    // The menus, the tool bar and the status bar, written as kLayout is.
    static std::string Layout()
    {
        const auto entry = [](const QAction* action) {
            return action->isSeparator() ? QString("  -\n") : QString("  %1 | %2 | %3 | %4\n").arg(action->text(),
                       QKeySequence::listToString(action->shortcuts()), action->statusTip(), action->toolTip());
        };
        QString layout;
        for (const QAction* menu : frame->menuBar()->actions()) {
            layout += menu->text() + '\n';
            for (const QAction* action : menu->menu()->actions())
                layout += entry(action);
        }
        layout += "keys only\n";
        for (const QAction* action : frame->actions())
            if (action->associatedObjects().size() == 1)
                layout += entry(action);
        layout += "tool bar, each button with its image:";
        for (const QAction* action : frame->findChild<QToolBar*>()->actions())
            layout += ' ' + (action->isSeparator() ? "-" : action->icon().isNull() ? "(none)" : action->toolTip());
        layout += "\nstatus bar: " + frame->statusBar()->currentMessage();
        for (const QLabel* pane : frame->statusBar()->findChildren<QLabel*>())
            layout += ' ' + pane->text();
        return (layout + '\n').toStdString();
    }

    // Presses Ctrl+`key` and chooses a file holding `content`.
    void open(Qt::Key key, const std::string& content)
    {
        const auto path = directory.path() / "DRN-123456797316120314302257";
        std::ofstream(path, std::ios::binary) << content;
        loaded = false;
        QObject::connect(frame->View().page(), &QWebEnginePage::loadingChanged, &directory, [this](const auto& load) {
            loaded |= load.status() == QWebEngineLoadingInfo::LoadSucceededStatus && res_address::IsShownPage(load.url());
        });
        const auto press = [key] { QTest::keyClick(&frame->View(), key, Qt::ControlModifier); };
        offered = Pick(press, QString::fromStdString(path));
    }
    // Waits, within the bound, for the page built from the file to have loaded.
    bool Loaded() { return WaitFor([this] { return loaded; }, kTimeoutMs); }

    static inline CMainFrame* frame = nullptr;
    struct : QObject, TemporaryDirectory {} directory;  // also ends the connections
    QString offered;
    bool loaded = false;
};

// The idle prompt comes back once a prompt is cleared; the Ver entries hide
// and show their bars; the About box names the version; Salir closes the window.
TEST_F(MainFrameTest, TheCommandsShowAsDescribedAndTheShellsOwnWork)
{
    EXPECT_EQ(frame->windowTitle(), "Formulario7316 - Tramix Razuv");
    frame->statusBar()->showMessage("Crea un nuevo documento");
    frame->statusBar()->clearMessage();
    EXPECT_TRUE(WaitFor([] { return !frame->Problems().StatusPane()->text().isEmpty(); }, kTimeoutMs));
    EXPECT_EQ(Layout(), kLayout);

    for (const auto& [command, bar] : {std::pair<Command, QWidget*>{Command::kViewToolBar, frame->findChild<QToolBar*>()},
                                       {Command::kViewStatusBar, frame->statusBar()}}) {
        QAction* entry = frame->Action(command);
        for (const bool shown : {false, true}) {
            entry->trigger();
            EXPECT_TRUE(bar->isVisible() == shown && entry->isChecked() == shown) << entry->text().toStdString();
        }
    }
    QString about;
    Answer<CAboutDlg> ok([&](CAboutDlg* dialog) {
        about = dialog->findChild<QLabel*>("aboutText")->text();
        dialog->accept();
    });
    frame->Action(Command::kAbout)->trigger();
    EXPECT_TRUE(ok.Done() && about.startsWith("Formulario7316 Versión " + QApplication::applicationVersion()));
    QTest::keyClick(&frame->View(), Qt::Key_Q, Qt::ControlModifier);  // nothing typed: nothing asked
    EXPECT_FALSE(frame->isVisible());
}

// Ctrl+A is an editing key the engine claims in a text field (once it knows
// one has the focus), as it claims Ctrl+C; a frame command bound to it must
// still run, and the page not see it. New then shows the blank form again.
// The field is one of the test's own, so that no typed work is asked about.
TEST_F(MainFrameTest, TheFramesShortcutsWinOverAFocusedFieldAndNewShowsTheBlankForm)
{
    QAction command(frame);
    command.setShortcut(QKeySequence("Ctrl+A"));
    frame->addAction(&command);
    QSignalSpy triggered(&command, &QAction::triggered);
    QWidget* page = frame->View().focusProxy();
    js("var own = document.body.appendChild(document.createElement('input'));"
       "own.value = 'Tabacalera'; own.focus(); own.setSelectionRange(0, 0)");
    ASSERT_TRUE(WaitFor([page] { return page->inputMethodQuery(Qt::ImEnabled).toBool(); }, kTimeoutMs));
    QTest::keyClick(page, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(triggered.size(), 1);
    EXPECT_EQ(js("own.selectionEnd").toInt(), 0) << "the page selected all";
    QSignalSpy reloaded(&frame->View(), &QWebEngineView::loadFinished);
    frame->Action(Command::kNew)->trigger();
    ASSERT_TRUE(Came(reloaded));
    EXPECT_EQ(js("typeof own + ' ' + C.c1.value.length").toString(), "undefined 8");
}

// With no printer installed the dialog offers printing to a PDF file.
TEST_F(MainFrameTest, PrintAsksForAPrinterAndPrintsThePageShown)
{
    QFile pdf(QDir::current().absoluteFilePath("formulario.pdf"));
    Answer<QPrintDialog> printer([&](QPrintDialog* dialog) {
        dialog->findChild<QLineEdit*>("filename")->setText(pdf.fileName());
        dialog->accept();
    });
    QSignalSpy printed(&frame->View(), &QWebEngineView::printFinished);
    frame->Action(Command::kPrint)->trigger();
    ASSERT_TRUE(printer.Done() && Came(printed) && printed.first().first().toBool());
    EXPECT_TRUE(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-" && pdf.size() > 10000) << "no PDF, or a blank sheet";
}

// What `program` prints about `pdf` (pdftotext, pdffonts, pdfinfo).
QString PdfReport(const QString& program, const QString& pdf)
{
    QProcess process;
    process.start(program, program == "pdftotext" ? QStringList{pdf, "-"} : QStringList{pdf});
    EXPECT_TRUE(process.waitForFinished(kTimeoutMs)) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Ctrl+C shows the chosen declaration as text, Ctrl+M as a working form. The
// Qt dialogs speak Spanish; the form prints in a sans-serif face where the
// stylesheet's is missing, and the preview breaks it into the PDF's sheets.
TEST_F(MainFrameTest, ConsultAndModifyShowTheChosenDeclaration)
{
    std::string xml = SampleDeclarationXml(103);
    const std::string name = "Tabacalera Peña & Hijos";
    const std::string sealed = SealDeclaration(xml.replace(xml.find(name), name.size(), kName.toStdString())).value();
    open(Qt::Key_C, sealed);
    ASSERT_TRUE(Loaded());
    EXPECT_EQ(offered, "Buscar Archivo Todos los archivos (*) | &Abrir Cancelar");
    const QString text = js("document.body.innerText").toString();
    EXPECT_TRUE(text.contains(kName) && text.contains("18.75"));
    // Exportar PDF keeps the page shown as typed; the preview comes up and goes.
    const QString pdf = QDir::current().absoluteFilePath("consulta.pdf");
    EXPECT_EQ(Pick([] { frame->Action(Command::kExportPdf)->trigger(); }, pdf),
              "Exportar PDF Documentos PDF (*.pdf) | &Guardar Cancelar");
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(pdf); }, kTimeoutMs));
    const QString printed = PdfReport("pdftotext", pdf);
    EXPECT_TRUE(printed.contains("12345679") && printed.contains(kName) && printed.contains("RUBIOS")) << printed.toStdString();
    const QString fonts = PdfReport("pdffonts", pdf);
    EXPECT_TRUE(fonts.contains("DejaVuSans") && !fonts.contains("Serif")) << fonts.toStdString();
    const QString pages = PdfReport("pdfinfo", pdf).section("Pages:", 1).section('\n', 0, 0).trimmed();
    int previewed = 0;  // the preview is painted before the dialog is shown
    Answer<QPrintPreviewDialog> preview([&](QPrintPreviewDialog* dialog) {
        previewed = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
        dialog->close();
    });
    frame->Action(Command::kPrintPreview)->trigger();
    EXPECT_TRUE(preview.Done());
    EXPECT_EQ(QString::number(previewed), pages);
    EXPECT_GT(previewed, 1);

    open(Qt::Key_M, sealed);
    ASSERT_TRUE(Loaded());
    EXPECT_EQ(js("[C.c3.value, C.c2013.value, C.validar.value].join('|')").toString(), kName + "|0.005|    Generar   ");
}

// The program's command line: a file to show read-only, --pdf with its two
// files, help and version, and the engine's and Qt's switches let through.
// The file shown is read as Consult reads a chosen one.
TEST_F(MainFrameTest, TheCommandLineNamesADeclarationToShowReadOnly)
{
    const struct {
        std::vector<const char*> arguments;
        std::string file, pdf, exit;  // exit: the code and the start of what is printed
    } cases[] = {
        {{"DRN-1"}, "DRN-1", "", ""},
        {{"--disable-gpu", "--remote-debugging-port=9222", "-platform", "offscreen", "DRN-1"}, "DRN-1", "", ""},
        {{"--pdf", "DRN-1", "out.pdf"}, "", "DRN-1>out.pdf", ""},
        {{"--pdf", "DRN-1"}, "", "", "2 formulario7316: --pdf"},
        {{"DRN-1", "DRN-2"}, "", "", "2 formulario7316: "},
        {{"--help"}, "", "", "0 Uso: formulario7316 [ARCHIVO]"},
        {{"--version", "DRN-1"}, "", "", "0 formulario7316 1.6"},
        {{"--next-period", "DRN-1"}, "", "", ""},
        {{"--next-period"}, "", "", "2 formulario7316: --next-period"},
        {{"--next-period", "DRN-1", "DRN-2"}, "", "", "2 formulario7316: --next-period"},
    };
    for (const auto& test : cases) {
        std::vector<const char*> argv{"formulario7316"};
        argv.insert(argv.end(), test.arguments.begin(), test.arguments.end());
        const CommandLine line = ParseCommandLine(int(argv.size()), argv.data(), "1.6");
        const std::string exit = line.exit ? std::to_string(line.exit->exitCode) + ' ' + line.exit->output + line.exit->error : "";
        EXPECT_TRUE(exit.starts_with(test.exit) && exit.empty() == test.exit.empty()) << exit;
        if (!line.exit) {
            EXPECT_EQ(line.file + (line.WantsPdf() ? line.pdfDeclaration + '>' + line.pdfOutput : "") + line.nextPeriodFrom,
                      test.file + test.pdf + (test.arguments[0] == std::string("--next-period") ? "DRN-1" : ""));
        }
    }
    // The engine takes its switches from its flags variable alone: the command line's are added to it.
    const std::vector<const char*> switches{"formulario7316", "--disable-gpu", "-style", "fusion", "--lang=es", "DRN-1"};
    const CommandLine line = ParseCommandLine(int(switches.size()), switches.data(), "1.6");
    EXPECT_EQ(EngineFlags("", line.engineSwitches), "--disable-gpu --lang=es");
    EXPECT_EQ(EngineFlags("--no-sandbox", {"--remote-debugging-port=9222", "--user-agent=a b"}),
              "--no-sandbox --remote-debugging-port=9222 \"--user-agent=a b\"");
    EXPECT_EQ(EngineFlags("--disable-gpu", {}), "--disable-gpu");
    const auto path = directory.path() / "DRN-123456797316120314302257";
    std::ofstream(path, std::ios::binary) << SealDeclaration(SampleDeclarationXml(1)).value();
    QSignalSpy shown(&frame->View(), &QWebEngineView::loadFinished);
    frame->OpenDeclaration(path.string());
    ASSERT_TRUE(Came(shown));
    EXPECT_TRUE(res_address::IsShownPage(frame->View().url()) && js("document.body.innerText").toString().contains("18.75"));

    QString warning;
    Answer<QMessageBox> acknowledge(Acknowledge(warning));
    frame->OpenDeclaration((directory.path() / "missing").string());
    EXPECT_TRUE(acknowledge.Done());
    EXPECT_TRUE(warning.endsWith("El archivo que se intenta abrir es invalido, no pertenece a una declaración"));
}

// The core's reopen tests own the refusals; here the warning reaches a real
// message box and the page shown stays.
TEST_F(MainFrameTest, ADamagedFileGetsAWarningAndThePageStays)
{
    const QUrl before = frame->View().url();
    QSignalSpy navigated(&frame->View(), &QWebEngineView::loadStarted);
    QString warning;
    Answer<QMessageBox> acknowledge(Acknowledge(warning));
    open(Qt::Key_M, "not a declaration");
    EXPECT_TRUE(acknowledge.Done());
    EXPECT_TRUE(warning.endsWith(" | icon | El archivo que intenta modificar es invalido, no pertenece a una declaración"));
    EXPECT_TRUE(frame->View().url() == before && navigated.isEmpty());
}

// A page asked for while another loads is loaded once that load has ended,
// so it gets every script of its own: loaded over a page still fetching the
// same scripts, it could lose some.
TEST_F(MainFrameTest, APageAskedForDuringALoadWaitsForTheLoadToEnd)
{
    QString loads;
    QObject context;
    QObject::connect(&frame->View(), &QWebEngineView::loadStarted, &context, [&] { loads += 'S'; });
    QObject::connect(&frame->View(), &QWebEngineView::loadFinished, &context, [&](bool ok) { loads += ok ? 'F' : 'x'; });
    QFile blankForm(":/form/form7316.html");
    ASSERT_TRUE(blankForm.open(QIODevice::ReadOnly));
    frame->View().LoadBlankForm();
    ASSERT_TRUE(WaitFor([&] { return !loads.isEmpty(); }, kTimeoutMs));
    frame->View().ShowPage(QString::fromUtf8(blankForm.readAll()));
    ASSERT_TRUE(WaitFor([&] { return loads.endsWith('F') && res_address::IsShownPage(frame->View().url()); },
                                kTimeoutMs)) << loads.toStdString();
    EXPECT_EQ(loads, "SFSF");
    EXPECT_EQ(js("typeof atributo + typeof ANEXO + typeof valoresborrador"), "functionobjectfunction");
}

// The directory dialog opens on OK with the home folder, and Tab goes round
// its controls; a typed or browsed path counts only when accepted, and a
// written data file gets one plain message. Ctrl+S then writes the copy.
TEST_F(MainFrameTest, ThePagesCallWritesTheDataFileWhereTheDialogSaysAndCtrlSTheCopy)
{
    const struct {
        const char* what;
        std::function<void(Dialog*, const QString& path)> steps;
        QString path;  // typed or browsed; where the data file goes when accepted
        bool accepted;
    } cases[] = {
        {"Enter", [](Dialog* d, const QString&) { PressEnter(d); }, QDir::homePath(), true},
        {"typed, Enter", [](Dialog* d, const QString& path) { Type(d, path); PressEnter(d); }, "typed", true},
        {"typed, Cancel", [](Dialog* d, const QString& path) { Type(d, path); Click(d, "Cancel"); }, "cancelled", false},
        {"typed, close box", [](Dialog* d, const QString& path) { Type(d, path); d->close(); }, "closed", false},
        {"Buscar, Buscar cancelled, OK",
         [](Dialog* d, const QString& path) {
             Pick([d] { Click(d, "Buscar"); }, path);
             Pick([d] { Click(d, "Buscar"); }, {});
             Click(d, "OK");
         },
         "browsed", true},
    };
    QString message;
    std::string dataFile;
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        const QString path = QDir::home().absoluteFilePath(test.path);
        QDir().mkpath(path);
        std::optional<Answer<QMessageBox>> generated;
        if (test.accepted)
            generated.emplace(Acknowledge(message));
        Answer<Dialog> person([&](Dialog* dialog) {
            QString seen = dialog->windowTitle();  // then the text of each control the focus visits
            const auto focused = [dialog] { return " | " + dialog->focusWidget()->property("text").toString(); };
            for (int tab = 0; tab < 4; ++tab) {
                seen += focused();
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            }
            EXPECT_EQ(seen + focused(), "Directorio Destino | OK | Cancel | Buscar | " + QDir::homePath() + "/ | OK");
            test.steps(dialog, path);
        });
        js(QString("window.external.GeneraArchivo('%1', '9007316', '<P>copia</P>', '900'), 1").arg(SampleDeclarationXml(1).c_str()));
        EXPECT_TRUE(person.Done() && (!generated || generated->Done()));
        dataFile = path.toStdString() + "/900/7316/DRN-9007316";
        EXPECT_EQ(std::filesystem::exists(dataFile), test.accepted);
        EXPECT_TRUE(!test.accepted || (message.startsWith("Zorovirira DRN-7316 | plain | ") &&
                                       message.contains(dataFile.c_str()))) << message.toStdString();
    }
    Answer<QMessageBox> saved(Acknowledge(message));
    QTest::keyClick(&frame->View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(saved.Done() && std::filesystem::exists(dataFile + ".htm"));
    EXPECT_TRUE(message.startsWith("Zorovirira 7316 | plain | Sr. Contribuyente:\nSe ha guardado una copia"))
        << message.toStdString();
}

}  // namespace

// Runs the tests in a fresh HOME that is also the working folder, so no
// dialog lists, and no test writes into, a folder of the machine's.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    TemporaryDirectory home;
    qputenv("HOME", home.str().c_str());
    QDir::setCurrent(QString::fromStdString(home.str()));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    CResSchemeHandler::RegisterScheme();
    CFormulario7316App application(argc, argv);
    UnansweredWindows unanswered;
    application.installEventFilter(&unanswered);
    return RUN_ALL_TESTS();
}
