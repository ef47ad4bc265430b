#include "directory_dialog.h"
#include "qt_host_ui.h"

#include "host/generation_flow.h"
#include "host/temporary_directory.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

QT_BEGIN_NAMESPACE
// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// Runs `action` on the next modal window once it is up, from inside its
// event loop.
void WhenModal(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(10, [action] {
        if (QWidget* modal = QApplication::activeModalWidget())
            action(modal);
        else
            WhenModal(action);
    });
}

QPushButton* Button(QWidget* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

void PressEnter(QWidget* dialog)
{
    QWidget* focus = dialog->focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, Qt::Key_Return);
}

// Answers the next modal window by pressing its button `text`.
void Click(QWidget* dialog, const QString& text)
{
    QPushButton* button = Button(dialog, text);
    ASSERT_NE(button, nullptr) << text.toStdString();
    button->click();
}

} // namespace

TEST(DirectoryDialog, OpensWithOkFocusedSoEnterAcceptsTheDefault)
{
    CDirectorioDestinoDlg dialog;
    dialog.m_strDirectorio = QStringLiteral("/home/contribuyente/");
    QWidget* focused = nullptr;
    WhenModal([&](QWidget* modal) {
        focused = modal->focusWidget();
        PressEnter(modal);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(focused, Button(&dialog, QStringLiteral("OK")));
    EXPECT_EQ(dialog.m_strDirectorio, QStringLiteral("/home/contribuyente/"));
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

TEST(DirectoryDialog, ATypedPathReplacesTheDefault)
{
    CDirectorioDestinoDlg dialog;
    dialog.m_strDirectorio = QStringLiteral("/home/contribuyente/");
    WhenModal([](QWidget* modal) {
        auto* edit = modal->findChild<QLineEdit*>();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("/srv/declaraciones"));
        PressEnter(modal);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_strDirectorio, QStringLiteral("/srv/declaraciones"));
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

TEST(DirectoryDialog, CancelAndTheCloseBoxKeepTheCallersText)
{
    for (const bool closeBox : {false, true}) {
        CDirectorioDestinoDlg dialog;
        dialog.m_strDirectorio = QStringLiteral("/home/contribuyente/");
        WhenModal([closeBox](QWidget* modal) {
            modal->findChild<QLineEdit*>()->setText(QStringLiteral("/elsewhere"));
            if (closeBox)
                modal->close();
            else
                Click(modal, QStringLiteral("Cancel"));
        });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_EQ(dialog.m_strDirectorio, QStringLiteral("/home/contribuyente/"));
    }
}

// The real dialog and message boxes in front of the generation flow.
class GenerationWithDialog : public testing::Test {
protected:
    GenerationWithDialog() : ui(nullptr, [](const QString&) {}), flow(ui, {root.str() + "/", "/"}) {}

    void Generate() { flow.GeneraArchivo("<FORMULARIO/>", "1234", "<P>copia</P>", "800"); }
    std::size_t Entries() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::recursive_directory_iterator(root.path()),
                                                      std::filesystem::recursive_directory_iterator()));
    }

    TemporaryDirectory root;
    QtHostUi ui;
    CGenerationFlow flow;
};

TEST_F(GenerationWithDialog, EnterOnTheDefaultWritesTheFileAndShowsOnePlainMessage)
{
    QString caption;
    QMessageBox::Icon icon = QMessageBox::Warning;
    WhenModal([&](QWidget* dialog) {
        PressEnter(dialog);
        WhenModal([&](QWidget* message) {
            auto* box = qobject_cast<QMessageBox*>(message);
            ASSERT_NE(box, nullptr);
            caption = box->windowTitle();
            icon = box->icon();
            box->accept();
        });
    });
    Generate();
    EXPECT_TRUE(std::filesystem::exists(root.path() / "800" / "7316" / "DRN-1234"));
    EXPECT_EQ(caption, QStringLiteral("Zorovirira DRN-7316"));
    EXPECT_EQ(icon, QMessageBox::NoIcon);
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
        EXPECT_EQ(Entries(), 0u);
    }
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
