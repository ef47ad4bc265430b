#include "res_scheme_handler.h"

#include "res_address.h"

#include <QBuffer>
#include <QFile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace {

constexpr char kHtmlType[] = "text/html; charset=utf-8";

struct FormResource {
    int id;
    const char* file;
    const char* contentType;
};

// The resources the pages name, by id, in the order the page loads them.
constexpr FormResource kFormResources[] = {
    {131, ":/form/form7316.html", kHtmlType},
    {132, ":/form/form7316.css", "text/css; charset=utf-8"},
    {133, ":/form/configuracion7316.js", "text/javascript; charset=utf-8"},
    {134, ":/form/validaciones.js", "text/javascript; charset=utf-8"},
    {135, ":/form/validacionesanexo.js", "text/javascript; charset=utf-8"},
    {136, ":/form/funciones.js", "text/javascript; charset=utf-8"},
};

const FormResource* FindResource(int id)
{
    for (const FormResource& resource : kFormResources) {
        if (resource.id == id)
            return &resource;
    }
    return nullptr;
}

}  // namespace

void CResSchemeHandler::RegisterScheme()
{
    QWebEngineUrlScheme scheme(res_address::kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

CResSchemeHandler::CResSchemeHandler(QObject* parent)
    : QWebEngineUrlSchemeHandler(parent)
{
}

void CResSchemeHandler::SetShownPage(QByteArray html)
{
    m_shownPage = std::move(html);
}

void CResSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    const QUrl url = job->requestUrl();
    if (res_address::IsShownPage(url)) {
        Reply(job, kHtmlType, m_shownPage);
        return;
    }
    const std::optional<int> id = res_address::ResourceIdOf(url);
    const FormResource* resource = id ? FindResource(*id) : nullptr;
    QFile file(resource ? QString::fromLatin1(resource->file) : QString());
    if (!resource || !file.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    Reply(job, resource->contentType, file.readAll());
}

void CResSchemeHandler::Reply(QWebEngineUrlRequestJob* job, const QByteArray& contentType,
                              QByteArray body)
{
    // The job owns the buffer: the engine reads it after this returns.
    auto* buffer = new QBuffer(job);
    buffer->setData(std::move(body));
    job->reply(contentType, buffer);
}
