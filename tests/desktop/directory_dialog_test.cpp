// The directory dialog, driven with keys and buttons as a person does, alone
// and in front of the generation flow.
#include "desktop_test_support.h"
#include "directory_dialog.h"
#include "qt_host_ui.h"

#include "host/generation_flow.h"
#include "host/temporary_directory.h"

#include <QLineEdit>

namespace {

const QString kDefault = QStringLiteral("/home/contribuyente/");

TEST(DirectoryDialog, OpensWithOkFocusedSoEnterAcceptsTheDefault)
{
    CDirectorioDestinoDlg dialog;
    dialog.m_strDirectorio = kDefault;
    QWidget* focused = nullptr;
    WhenModal([&](QWidget* modal) {
        focused = modal->focusWidget();
        PressEnter(modal);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(focused, Button(&dialog, QStringLiteral("OK")));
    EXPECT_EQ(dialog.m_strDirectorio, kDefault);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Directorio Destino"));
}

TEST(DirectoryDialog, TabGoesFromOkToCancelBuscarAndThePath)
{
    CDirectorioDestinoDlg dialog;
    QStringList order;
    WhenModal([&](QWidget* modal) {
        for (int step = 0; step < 4; ++step) {
            QWidget* focus = modal->focusWidget();
            auto* button = qobject_cast<QPushButton*>(focus);
            order << (button ? button->text() : QString::fromLatin1(focus->metaObject()->className()));
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        Click(modal, QStringLiteral("Cancel"));
    });
    dialog.exec();
    EXPECT_EQ(order, (QStringList{"OK", "Cancel", "Buscar", "QLineEdit"}));
}

// A typed path replaces the default on Enter; Cancel and the close box keep
// the caller's text.
TEST(DirectoryDialog, ATypedPathCountsOnlyWhenAccepted)
{
    enum class Close { Enter, Cancel, CloseBox };
    const struct {
        Close close;
        QDialog::DialogCode result;
        QString text;
    } cases[] = {{Close::Enter, QDialog::Accepted, QStringLiteral("/srv/declaraciones")},
                 {Close::Cancel, QDialog::Rejected, kDefault},
                 {Close::CloseBox, QDialog::Rejected, kDefault}};
    for (const auto& test : cases) {
        SCOPED_TRACE(int(test.close));
        CDirectorioDestinoDlg dialog;
        dialog.m_strDirectorio = kDefault;
        WhenModal([&test](QWidget* modal) {
            auto* edit = modal->findChild<QLineEdit*>();
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("/srv/declaraciones"));
            if (test.close == Close::Enter)
                PressEnter(modal);
            else if (test.close == Close::Cancel)
                Click(modal, QStringLiteral("Cancel"));
            else
                modal->close();
        });
        EXPECT_EQ(dialog.exec(), test.result);
        EXPECT_EQ(dialog.m_strDirectorio, test.text);
    }
}

TEST(DirectoryDialog, BuscarFillsThePathAndACancelledBrowserKeepsIt)
{
    QString answer = QStringLiteral("/media/usb");
    CDirectorioDestinoDlg dialog(nullptr, [&](QWidget*, const QString&) { return answer; });
    dialog.m_strDirectorio = QStringLiteral("typed");
    QStringList seen;
    WhenModal([&](QWidget* modal) {
        auto* edit = modal->findChild<QLineEdit*>();
        Click(modal, QStringLiteral("Buscar"));
        seen << edit->text();
        answer.clear();
        Click(modal, QStringLiteral("Buscar"));
        seen << edit->text();
        Click(modal, QStringLiteral("OK"));
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(seen, (QStringList{"/media/usb", "/media/usb"}));
    EXPECT_EQ(dialog.m_strDirectorio, QStringLiteral("/media/usb"));
}

// The real dialog and message boxes in front of the generation flow.
class GenerationWithDialog : public testing::Test {
protected:
    GenerationWithDialog() : ui(nullptr, [](const QString&) {}), flow(ui, {root.str() + "/", "/"}) {}

    void Generate() { flow.GeneraArchivo("<FORMULARIO/>", "1234", "<P>copia</P>", "800"); }

    TemporaryDirectory root;
    QtHostUi ui;
    CGenerationFlow flow;
};

TEST_F(GenerationWithDialog, EnterOnTheDefaultWritesTheFileAndShowsOnePlainMessage)
{
    ShownMessage shown;
    shown.icon = QMessageBox::Warning;
    WhenModal([&](QWidget* dialog) {
        PressEnter(dialog);
        AnswerMessage(shown);
    });
    Generate();
    EXPECT_TRUE(std::filesystem::exists(root.path() / "800" / "7316" / "DRN-1234"));
    EXPECT_EQ(shown.caption, QStringLiteral("Zorovirira DRN-7316"));
    EXPECT_EQ(shown.icon, QMessageBox::NoIcon);
}

TEST_F(GenerationWithDialog, CancelAndTheCloseBoxWriteNothing)
{
    for (const bool closeBox : {false, true}) {
        WhenModal([closeBox](QWidget* dialog) {
            if (closeBox)
                dialog->close();
            else
                Click(dialog, QStringLiteral("Cancel"));
        });
        Generate();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(std::filesystem::is_empty(root.path()));
    }
}

} // namespace

int main(int argc, char** argv) { return RunDesktopTests(argc, argv); }
