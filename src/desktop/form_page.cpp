#include "form_page.h"

#include "res_address.h"

#include <QApplication>
#include <QMessageBox>
#include <QWebEngineView>

namespace formulario {

CFormPage::CFormPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent)
{
    SetAlertPresenter(nullptr);
}

void CFormPage::SetAlertPresenter(AlertPresenter presenter)
{
    if (presenter) {
        m_presentAlert = std::move(presenter);
        return;
    }
    m_presentAlert = [this](const QString& text) {
        QMessageBox::warning(QWebEngineView::forPage(this), QApplication::applicationName(), text);
    };
}

bool CFormPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool)
{
    if (url.scheme() == QLatin1String(res_address::kScheme))
        return true;
    emit navigationRefused(url);
    return false;
}

void CFormPage::javaScriptAlert(const QUrl&, const QString& text)
{
    m_presentAlert(text);
}

void CFormPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& text, int line,
                                         const QString& source)
{
    QWebEnginePage::javaScriptConsoleMessage(level, text, line, source);
    emit consoleMessage(text);
}

}  // namespace formulario
