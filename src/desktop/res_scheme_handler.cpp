#include "res_scheme_handler.h"

#include "res_address.h"

#include "declfile/form_facts.h"

#include <QBuffer>
#include <QFile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include <string_view>

namespace formulario {

namespace {

constexpr char kHtmlType[] = "text/html; charset=utf-8";

// The type a form file is served as, told by the ending of its name.
QByteArray ContentType(std::string_view file)
{
    if (file.ends_with(".css"))
        return "text/css; charset=utf-8";
    if (file.ends_with(".js"))
        return "text/javascript; charset=utf-8";
    return kHtmlType;
}

// Where the resource system holds a form file (see res/CMakeLists.txt).
QString ResourcePath(const FormResource& resource)
{
    return QStringLiteral(":/form/") + QString::fromUtf8(resource.file.data(), qsizetype(resource.file.size()));
}

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

CResSchemeHandler::CResSchemeHandler(QObject* parent) : QWebEngineUrlSchemeHandler(parent) {}

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
    QFile file(resource ? ResourcePath(*resource) : QString());
    if (!resource || !file.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    Reply(job, ContentType(resource->file), file.readAll());
}

void CResSchemeHandler::Reply(QWebEngineUrlRequestJob* job, const QByteArray& contentType, QByteArray body)
{
    // The job owns the buffer: the engine reads it after this returns.
    auto* buffer = new QBuffer(job);
    buffer->setData(std::move(body));
    job->reply(contentType, buffer);
}

}  // namespace formulario
