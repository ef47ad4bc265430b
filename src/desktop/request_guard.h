#pragma once

#include <QWebEngineUrlRequestInterceptor>

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
