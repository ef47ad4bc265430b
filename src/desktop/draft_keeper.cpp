#include "draft_keeper.h"

#include "formulario7316_view.h"
#include "res_address.h"

#include "host/draft_page.h"

#include <QDir>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <memory>

namespace {

constexpr int kDraftDelayMs = 1000;  // from a field left to the draft written
constexpr int kReadTimeoutMs = 3000; // for a reading a question waits on

const QString kRecoverQuestion =
    QStringLiteral("Se encontró una declaración que no llegó a generarse.\n¿Desea recuperarla?");
const QString kDiscardQuestion =
    QStringLiteral("La declaración tiene datos que no se han generado.\n¿Desea descartarlos?");

const QString kCaption = QStringLiteral("Formulario7316");

// Nothing from a page without the form's scripts, or one still loading.
const QString kReadScript = QStringLiteral(
    "document.readyState == 'complete' && typeof valoresborrador == 'function' ? valoresborrador() : null");

// Puts a draft back only into the page it was typed on (by its path), loaded
// and with its load handler run; false otherwise, for a later try. The page
// that announces its load may be the one being replaced, and the one asked
// about may be half loaded.
const QString kRestoreScript = QStringLiteral(
    "(function (path, number, rows, values) {"
    " if (location.pathname != path || document.readyState != 'complete'"
    " || typeof restauraborrador != 'function') return false;"
    " restauraborrador(number || C.c1.value, rows, values); return true; })");

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CDraftKeeper::CDraftKeeper(CFormulario7316View& view, QWidget* parent, const QString& folder)
    : QObject(parent),
      m_view(view),
      m_parent(parent),
      m_store(QDir::toNativeSeparators(folder).toStdString(), NewDraftId()),
      m_lock(Utf8(m_store.LockPath(m_store.OwnId())))
{
    m_lock.setStaleLockTime(0);
    if (m_store.Prepare().ok())
        m_lock.tryLock(0);

    auto* activity = new CDraftActivity(this);
    m_view.page()->webChannel()->registerObject(QStringLiteral("borrador"), activity);
    connect(activity, &CDraftActivity::pageLoaded, this, &CDraftKeeper::OnPageLoaded);
    connect(activity, &CDraftActivity::fieldLeft, this, &CDraftKeeper::OnFieldLeft);
    connect(m_view.page(), &QWebEnginePage::loadStarted, this, &CDraftKeeper::OnLoadStarted);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CDraftKeeper::SaveNow);
}

CDraftKeeper::~CDraftKeeper() = default;

QString CDraftKeeper::DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/Formulario7316");
}

void CDraftKeeper::Begin(Form form, std::string source)
{
    m_form = form;
    m_source = std::move(source);
    m_paused = false;
    // Nothing is typed into a blank form yet; what a Modify page holds once
    // loaded is read from it then.
    m_baseline = form == Form::Blank ? std::optional(Draft{}) : std::nullopt;
    m_restoring.reset();
    m_timer.stop();
    ++m_pageSerial;  // readings of the page before belong to no form now
}

void CDraftKeeper::BeginBlankForm() { Begin(Form::Blank, {}); }

void CDraftKeeper::BeginModifyPage(const std::string& file) { Begin(Form::Modify, file); }

void CDraftKeeper::EndWorkingForm() { Begin(Form::None, {}); }

void CDraftKeeper::OnLoadStarted() { ++m_pageSerial; }

void CDraftKeeper::OnPageLoaded()
{
    if (m_form == Form::None || m_view.IsPageWaiting())  // no working form, or about to be replaced
        return;
    if (m_restoring) {
        Restore();
        return;
    }
    if (!m_baseline) {  // what the page holds once loaded is no typed work
        Pull([this](std::optional<Draft> shown) {
            if (shown)
                m_baseline = std::move(*shown);
        });
    }
}

void CDraftKeeper::OnFieldLeft()
{
    if (m_form != Form::None && !m_paused && !m_restoring && !m_timer.isActive())
        m_timer.start(kDraftDelayMs);
}

void CDraftKeeper::SaveNow()
{
    if (m_form == Form::None || m_paused || m_restoring)
        return;
    Pull([this](std::optional<Draft> shown) {
        if (shown)
            Keep(*shown);
    });
}

