#pragma once

#include <QWebEngineUrlRequestInterceptor>

class QWebEnginePage;

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

// Takes from the page, before its own scripts run, the channels that reach
// the network without a URL request (WebRTC's peer connections and
// WebTransport), which the guard above would never see.
void ClosePeerChannels(QWebEnginePage& page);
