// The real dialogs of the questions that keep typed work, in the window:
// before New, Consult, Modify and closing it, and at start-up for a draft
// left behind, put back into the page. When to ask and what to do with each
// answer are the core's rules, tested there (tests/host/draft_rules_test.cpp).
// Each case has a window and a data folder of its own.
#include "draft_keeper.h"
#include "formulario7316_view.h"
#include "main_frame.h"

#include "host/draft_store.h"
#include "host/file_reader.h"
#include "host/temporary_directory.h"
#include "wait_for.h"

#include <QApplication>
#include <QFileDialog>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

using namespace formulario;

namespace {

constexpr int kTimeoutMs = 20000;
const QString kDiscard = "La declaración tiene datos que no se han generado.\n¿Desea descartarlos?";
const QString kRecover = "Se encontró una declaración que no llegó a generarse.\n¿Desea recuperarla?";

// Hands each modal window that comes up to the next answer in turn and keeps
// what it showed; a window with no answer left is a failure, and is closed.
class Modals : public QObject {
public:
    using Answer = std::function<void(QWidget*)>;
    explicit Modals(std::vector<Answer> answers) : m_answers(std::move(answers)) { qApp->installEventFilter(this); }

    QStringList shown;  // "title|text|default button"

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* window = qobject_cast<QWidget*>(object);
        if (event->type() != QEvent::Show || !window || !window->isWindow() || !window->isModal())
            return false;
        auto* box = qobject_cast<QMessageBox*>(window);
        shown << window->windowTitle() + '|' + (box ? box->text() : QString()) + '|'
                + (box && box->defaultButton() ? box->defaultButton()->text() : QString());
        QTimer::singleShot(kTimeoutMs, window, [window] {  // gone with the window once answered
            ADD_FAILURE() << "window left open: " << window->windowTitle().toStdString();
            window->close();
        });
        QTimer::singleShot(0, window, [this, window] {
            if (m_next < m_answers.size())
                return m_answers[m_next++](window);
            ADD_FAILURE() << "unexpected window: " << shown.last().toStdString();
            window->close();
        });
        return false;
    }

private:
    std::vector<Answer> m_answers;
    std::size_t m_next = 0;
};

void PressEnter(QWidget* window)
{
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_Return);
}
Modals::Answer Click(const QString& text)
{
    return [text](QWidget* window) {
        for (QPushButton* button : window->findChildren<QPushButton*>())
            if (button->text() == text)
                return button->click();
        ADD_FAILURE() << "no button " << text.toStdString();
    };
}
void Cancel(QWidget* window) { static_cast<QDialog*>(window)->reject(); }

std::string FileText(const std::string& path) { return ReadWholeFile(path).value_or(""); }

// A main window whose drafts go to a folder of the case's own.
class DraftTest : public testing::Test {
protected:
    void Start()
    {
        frame.reset();
        data = std::make_unique<TemporaryDirectory>();
        qputenv("XDG_DATA_HOME", data->str().c_str());
        frame = std::make_unique<CMainFrame>();
        frame->show();
        ASSERT_TRUE(BridgeReady());
    }

    // Waits, within the bound, until the page has loaded and reaches the window.
    bool BridgeReady()
    {
        const CFormulario7316View& view = frame->View();
        return WaitFor([&] { return !view.page()->isLoading() && view.IsBridgeReady(); }, kTimeoutMs);
    }

    QVariant js(const QString& script)
    {
        std::optional<QVariant> result;
        frame->View().page()->runJavaScript(script, [&](const QVariant& value) { result = value; });
        EXPECT_TRUE(WaitFor([&] { return result.has_value(); }, kTimeoutMs)) << script.toStdString();
        return result.value_or(QVariant());
    }

    std::string Folder() const { return (data->path() / "Formulario7316").string(); }
    const CDraftStore& Store() const { return frame->Drafts().Store(); }

    std::unique_ptr<TemporaryDirectory> data;
    std::unique_ptr<CMainFrame> frame;  // goes before its data folder
};

using Command = CMainFrame::Command;

