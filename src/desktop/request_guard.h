#pragma once

#include <QWebEngineUrlRequestInterceptor>

namespace formulario {

// Refuses every request the engine would make to a scheme other than res:
// (http, https, file, ftp, ...), so a page can reach nothing outside the program.
class CRequestGuard : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

signals:
    void requestRefused(const QUrl& url);
};

// Adds to the browser engine's switches those that keep every frame and
// window of every page off the network by the ways the guard above never
// sees: WebRTC sends nothing over UDP (no STUN request, no local candidate,
// no mDNS), and the engine's network stack resolves no name and no address,
// so no TURN connection over TCP is made and no DNS query is sent. The engine
// reads its switches once, as it starts with the first profile, so this is
// called before that.
void CloseEngineNetworkChannels();

}  // namespace formulario
