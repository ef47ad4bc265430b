#include "formulario7316_app.h"

#include "app_icons.h"
#include "draft_keeper.h"
#include "main_frame.h"
#include "termination_requests.h"

#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QTranslator>

namespace formulario {

namespace {

constexpr char kProfileKey[] = "Local AppWizard-Generated Applications";
constexpr char kApplicationName[] = "Formulario7316";

// On Windows, puts the "about" scheme of the host "blank" into the trusted
// zone of the system's browser, as the program always has. Failure is silent.
void WriteZoneMapValue()
{
#ifdef Q_OS_WIN
    QSettings zoneMap(QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion"
                                     "\\Internet Settings\\ZoneMap\\Domains\\blank"),
                      QSettings::NativeFormat);
    zoneMap.setValue(QStringLiteral("about"), 2);
#endif
}

// Qt's own texts (the buttons of its dialogs, the file and print dialogs) in
// the program's language, whatever the desktop's is.
void LoadQtTranslations(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qt_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(translator);
}

}  // namespace

CFormulario7316App::CFormulario7316App(int& argc, char** argv)
    : QApplication(argc, argv), m_fontReader([] { QFontDatabase::families(); })
{
    setOrganizationName(QString::fromLatin1(kProfileKey));
    setApplicationName(QString::fromLatin1(kApplicationName));
    setApplicationVersion(QStringLiteral(FORMULARIO_VERSION));
    setWindowIcon(ApplicationIcon());
    LoadQtTranslations(*this);
    // The engine's report of its set-up at every start is for those who ask
    // for it (QT_LOGGING_RULES overrides this); its warnings still show.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}

CFormulario7316App::~CFormulario7316App() = default;

void CFormulario7316App::InitInstance(const std::string& declaration, const std::string& nextPeriodFrom)
{
    WriteZoneMapValue();

    m_mainFrame = std::make_unique<CMainFrame>();
    // Sized to the screen first, for window systems that do not maximise.
    m_mainFrame->setGeometry(m_mainFrame->screen()->availableGeometry());
    m_mainFrame->showMaximized();
    connect(new CTerminationRequests(m_mainFrame.get()), &CTerminationRequests::requested, m_mainFrame.get(),
            &CMainFrame::EndWithoutAsking);
    // Once the window is up, so that a message has it as parent. A
    // declaration opened from outside leaves the drafts for a later start.
    if (!declaration.empty()) {
        QTimer::singleShot(0, m_mainFrame.get(),
                           [frame = m_mainFrame.get(), declaration] { frame->OpenDeclaration(declaration); });
    } else if (!nextPeriodFrom.empty()) {
        QTimer::singleShot(0, m_mainFrame.get(),
                           [frame = m_mainFrame.get(), nextPeriodFrom] { frame->StartNextPeriod(nextPeriodFrom); });
    } else {
        QTimer::singleShot(0, m_mainFrame.get(), [frame = m_mainFrame.get()] { frame->Drafts().OfferLeftovers(); });
    }
}

}  // namespace formulario
