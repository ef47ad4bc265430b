#include "res_address.h"

#include <algorithm>

namespace formulario {

namespace res_address {
namespace {

constexpr char kShownPagePath[] = "/pagina";

QLatin1String Module()
{
    return QLatin1String(kFormResourceModule.data(), qsizetype(kFormResourceModule.size()));
}

// "23/#", what a resource's fragment starts with before its id.
QString HtmlType()
{
    return QString::number(kFormResourceType) + QStringLiteral("/#");
}

bool IsOwnHost(const QUrl& url)
{
    return url.scheme() == QLatin1String(kScheme) && url.host().compare(Module(), Qt::CaseInsensitive) == 0;
}

}  // namespace

QUrl ResourceUrl(int id)
{
    return QUrl(QStringLiteral("res://%1/#%2%3").arg(Module(), HtmlType()).arg(id));
}

QUrl ShownPageUrl()
{
    return QUrl(QStringLiteral("res://%1%2").arg(Module(), QLatin1String(kShownPagePath)));
}

std::optional<int> ResourceIdOf(const QUrl& url)
{
    if (!IsOwnHost(url) || url.path() != QLatin1String("/"))
        return std::nullopt;
    const QString fragment = url.fragment(QUrl::FullyDecoded);
    const QString type = HtmlType();
    if (!fragment.startsWith(type))
        return std::nullopt;
    const QString digits = fragment.mid(type.size());
    const bool allDigits =
        !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool fits = false;
    const int id = digits.toInt(&fits);
    if (!allDigits || !fits)
        return std::nullopt;
    return id;
}

bool IsShownPage(const QUrl& url)
{
    return IsOwnHost(url) && url.path() == QLatin1String(kShownPagePath) && !url.hasFragment() && !url.hasQuery();
}

}  // namespace res_address

}  // namespace formulario
