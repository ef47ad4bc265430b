#pragma once

#include "host/draft_store.h"
#include "host/host_ui.h"

#include <functional>
#include <optional>
#include <string>

namespace formulario {

// When the working form's draft is written, removed, set aside or offered
// back, and every question and message about it. The desktop reads the
// form's values from the page, holds the locks and puts a recovered draft
// back into the page; these rules decide the rest and ask through `ui`.
class CDraftRules {
public:
    // Shows a problem with the drafts where it does not interrupt (the
    // status bar); called once at most.
    using ProblemReporter = std::function<void(const std::string& text)>;
    // True while the program that keeps the draft `id` still runs.
    using LiveCheck = std::function<bool(const std::string& id)>;

    CDraftRules(CDraftStore& store, HostUi& ui, ProblemReporter report);

    // A new working form: a blank one, where nothing is typed yet, or a
    // Modify page, whose values once loaded are its baseline (SetBaseline).
    void BeginForm(bool blank);
    bool HasBaseline() const { return m_baseline.has_value(); }
    // What the form holds that is no typed work: as loaded or last generated.
    void SetBaseline(Draft shown) { m_baseline = std::move(shown); }
    // Drafting pauses once the typed values were set aside, until the next
    // form or KeepDrafting.
    bool Paused() const { return m_paused; }

    // The form as read now: written as the draft while it differs from the
    // baseline, the draft removed once it does not. False while there is
    // no baseline yet or drafting is paused (nothing was kept).
    bool Keep(const Draft& shown);

    // Before the working form is replaced or the window closes: when it
    // holds typed values (`shown` differs from the baseline, or a recovered
    // draft is still `restoring` into the page), asks whether to discard
    // them; "Sí" sets them aside as the backup and pauses drafting. False
    // when the person wants to keep them.
    bool MayDiscard(const std::optional<Draft>& shown, bool restoring);
    // The command MayDiscard let go on was cancelled: the form is drafted again.
    void KeepDrafting() { m_paused = false; }
    // The form's declaration was written: its draft ends, and the form as
    // generated becomes the baseline once read again.
    void Generated();
    // The program ends without asking: no question after this one sets a
    // draft aside.
    void Ending() { m_ending = true; }
    bool IsEnding() const { return m_ending; }
    // A recovered draft is back in the form: all of it is work not generated.
    void Recovered() { m_baseline = Draft{}; }

    // Offers, oldest first, the drafts that programs now gone left behind
    // (those for which `running` is false): a damaged one is set aside with
    // a message, an empty one removed, one answered "No" set aside as the
    // backup. The draft answered "Sí", now this program's own (or, in a
    // folder that cannot be written, still where it was, which the status
    // says), for the desktop to put back; nothing when none was.
    std::optional<Draft> OfferLeftovers(const LiveCheck& running);

    const CDraftStore& Store() const { return m_store; }

private:
    void Report(const CStatus& status);
    void ShowDamaged(const std::string& id, const CStatus& read);

    CDraftStore& m_store;
    HostUi& m_ui;
    ProblemReporter m_report;
    std::optional<Draft> m_baseline;  // what was loaded or last generated
    std::optional<Draft> m_saved;     // what the draft file holds
    bool m_paused = false;
    bool m_ending = false;
    bool m_reported = false;
};

}  // namespace formulario