// Nothing typed asks nothing; typed values ask, Enter ("No") keeps them all,
// "Sí" sets them aside and goes on, and a file dialog then cancelled keeps
// the form, drafted again.
TEST_F(DraftTest, CommandsAskBeforeDiscardingTypedValues)
{
    const struct {
        const char* name;
        Command command;
        QString answer;
    } cases[] = {{"New, nothing typed", Command::kNew, ""},        {"New, Enter", Command::kNew, "Enter"},
                 {"New, Sí", Command::kNew, "Sí"},                  {"Consult, Sí, cancelled", Command::kConsult, "Sí"},
                 {"Modify, Enter", Command::kModify, "Enter"},      {"Exit, Enter", Command::kExit, "Enter"},
                 {"Exit, Sí", Command::kExit, "Sí"}};
    for (const auto& [name, command, answer] : cases) {
        const bool reopens = command == Command::kConsult || command == Command::kModify;
        {
            SCOPED_TRACE(name);
            Start();
            const bool typed = !answer.isEmpty(), yes = answer == "Sí", goesOn = !typed || yes;
            if (typed)
                js("C.c2.value = '12345679'; C.renglones1.value = '3'; anexahta(C.renglones1, 1); C.f118c4.value = '7'");
            std::vector<Modals::Answer> answers;
            if (typed)
                answers.push_back(yes ? Click("Sí") : PressEnter);
            if (reopens && goesOn)
                answers.push_back(Cancel);
            Modals modals(answers);
            QSignalSpy reloaded(&frame->View(), &QWebEngineView::loadFinished);
            frame->Action(command)->trigger();
            EXPECT_EQ(modals.shown.size(), answers.size());
            if (typed) {
                EXPECT_EQ(modals.shown.value(0), "Formulario7316|" + kDiscard + "|No");
            }

            if (command == Command::kExit) {
                EXPECT_EQ(frame->isVisible(), !goesOn);
            } else if (command == Command::kNew && goesOn) {
                ASSERT_TRUE(WaitFor([&] { return !reloaded.isEmpty(); }, kTimeoutMs) && BridgeReady());
                EXPECT_EQ(js("C.c2.value + ANEXO[1]").toString(), "15");
            } else {
                EXPECT_EQ(js("C.c2.value + (C.f118c4 ? C.f118c4.value : '')").toString(), typed ? "123456797" : "");
            }
            if (yes) {
                EXPECT_NE(FileText(Store().BackupPath()).find("campo\tf118c4\t7\n"), std::string::npos);
                const std::string ownDraft = Store().DraftPath(Store().OwnId());
                EXPECT_EQ(reopens, WaitFor([&] {  // a form that stays is drafted again
                    return FileText(ownDraft).find("12345679") != std::string::npos;
                }, reopens ? kTimeoutMs : 0));
            }
        }
    }
}

// At start-up: a damaged draft is set aside with a message, a draft whose
// program still runs is left alone, and the draft left behind is offered:
// Enter puts it back exactly (number in c1 and the header, rows, brand,
// values, boxes recomputed), also a Modify draft whose file is gone, though
// the page replaced says it has loaded.
TEST_F(DraftTest, StartUpOffersWhatProgramsNowGoneLeftBehind)
{
    Draft left{DraftOrigin::kNew, "", "01020304", 18,
               {{"c1", "01020304"}, {"c2", "12345679"}, {"c3", "Tabacalera \"La Estrella\" & Hijos <b>"},
                {"f118c1", "FA035127.00 L&M ETIQUETA VERDE MNT KS BOX 20"}, {"f118c2", "25.0000"},
                {"f118c3", "18.75"}, {"f118c4", "100.0000"}}};
    for (const DraftOrigin origin : {DraftOrigin::kNew, DraftOrigin::kModify}) {
        SCOPED_TRACE(origin == DraftOrigin::kNew ? "new" : "modify");
        left.origin = origin;
        left.sourceFile = origin == DraftOrigin::kModify ? "gone/DRN-123456797316120314302257" : "";
        Start();
        QObject context;  // the page replaced says it has loaded once the next has started
        QObject::connect(&frame->View(), &QWebEngineView::loadStarted, &context,
                         [this] { frame->findChild<CDraftActivity*>()->PaginaCargada(); });
        CDraftStore damaged(Folder(), "1-00000001"), gone(Folder(), "2-00000002"), running(Folder(), "3-00000003");
        std::ofstream(damaged.DraftPath(damaged.OwnId())) << "Formulario7316 borrador 1\norigen\tnuevo\n";
        ASSERT_TRUE(gone.Save(left).ok() && running.Save(left).ok());
        QLockFile runningLock(QString::fromStdString(running.LockPath(running.OwnId())));
        ASSERT_TRUE(runningLock.tryLock(0));

        QString damagedMessage;
        Modals modals({[&](QWidget* box) {
                           damagedMessage = static_cast<QMessageBox*>(box)->text();
                           PressEnter(box);
                       },
                       PressEnter});
        QSignalSpy recovered(&frame->Drafts(), &CDraftKeeper::recovered);
        frame->Drafts().OfferLeftovers();
        ASSERT_EQ(modals.shown.size(), 2);
        EXPECT_TRUE(damagedMessage.contains("no puede recuperarse") && damagedMessage.contains("danado.txt"));
        EXPECT_EQ(modals.shown[1], "Formulario7316|" + kRecover + "|Sí");
        EXPECT_EQ(FileText(running.DraftPath(running.OwnId())), DraftText(left));
        EXPECT_EQ(Store().OtherIds(), std::vector<std::string>{running.OwnId()});
        ASSERT_TRUE(WaitFor([&] { return !recovered.isEmpty(); }, kTimeoutMs));
        EXPECT_EQ(js("[C.c1.value, document.body.innerText.indexOf('01020304') > 0, ANEXO[1], C.c3.value,"
                     " C.f118c1.value, C.f118c4.value, C.c2010.value].join('|')").toString(),
                  "01020304|true|18|Tabacalera \"La Estrella\" & Hijos <b>|FA035127.00 L&M ETIQUETA VERDE MNT KS"
                  " BOX 20|100.0000|1875.00");
    }
}

}  // namespace