// Reads the working form's values from the page; `done` gets them unless
// the page has changed in the meantime.
void CDraftKeeper::Pull(std::function<void(std::optional<Draft>)> done)
{
    QPointer<CDraftKeeper> self(this);
    const unsigned serial = m_pageSerial;
    m_view.page()->runJavaScript(kReadScript, QWebEngineScript::MainWorld,
                                 [self, serial, done = std::move(done)](const QVariant& values) {
                                     if (self && serial == self->m_pageSerial)
                                         done(self->DraftOf(values));
                                 });
}

// Pull, waiting (within a bound) for the reading.
std::optional<Draft> CDraftKeeper::PullNow()
{
    struct Reading {
        bool came = false;
        std::optional<Draft> shown;
        QEventLoop loop;
    };
    auto reading = std::make_shared<Reading>();
    Pull([reading](std::optional<Draft> shown) {
        reading->came = true;
        reading->shown = std::move(shown);
        reading->loop.quit();
    });
    QTimer::singleShot(kReadTimeoutMs, &reading->loop, &QEventLoop::quit);
    if (!reading->came)
        reading->loop.exec();
    return reading->came ? reading->shown : m_lastShown;
}

// The draft of what valoresborrador() gave: number, row count, then names
// and values. Fields the form cannot have are left out.
std::optional<Draft> CDraftKeeper::DraftOf(const QVariant& values) const
{
    const QVariantList list = values.toList();
    if (list.size() < 2)
        return std::nullopt;
    Draft draft;
    draft.origin = m_form == Form::Modify ? DraftOrigin::kModify : DraftOrigin::kNew;
    draft.sourceFile = m_source;
    draft.formNumber = list[0].toString().toStdString();
    draft.annexRows = list[1].toInt();
    if (draft.annexRows < 0 || draft.annexRows > kMaxDraftAnnexRows)
        return std::nullopt;
    draft.fields.reserve(static_cast<std::size_t>(list.size() / 2));
    for (qsizetype i = 2; i + 1 < list.size(); i += 2) {
        std::string name = list[i].toString().toStdString();
        if (IsFormField(name, draft.annexRows))
            draft.fields.push_back({std::move(name), list[i + 1].toString().toStdString()});
    }
    return draft;
}

// Writes the draft while the form holds typed work, removes it once it does not.
void CDraftKeeper::Keep(const Draft& shown)
{
    m_lastShown = shown;
    if (!m_baseline || m_paused)
        return;
    if (SameTypedValues(shown, *m_baseline)) {
        if (m_saved)
            Report(m_store.Remove());
        m_saved.reset();
    } else if (!m_saved || !(*m_saved == shown)) {
        const CStatus status = m_store.Save(shown);
        Report(status);
        if (status.ok())
            m_saved = shown;
    }
    emit draftKept();
}

bool CDraftKeeper::MayDiscard()
{
    if (m_form == Form::None || m_paused)
        return true;
    std::optional<Draft> shown = PullNow();
    const bool typed = m_restoring || (shown && m_baseline && !SameTypedValues(*shown, *m_baseline));
    if (!typed)
        return true;
    if (!Ask(kDiscardQuestion, false))
        return false;
    m_timer.stop();
    if (shown && !m_restoring)
        Report(m_store.Save(*shown));
    Report(m_store.SetAside());
    m_saved.reset();
    m_paused = true;
    return true;
}

void CDraftKeeper::KeepDrafting()
{
    m_paused = false;
    SaveNow();
}

void CDraftKeeper::Generated()
{
    m_timer.stop();
    Report(m_store.Remove());
    m_saved.reset();
    m_baseline.reset();
    // The form as generated is the new point of comparison.
    Pull([this](std::optional<Draft> shown) {
        if (shown)
            m_baseline = std::move(*shown);
    });
}

void CDraftKeeper::KeepForNextStart()
{
    m_ending = true;
    m_timer.stop();
    if (m_form == Form::None || m_paused || m_restoring)
        return;  // nothing typed here, or what is on disk is what to offer
    if (std::optional<Draft> shown = PullNow())
        Keep(*shown);
}

