#include "host/draft_rules.h"

#include <utility>

namespace formulario {

namespace {

constexpr const char* kCaption = "Formulario7316";
constexpr const char* kRecoverQuestion = "Se encontró una declaración que no llegó a generarse.\n¿Desea recuperarla?";
constexpr const char* kDiscardQuestion = "La declaración tiene datos que no se han generado.\n¿Desea descartarlos?";
constexpr const char* kNotRecoverable =
    "Se encontró una declaración que no llegó a generarse, pero no puede recuperarse:\n";
constexpr const char* kNotKept = "No pudo guardarse el borrador de la declaración: ";

}  // namespace

CDraftRules::CDraftRules(CDraftStore& store, HostUi& ui, ProblemReporter report)
    : m_store(store), m_ui(ui), m_report(std::move(report))
{
}

void CDraftRules::BeginForm(bool blank)
{
    m_paused = false;
    m_baseline = blank ? std::optional(Draft{}) : std::nullopt;
}

bool CDraftRules::Keep(const Draft& shown)
{
    if (!m_baseline || m_paused)
        return false;
    if (SameTypedValues(shown, *m_baseline)) {
        if (m_saved)
            Report(m_store.Remove());
        m_saved.reset();
    } else if (!m_saved || !(*m_saved == shown)) {
        const CStatus saved = m_store.Save(shown);
        Report(saved);
        if (saved.ok())
            m_saved = shown;
    }
    return true;
}

bool CDraftRules::MayDiscard(const std::optional<Draft>& shown, bool restoring)
{
    if (m_paused)
        return true;
    const bool typed = restoring || (shown && m_baseline && !SameTypedValues(*shown, *m_baseline));
    if (!typed)
        return true;
    if (!m_ui.AskYesNo(kDiscardQuestion, kCaption, Answer::kNo))
        return false;
    if (shown && !restoring)
        Report(m_store.Save(*shown));
    Report(m_store.SetAside());
    m_saved.reset();
    m_paused = true;
    return true;
}

void CDraftRules::Generated()
{
    Report(m_store.Remove());
    m_saved.reset();
    m_baseline.reset();
}

std::optional<Draft> CDraftRules::OfferLeftovers(const LiveCheck& running)
{
    for (const std::string& id : m_store.OtherIds()) {
        if (running(id))
            continue;
        CResult<Draft> read = m_store.Load(id);
        if (!read.ok()) {
            ShowDamaged(id, read.status());
            continue;
        }
        if (!HoldsTypedValues(*read)) {
            Report(m_store.Forget(id));
            continue;
        }
        if (!m_ui.AskYesNo(kRecoverQuestion, kCaption, Answer::kYes)) {
            if (m_ending)
                return std::nullopt;  // not answered: the program is ending
            Report(m_store.SetAside(id));
            continue;
        }
        Report(m_store.Adopt(id, *read));
        m_saved = *read;
        return std::move(read).value();
    }
    return std::nullopt;
}

// Says where the damaged draft went only when it went there.
void CDraftRules::ShowDamaged(const std::string& id, const CStatus& read)
{
    const CStatus setAside = m_store.SetAsideDamaged(id);
    m_ui.ShowWarning(kNotRecoverable + read.Describe() + ".\n" +
                     (setAside.ok() ? "Se guardó aparte en " + m_store.DamagedPath() : setAside.Describe()));
}

void CDraftRules::Report(const CStatus& status)
{
    if (status.ok() || m_reported)
        return;
    m_reported = true;
    m_report(kNotKept + status.Describe());
}

}  // namespace formulario
