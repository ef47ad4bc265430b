#pragma once

#include <QWebEnginePage>

#include <functional>

namespace formulario {

// The page that holds the form: it navigates only to res: addresses, opens no
// new windows, and hands every alert() text to a presenter (by default the
// usual modal message box). What its scripts log is signalled, for those
// who watch the page (its tests).
class CFormPage : public QWebEnginePage {
    Q_OBJECT
public:
    using AlertPresenter = std::function<void(const QString& text)>;

    CFormPage(QWebEngineProfile* profile, QObject* parent);

    void SetAlertPresenter(AlertPresenter presenter);

signals:
    void navigationRefused(const QUrl& url);
    void consoleMessage(const QString& text);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& text) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& text, int line,
                                  const QString& source) override;

private:
    AlertPresenter m_presentAlert;
};

}  // namespace formulario