void CDraftKeeper::OfferLeftovers()
{
    for (const std::string& id : m_store.OtherIds()) {
        QLockFile lock(Utf8(m_store.LockPath(id)));
        lock.setStaleLockTime(0);
        // A folder that cannot be written holds no running program's new
        // lock: its leftovers are still offered, recovered read-only.
        if (!lock.tryLock(0) && lock.error() != QLockFile::PermissionError)
            continue;  // its program still runs
        const CResult<Draft> read = m_store.Load(id);
        if (!read.ok()) {
            // Says where the draft went only when it went there.
            const CStatus setAside = m_store.SetAsideDamaged(id);
            const QString whereNow = setAside.ok() ? QStringLiteral("Se guardó aparte en %1")
                                                         .arg(QDir::toNativeSeparators(Utf8(m_store.DamagedPath())))
                                                   : Utf8(setAside.Describe());
            QMessageBox box(QMessageBox::Warning, kCaption,
                            QStringLiteral("Se encontró una declaración que no llegó a generarse, pero no "
                                           "puede recuperarse:\n%1.\n%2")
                                .arg(Utf8(read.status().Describe()), whereNow),
                            QMessageBox::Ok, m_parent);
            box.setTextFormat(Qt::PlainText);
            box.exec();
            continue;
        }
        const Draft& draft = *read;
        if (!HoldsTypedValues(draft)) {
            Report(m_store.Forget(id));
            continue;
        }
        if (!Ask(kRecoverQuestion, true)) {
            if (m_ending)
                return;  // not answered: the program is ending
            Report(m_store.SetAside(id));
            continue;
        }
        Report(m_store.Adopt(id, draft));
        m_saved = draft;
        Recover(draft);
        return;
    }
}

// Shows the page the draft was typed on and, once it is loaded, puts its
// values back.
void CDraftKeeper::Recover(const Draft& draft)
{
    if (draft.origin == DraftOrigin::kModify) {
        CPageText page;
        if (!BuildDraftModifyPage(draft, page))
            return;
        Begin(Form::Modify, draft.sourceFile);
        m_restoring = draft;
        m_view.ShowPage(Utf8(page.str()));
    } else if (m_form == Form::Blank) {
        m_restoring = draft;
        Restore();
    } else {
        StartBlankFormWith(draft);
    }
}

void CDraftKeeper::StartBlankFormWith(const Draft& draft)
{
    Begin(Form::Blank, {});
    m_restoring = draft;
    m_view.LoadBlankForm();
}

// Tries to put the recovered draft back; the next load of a page tries again.
void CDraftKeeper::Restore()
{
    const Draft& draft = *m_restoring;
    const QUrl page = m_form == Form::Modify ? res_address::ShownPageUrl()
                                             : res_address::ResourceUrl(res_address::kBlankFormId);
    QJsonArray values;
    for (const DraftField& field : draft.fields)
        values << Utf8(field.name) << Utf8(field.value);
    const QJsonArray arguments{page.path(), Utf8(draft.formNumber), draft.annexRows, values};
    const QString script = QStringLiteral("%1.apply(null, %2)")
                               .arg(kRestoreScript,
                                    QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact)));
    QPointer<CDraftKeeper> self(this);
    const unsigned serial = m_pageSerial;
    m_view.page()->runJavaScript(script, QWebEngineScript::MainWorld, [self, serial](const QVariant& restored) {
        if (!self || serial != self->m_pageSerial || !restored.toBool() || !self->m_restoring)
            return;
        self->m_restoring.reset();
        self->m_baseline = Draft{};  // all of it is work not generated
        self->SaveNow();
        emit self->recovered();
    });
}

bool CDraftKeeper::Ask(const QString& text, bool yesByDefault) const
{
    QMessageBox box(QMessageBox::Question, kCaption, text, QMessageBox::NoButton,
                    m_parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setDefaultButton(yesByDefault ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

// A draft that cannot be written is said once, in the status bar.
void CDraftKeeper::Report(const CStatus& status)
{
    if (status.ok() || m_reported)
        return;
    m_reported = true;
    emit problem(QStringLiteral("No pudo guardarse el borrador de la declaración: %1")
                     .arg(Utf8(status.Describe())));
}
