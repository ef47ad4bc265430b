#include "accessible_names.h"

#include "resource_text.h"

#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace formulario {

void InsertAccessibleNames(QWebEnginePage* page)
{
    QWebEngineScript script;
    script.setName(QStringLiteral("accessible_names"));
    script.setSourceCode(ReadResourceText(QStringLiteral(":/desktop/accessible_names.js")));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    page->scripts().insert(script);
}

}  // namespace formulario
