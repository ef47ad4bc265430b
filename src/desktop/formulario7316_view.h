#pragma once

#include "form_page.h"

#include <QWebEngineView>

#include <memory>
#include <optional>

class QPrinter;
class QWebEngineProfile;

namespace formulario {

class CExternalBridge;
class CResSchemeHandler;
class CRequestGuard;

// The form view: a web view that shows the blank declaration form from the
// program's own res: resources, or a page text built in memory, and is the
// host the page reaches as window.external. It only ever shows res: pages.
class CFormulario7316View : public QWebEngineView {
    Q_OBJECT
public:
    explicit CFormulario7316View(QWidget* parent = nullptr);
    ~CFormulario7316View() override;

    // Navigates to resource 131, the blank form; whatever the page held is lost.
    void LoadBlankForm();

    // Replaces the page shown by a page text built in memory (of any size).
    void ShowPage(const QString& html);

    // A page asked for while another is loading waits for that load to end:
    // pages replaced while their scripts arrive can leave the next page, which
    // names the same scripts, with scripts that never run. Only the page asked
    // for last is shown. True while such a page waits, or has been asked of the
    // engine and has not started loading yet.
    bool IsPageWaiting() const { return m_waiting.has_value() || m_requested; }

    // Asks for a printer and prints the page shown.
    void PrintPage();

    // Shows the print preview of the page shown, from which it can be printed.
    void PreviewPage();

    // Who shows the page's alert() texts; nothing restores the message box.
    void SetAlertPresenter(CFormPage::AlertPresenter presenter);

    // True once the page shown has its window.external connected to this view.
    bool IsBridgeReady() const { return m_bridgeReady; }

signals:
    // One page call of window.external.GeneraArchivo, its four texts as given.
    void generaArchivo(QString cadenaxml, QString numformulario, QString cadenahtml, QString nitcontribuyente);
    // The page shown has connected window.external; earlier calls are delivered.
    void bridgeReady();
    // A navigation away from res: pages was refused.
    void navigationRefused(const QUrl& url);
    // A request of the page to a scheme other than res: was refused.
    void requestRefused(const QUrl& url);

private:
    struct Navigation {
        QUrl url;
        QByteArray shownPage;  // the page text when the address is the shown page's
    };
    void Navigate(Navigation navigation);
    void ShowWaitingPage();

    // Declared in this order so the page goes before the profile it uses.
    std::unique_ptr<QWebEngineProfile> m_profile;
    CResSchemeHandler* m_resources;
    std::unique_ptr<CFormPage> m_page;
    CExternalBridge* m_bridge;
    std::unique_ptr<QPrinter> m_printer;
    bool m_bridgeReady = false;
    bool m_loading = false;    // between the engine's load start and end
    bool m_requested = false;  // asked of the engine, not yet started
    std::optional<Navigation> m_waiting;
};

}  // namespace formulario
