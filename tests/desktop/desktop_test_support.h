#pragma once

// What the desktop tests share: answering modal windows, the main window
// and the page it shows, and the test's main.
#include "formulario7316_view.h"
#include "main_frame.h"
#include "res_scheme_handler.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

constexpr int kTimeoutMs = 20000;

// Runs `action` on the next modal window once it is up, from inside its
// event loop.
inline void WhenModal(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(10, [action] {
        if (QWidget* modal = QApplication::activeModalWidget())
            action(modal);
        else
            WhenModal(action);
    });
}

inline void PressEnter(QWidget* dialog)
{
    QWidget* focus = dialog->focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, Qt::Key_Return);
}

inline QPushButton* Button(QWidget* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

inline void Click(QWidget* dialog, const QString& text)
{
    QPushButton* button = Button(dialog, text);
    ASSERT_NE(button, nullptr) << text.toStdString();
    button->click();
}

struct ShownMessage {
    QString text, caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Closes the next modal window, a message box, with OK and keeps what it showed.
inline void AnswerMessage(ShownMessage& shown)
{
    WhenModal([&shown](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        shown = {box->text(), box->windowTitle(), box->icon()};
        box->accept();
    });
}

// The main window and what its page gives.
class FrameTest : public testing::Test {
protected:
    // What `script` gives in the page shown.
    QVariant js(const QString& script)
    {
        QVariant result;
        bool done = false;
        frame.View().page()->runJavaScript(script, [&](const QVariant& value) { result = value; done = true; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, kTimeoutMs));
        return result;
    }

    CMainFrame frame;
};

template <class Application = QApplication>
int RunDesktopTests(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    CResSchemeHandler::RegisterScheme();
    Application application(argc, argv);
    return RUN_ALL_TESTS();
}
