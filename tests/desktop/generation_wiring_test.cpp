// The main window hands the page's GeneraArchivo calls to the generation
// flow, with the real dialog and message boxes, and Ctrl+S writes the copy.
#include "formulario7316_view.h"
#include "main_frame.h"
#include "res_scheme_handler.h"

#include "host/temporary_directory.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

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

// Closes the next message box with OK and keeps its text and caption.
void AnswerMessage(QString& text, QString& caption)
{
    WhenModal([&text, &caption](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        text = box->text();
        caption = box->windowTitle();
        box->accept();
    });
}

class GenerationWiring : public testing::Test {
protected:
    GenerationWiring() { qputenv("HOME", home.str().c_str()); }

    TemporaryDirectory home;
};

TEST_F(GenerationWiring, ThePagesCallWritesTheDataFileAndCtrlSTheCopy)
{
    CMainFrame frame;
    QString text, caption;

    AnswerMessage(text, caption);
    QTest::keyClick(&frame.View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Error:\n No puede salvarse")));
    EXPECT_EQ(caption, QStringLiteral("Zorovirira 7316"));

    WhenModal([&](QWidget* dialog) {
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        AnswerMessage(text, caption);
    });
    emit frame.View().generaArchivo(QStringLiteral("<FORMULARIO NUMERO=\"1\"/>"), QStringLiteral("9007316"),
                                    QStringLiteral("<P>copia</P>"), QStringLiteral("900"));
    const std::filesystem::path dataFile = home.path() / "900" / "7316" / "DRN-9007316";
    EXPECT_TRUE(std::filesystem::exists(dataFile));
    EXPECT_TRUE(text.contains(QString::fromStdString(dataFile.string())));
    EXPECT_EQ(caption, QStringLiteral("Zorovirira DRN-7316"));

    AnswerMessage(text, caption);
    QTest::keyClick(&frame.View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(std::filesystem::exists(dataFile.string() + ".htm"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Sr. Contribuyente:\nSe ha guardado una copia")));
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
