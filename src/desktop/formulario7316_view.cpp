#include "formulario7316_view.h"

#include "accessible_names.h"
#include "external_bridge.h"
#include "page_setup.h"
#include "request_guard.h"
#include "res_address.h"
#include "res_scheme_handler.h"

#include <QEventLoop>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include <mutex>

namespace formulario {

namespace {

// The engine's standard faces, used where the stylesheet's (Verdana...) are
// missing: sans-serif ones, as the form is drawn in; DejaVu Sans is
// Verdana's metric relative.
const struct {
    QWebEngineSettings::FontFamily family;
    const char* face;
} kFallbackFaces[] = {
    {QWebEngineSettings::StandardFont, "DejaVu Sans"},
    {QWebEngineSettings::SansSerifFont, "DejaVu Sans"},
    {QWebEngineSettings::FixedFont, "DejaVu Sans Mono"},
};

// A profile for one view. The engine starts with the first profile and reads
// its switches then, so those that keep the pages off the network are added
// before it.
std::unique_ptr<QWebEngineProfile> OffTheNetworkProfile()
{
    static std::once_flag closed;
    std::call_once(closed, CloseEngineNetworkChannels);
    return std::make_unique<QWebEngineProfile>();
}

}  // namespace

CFormulario7316View::CFormulario7316View(QWidget* parent)
    : QWebEngineView(parent), m_profile(OffTheNetworkProfile()), m_resources(new CResSchemeHandler(m_profile.get()))
{
    m_profile->installUrlSchemeHandler(res_address::kScheme, m_resources);
    for (const auto& fallback : kFallbackFaces)
        m_profile->settings()->setFontFamily(fallback.family, QString::fromLatin1(fallback.face));
    // No page opens a window of its own; a script's window.open gets none.
    m_profile->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    auto* guard = new CRequestGuard(m_profile.get());
    m_profile->setUrlRequestInterceptor(guard);
    connect(guard, &CRequestGuard::requestRefused, this, &CFormulario7316View::requestRefused);

    m_page = std::make_unique<CFormPage>(m_profile.get(), nullptr);
    m_bridge = new CExternalBridge(m_page.get());
    InsertAccessibleNames(m_page.get());
    connect(m_bridge, &CExternalBridge::generaArchivo, this, &CFormulario7316View::generaArchivo);
    connect(m_bridge, &CExternalBridge::ready, this, [this] {
        m_bridgeReady = true;
        emit bridgeReady();
    });
    connect(m_page.get(), &QWebEnginePage::loadStarted, this, [this] {
        m_bridgeReady = false;
        m_loading = true;
        m_requested = false;
    });
    const auto loadEnded = [this] {
        m_loading = false;
        ShowWaitingPage();
    };
    connect(m_page.get(), &QWebEnginePage::loadFinished, this, loadEnded);
    connect(m_page.get(), &QWebEnginePage::renderProcessTerminated, this, loadEnded);
    connect(m_page.get(), &CFormPage::navigationRefused, this, &CFormulario7316View::navigationRefused);
    connect(this, &QWebEngineView::printFinished, this, [this] { m_printer.reset(); });
    setPage(m_page.get());
}

CFormulario7316View::~CFormulario7316View() = default;

void CFormulario7316View::LoadBlankForm()
{
    Navigate({res_address::ResourceUrl(res_address::kBlankFormId), {}});
}

void CFormulario7316View::ShowPage(const QString& html)
{
    Navigate({res_address::ShownPageUrl(), html.toUtf8()});
}

void CFormulario7316View::Navigate(Navigation navigation)
{
    m_waiting = std::move(navigation);
    if (!m_loading)
        ShowWaitingPage();
}

void CFormulario7316View::ShowWaitingPage()
{
    if (!m_waiting)
        return;
    Navigation next = std::move(*m_waiting);
    m_waiting.reset();
    if (res_address::IsShownPage(next.url))
        m_resources->SetShownPage(std::move(next.shownPage));
    m_requested = true;
    load(next.url);
}

void CFormulario7316View::PrintPage()
{
    if (m_printer)
        return;  // the previous page is still being printed
    auto printer = std::make_unique<QPrinter>();
    UseFormPageSetup(*printer);
    QPrintDialog dialog(printer.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_printer = std::move(printer);
    print(m_printer.get());
}

void CFormulario7316View::PreviewPage()
{
    if (m_printer)
        return;
    QPrinter printer;
    UseFormPageSetup(printer);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Vista preliminar"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        // The preview paints when this returns, so wait for the page to be rendered.
        QEventLoop rendered;
        connect(this, &QWebEngineView::printFinished, &rendered, &QEventLoop::quit);
        print(target);
        rendered.exec();
    });
    preview.exec();
}

void CFormulario7316View::SetAlertPresenter(CFormPage::AlertPresenter presenter)
{
    m_page->SetAlertPresenter(std::move(presenter));
}

}  // namespace formulario
