#include "external_bridge.h"

#include "resource_text.h"

#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace formulario {

namespace {

// The bridge script with the engine's web channel client placed inside it.
QString BridgeScriptSource()
{
    QString source = ReadResourceText(QStringLiteral(":/desktop/external_bridge.js"));
    return source.replace(QLatin1String("/*QWEBCHANNEL_JS*/"),
                          ReadResourceText(QStringLiteral(":/qtwebchannel/qwebchannel.js")));
}

}  // namespace

CExternalBridge::CExternalBridge(QWebEnginePage* page) : QObject(page)
{
    auto* channel = new QWebChannel(page);
    channel->registerObject(QStringLiteral("external"), this);
    page->setWebChannel(channel, QWebEngineScript::MainWorld);

    QWebEngineScript script;
    script.setName(QStringLiteral("external_bridge"));
    script.setSourceCode(BridgeScriptSource());
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    page->scripts().insert(script);
}

void CExternalBridge::GeneraArchivo(const QString& cadenaxml, const QString& numformulario, const QString& cadenahtml,
                                    const QString& nitcontribuyente)
{
    emit generaArchivo(cadenaxml, numformulario, cadenahtml, nitcontribuyente);
}

void CExternalBridge::CanalListo()
{
    emit ready();
}

}  // namespace formulario
