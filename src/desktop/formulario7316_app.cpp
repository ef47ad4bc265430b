#include "formulario7316_app.h"

#include "app_icons.h"
#include "draft_keeper.h"
#include "main_frame.h"

#include <QFontDatabase>
#include <QScreen>
#include <QTimer>
#include <QSettings>

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

}  // namespace

CFormulario7316App::CFormulario7316App(int& argc, char** argv)
    : QApplication(argc, argv),
      m_fontReader([] { QFontDatabase::families(); })
{
    setOrganizationName(QString::fromLatin1(kProfileKey));
    setApplicationName(QString::fromLatin1(kApplicationName));
    setApplicationVersion(QStringLiteral(FORMULARIO_VERSION));
    setWindowIcon(ApplicationIcon());
}

CFormulario7316App::~CFormulario7316App() = default;

bool CFormulario7316App::InitInstance(const std::string& declaration, const std::string& nextPeriodFrom)
{
    WriteZoneMapValue();

    m_mainFrame = std::make_unique<CMainFrame>();
    // Sized to the screen first, for window systems that do not maximise.
    m_mainFrame->setGeometry(m_mainFrame->screen()->availableGeometry());
    m_mainFrame->showMaximized();
    // Once the window is up, so that a message has it as parent. A
    // declaration opened from outside leaves the drafts for a later start.
    if (!declaration.empty()) {
        QTimer::singleShot(0, m_mainFrame.get(), [frame = m_mainFrame.get(), declaration] {
            frame->OpenDeclaration(declaration);
        });
    } else if (!nextPeriodFrom.empty()) {
        QTimer::singleShot(0, m_mainFrame.get(), [frame = m_mainFrame.get(), nextPeriodFrom] {
            frame->StartNextPeriod(nextPeriodFrom);
        });
    } else {
        QTimer::singleShot(0, m_mainFrame.get(), [frame = m_mainFrame.get()] {
            frame->Drafts().OfferLeftovers();
        });
    }
    return true;
}
