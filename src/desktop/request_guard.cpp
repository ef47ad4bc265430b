#include "request_guard.h"

#include "res_address.h"

void CRequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (info.requestUrl().scheme() == QLatin1String(res_address::kScheme))
        return;
    info.block(true);
    emit requestRefused(info.requestUrl());
}
