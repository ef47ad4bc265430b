#pragma once

#include "host/draft_rules.h"
#include "host/draft_store.h"

#include <QLockFile>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace formulario {

class CFormulario7316View;

// The page's side of the draft: the script that gives pages window.external
// calls PaginaCargada once the page has loaded and run its load handler (the
// engine's own load signal may come well after; and a page being replaced
// may still say so after the next one has started), and CasillaDejada
// whenever a field is left, a choice changes or a button is pressed.
// Published on the page's web channel as "borrador", never on window.external.
class CDraftActivity : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE void PaginaCargada() { emit pageLoaded(); }
    Q_INVOKABLE void CasillaDejada() { emit fieldLeft(); }

signals:
    void pageLoaded();
    void fieldLeft();
};

// Keeps the draft of the working form (the blank form or a Modify page) on
// disk while it is filled: about a second after a field is left, the form's
// values are read from the page and written as this program's draft when
// they differ from what was loaded or last generated, and the draft is
// removed when they no longer do. The rules of when to write, ask, set aside
// and offer, and every question and message, are CDraftRules', asked
// through `ui`; this keeps the timer, the locks, and reads and restores the page.
class CDraftKeeper : public QObject {
    Q_OBJECT
public:
    // Drafts go into `folder`; the questions and messages go to `ui`.
    CDraftKeeper(CFormulario7316View& view, HostUi& ui, QObject* parent, const QString& folder = DefaultFolder());
    ~CDraftKeeper() override;

    // "Formulario7316" in the user's data folder (~/.local/share/Formulario7316).
    static QString DefaultFolder();

    // The view is about to show the blank form, a Modify page opened from
    // `file`, or a page that is no working form (which leaves the draft as it is).
    void BeginBlankForm();
    void BeginModifyPage(const std::string& file);
    void EndWorkingForm();

    // Before the working form is replaced or the window closes: when the form
    // holds typed values not generated since, asks whether to discard them.
    // "Sí" sets the draft aside as the backup and drafting pauses. False when
    // the person wants to keep them.
    bool MayDiscard();
    // The command that MayDiscard let go on was cancelled: the form stays and
    // is drafted again.
    void KeepDrafting();

    // The form's declaration has been written: its draft ends.
    void Generated();

    // The program ends without asking (a log-out): the typed work is
    // written now as this program's draft, for the next start to offer, and
    // no question after this one sets a draft aside.
    void KeepForNextStart();

    // Offers, one after another, the drafts left behind by programs that are
    // gone; "Sí" puts one back into the form (the rest wait for a later start).
    void OfferLeftovers();

    // Reads the form now and keeps or removes the draft accordingly.
    void SaveNow();

    // Shows the page the draft was typed on and puts its values back;
    // `recovered` follows.
    void Recover(const Draft& draft);

    // Shows a fresh blank form and fills it with the values of `draft`, as a
    // recovered draft of a new declaration is put back; `recovered` follows.
    // A draft without a form number keeps the number the form gives itself.
    void StartBlankFormWith(const Draft& draft);

    // True while the page shown is a working form (the blank form or a
    // Modify page), not a read-only one.
    bool IsWorkingForm() const { return m_form != Form::kNone; }

    const CDraftStore& Store() const { return m_store; }
    const CDraftRules& Rules() const { return m_rules; }

signals:
    // The draft on disk matches the form as last read.
    void draftKept();
    // A recovered draft is back in the form.
    void recovered();
    // A draft could not be written or set aside.
    void problem(const QString& text);

private:
    enum class Form { kNone, kBlank, kModify };

    void Begin(Form form, std::string source);
    void OnLoadStarted();
    void OnPageLoaded();
    void OnFieldLeft();
    void Pull(std::function<void(std::optional<Draft>)> done);
    std::optional<Draft> PullNow();
    std::optional<Draft> DraftOf(const QVariant& values) const;
    void Keep(const Draft& shown);
    void Restore();
    bool IsRunning(const std::string& id) const;

    CFormulario7316View& m_view;
    CDraftStore m_store;
    CDraftRules m_rules;
    QLockFile m_lock;  // tells other programs that this one's draft is alive
    QTimer m_timer;
    Form m_form = Form::kNone;
    std::string m_source;
    unsigned m_pageSerial = 0;         // which page a reading belongs to
    std::optional<Draft> m_restoring;  // a recovered draft waiting for its page
    std::optional<Draft> m_lastShown;
};

}  // namespace formulario
