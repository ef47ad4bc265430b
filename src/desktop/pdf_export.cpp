#include "pdf_export.h"

#include "formulario7316_view.h"
#include "page_setup.h"

#include "host/reopen.h"
#include "host/safe_file_writer.h"
#include "render/consult_page.h"

#include <QEventLoop>
#include <QWebEnginePage>

#include <iostream>

namespace formulario {

namespace {

// Tells a person at a terminal what a dialog would have shown.
class CConsoleUi : public HostUi {
public:
    std::optional<std::string> AskDirectory(const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseFile() override { return std::nullopt; }
    void ShowMessage(const std::string& text, const std::string&) override { std::cerr << text << '\n'; }
    bool AskYesNo(const std::string&, const std::string&, Answer) override { return false; }
    void ShowWarning(const std::string& text) override { std::cerr << text << '\n'; }
    void ShowPage(const std::string&) override {}
};

}  // namespace

void ExportPagePdf(QWebEnginePage& page, const QString& path, std::function<void(bool written)> done)
{
    page.printToPdf(
        [path, done = std::move(done)](const QByteArray& pdf) {
            const bool written = !pdf.isEmpty() &&
                                 WriteFileWhole(path.toStdString(), std::string_view(pdf.constData(), pdf.size())).ok();
            done(written);
        },
        FormPageLayout());
}

int ExportDeclarationPdf(const std::string& declaration, const std::string& output)
{
    CConsoleUi console;
    CPageText page;
    if (!BuildReopenedPage(ReopenMode::kConsult, BuildConsultPage, declaration, console, page))
        return 1;

    CFormulario7316View view;
    QEventLoop loop;
    bool loaded = false;
    QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&](bool ok) {
        loaded = ok;
        loop.quit();
    });
    view.ShowPage(QString::fromStdString(page.str()));
    loop.exec();

    bool written = false;
    if (loaded) {
        ExportPagePdf(*view.page(), QString::fromStdString(output), [&](bool ok) {
            written = ok;
            loop.quit();
        });
        loop.exec();
    }
    if (!written)
        std::cerr << "formulario7316: no se pudo escribir " << output << '\n';
    return written ? 0 : 1;
}

}  // namespace formulario
