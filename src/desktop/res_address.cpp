#include "res_address.h"

#include <algorithm>

namespace res_address {
namespace {

constexpr char kModule[] = "Formulario7316.exe";
constexpr char kHtmlType[] = "23/#";
constexpr char kShownPagePath[] = "/pagina";

bool IsOwnHost(const QUrl& url)
{
    return url.scheme() == QLatin1String(kScheme)
        && url.host().compare(QLatin1String(kModule), Qt::CaseInsensitive) == 0;
}

}  // namespace

QUrl ResourceUrl(int id)
{
    return QUrl(QStringLiteral("res://%1/#%2%3").arg(QLatin1String(kModule), QLatin1String(kHtmlType)).arg(id));
}

QUrl ShownPageUrl()
{
    return QUrl(QStringLiteral("res://%1%2").arg(QLatin1String(kModule), QLatin1String(kShownPagePath)));
}

std::optional<int> ResourceIdOf(const QUrl& url)
{
    if (!IsOwnHost(url) || url.path() != QLatin1String("/"))
        return std::nullopt;
    const QString fragment = url.fragment(QUrl::FullyDecoded);
    if (!fragment.startsWith(QLatin1String(kHtmlType)))
        return std::nullopt;
    const QString digits = fragment.mid(int(sizeof kHtmlType) - 1);
    const bool allDigits = !digits.isEmpty()
        && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool fits = false;
    const int id = digits.toInt(&fits);
    if (!allDigits || !fits)
        return std::nullopt;
    return id;
}

bool IsShownPage(const QUrl& url)
{
    return IsOwnHost(url) && url.path() == QLatin1String(kShownPagePath) && !url.hasFragment()
        && !url.hasQuery();
}

}  // namespace res_address
