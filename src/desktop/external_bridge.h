#pragma once

#include <QObject>
#include <QString>

class QWebEnginePage;

namespace formulario {

// The host object behind the page's window.external. The script that the
// bridge injects into every page defines window.external.GeneraArchivo and
// forwards each call here over the page's web channel; calls made while the
// channel is still starting wait in the page and arrive in order once it is up.
class CExternalBridge : public QObject {
    Q_OBJECT
public:
    // Publishes the bridge on the page's web channel and injects the script.
    explicit CExternalBridge(QWebEnginePage* page);

    // Called by the page script: the four texts of window.external.GeneraArchivo.
    Q_INVOKABLE void GeneraArchivo(const QString& cadenaxml, const QString& numformulario, const QString& cadenahtml,
                                   const QString& nitcontribuyente);

    // Called by the page script once its channel is up and its waiting calls are sent.
    Q_INVOKABLE void CanalListo();

signals:
    void generaArchivo(QString cadenaxml, QString numformulario, QString cadenahtml, QString nitcontribuyente);
    void ready();
};

}  // namespace formulario
