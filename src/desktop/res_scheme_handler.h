#pragma once

#include <QByteArray>
#include <QWebEngineUrlSchemeHandler>

namespace formulario {

// Serves the res: scheme: the form's resources (the form page, its stylesheet
// and its four script modules, compiled into the program) and the last page
// text built in memory. Everything is UTF-8 and says so in its content type.
class CResSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    // Makes the engine know the scheme; must run before the QApplication exists.
    static void RegisterScheme();

    explicit CResSchemeHandler(QObject* parent = nullptr);

    // The page served at res_address::ShownPageUrl() from now on.
    void SetShownPage(QByteArray html);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    void Reply(QWebEngineUrlRequestJob* job, const QByteArray& contentType, QByteArray body);

    QByteArray m_shownPage;
};

}  // namespace formulario
