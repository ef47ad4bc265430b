#include "next_period_start.h"

#include "draft_keeper.h"
#include "formulario7316_view.h"

#include "host/host_ui.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace formulario {

namespace {

// Gives the period boxes the month after the saved one, as if typed, the
// rest of the period derived by the form; where the form refuses that month
// the saved one is put back. True when the following month stays.
const QString kPeriodScript =
    QStringLiteral("(function (siguiente, anterior) {"
                   " function pon(periodo) { C.mes_ini.value = periodo[0]; C.anio_ini.value = periodo[1];"
                   "  return avisosde(validacionesfecha).length == 0; }"
                   " if (pon(siguiente)) return true;"
                   " pon(anterior); return false; })");

QJsonArray Pair(const PeriodMonth& period)
{
    return {QString::fromStdString(period.month), QString::fromStdString(period.year)};
}

}  // namespace

CNextPeriodStart::CNextPeriodStart(CFormulario7316View& view, CDraftKeeper& drafts, HostUi& ui, QObject* parent)
    : QObject(parent), m_view(view), m_drafts(drafts), m_ui(ui)
{
}

bool CNextPeriodStart::Start(const std::string& path)
{
    const std::optional<Declaration> previous = ReadPreviousDeclaration(path, m_ui, m_page);
    if (!previous)
        return false;
    const PeriodMonth saved{std::string(previous->from.Month()), std::string(previous->from.Year())};
    const PeriodMonth next = FollowingMonth(previous->from).value_or(saved);
    QObject::disconnect(m_waiting);
    m_waiting = connect(&m_drafts, &CDraftKeeper::recovered, this, [this, next, saved] {
        QObject::disconnect(m_waiting);
        SetPeriod(next, saved);
    });
    m_drafts.StartBlankFormWith(NextPeriodDraft(*previous, next));
    return true;
}

void CNextPeriodStart::SetPeriod(const PeriodMonth& next, const PeriodMonth& saved)
{
    const QJsonArray arguments{Pair(next), Pair(saved)};
    const QString script =
        QStringLiteral("%1.apply(null, %2)")
            .arg(kPeriodScript, QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact)));
    QPointer<CNextPeriodStart> self(this);
    m_view.page()->runJavaScript(script, QWebEngineScript::MainWorld, [self, saved](const QVariant& kept) {
        if (!self)
            return;
        if (!kept.toBool())
            self->m_ui.ShowWarning(
                "Error:\nEl periodo de la declaración elegida, " + saved.month + "/" + saved.year +
                ", es el último que admite el formulario; la nueva declaración conserva ese periodo.");
        self->m_drafts.SaveNow();
        emit self->started();
    });
}

}  // namespace formulario
