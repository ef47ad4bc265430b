#include "request_guard.h"

#include "res_address.h"

#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

void CRequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (info.requestUrl().scheme() == QLatin1String(res_address::kScheme))
        return;
    info.block(true);
    emit requestRefused(info.requestUrl());
}

void ClosePeerChannels(QWebEnginePage& page)
{
    QWebEngineScript script;
    script.setName(QStringLiteral("formulario7316-peer-channels"));
    script.setSourceCode(QStringLiteral(
        "['RTCPeerConnection', 'webkitRTCPeerConnection', 'RTCDataChannel', 'RTCIceTransport',"
        " 'RTCRtpSender', 'RTCRtpReceiver', 'WebTransport'].forEach(function (name) {"
        " Object.defineProperty(window, name, {value: undefined, writable: false, configurable: false}); });"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    page.scripts().insert(script);
}
