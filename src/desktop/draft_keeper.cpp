#include "draft_keeper.h"

#include "formulario7316_view.h"
#include "res_address.h"

#include "host/draft_page.h"

#include <QDir>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QStandardPaths>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <memory>

namespace formulario {

namespace {

constexpr int kDraftDelayMs = 1000;   // from a field left to the draft written
constexpr int kReadTimeoutMs = 3000;  // for a reading a question waits on

// Nothing from a page without the form's scripts, or one still loading.
const QString kReadScript = QStringLiteral(
    "document.readyState == 'complete' && typeof valoresborrador == 'function' ? valoresborrador() : null");

// Puts a draft back only into the page it was typed on (by its path), loaded
// and with its load handler run; false otherwise, for a later try. The page
// that announces its load may be the one being replaced, and the one asked
// about may be half loaded.
const QString kRestoreScript = QStringLiteral("(function (path, number, rows, values) {"
                                              " if (location.pathname != path || document.readyState != 'complete'"
                                              " || typeof restauraborrador != 'function') return false;"
                                              " restauraborrador(number || C.c1.value, rows, values); return true; })");

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

CDraftKeeper::CDraftKeeper(CFormulario7316View& view, HostUi& ui, QObject* parent, const QString& folder)
    : QObject(parent), m_view(view), m_store(QDir::toNativeSeparators(folder).toStdString(), NewDraftId()),
      m_rules(m_store, ui, [this](const std::string& text) { emit problem(Utf8(text)); }),
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
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Formulario7316");
}

void CDraftKeeper::Begin(Form form, std::string source)
{
    m_form = form;
    m_source = std::move(source);
    m_rules.BeginForm(form == Form::kBlank);
    m_restoring.reset();
    m_timer.stop();
    ++m_pageSerial;  // readings of the page before belong to no form now
}

void CDraftKeeper::BeginBlankForm()
{
    Begin(Form::kBlank, {});
}

void CDraftKeeper::BeginModifyPage(const std::string& file)
{
    Begin(Form::kModify, file);
}

void CDraftKeeper::EndWorkingForm()
{
    Begin(Form::kNone, {});
}

void CDraftKeeper::OnLoadStarted()
{
    ++m_pageSerial;
}

void CDraftKeeper::OnPageLoaded()
{
    if (m_form == Form::kNone || m_view.IsPageWaiting())  // no working form, or about to be replaced
        return;
    if (m_restoring) {
        Restore();
        return;
    }
    if (!m_rules.HasBaseline()) {  // what the page holds once loaded is no typed work
        Pull([this](std::optional<Draft> shown) {
            if (shown)
                m_rules.SetBaseline(std::move(*shown));
        });
    }
}

void CDraftKeeper::OnFieldLeft()
{
    if (m_form != Form::kNone && !m_rules.Paused() && !m_restoring && !m_timer.isActive())
        m_timer.start(kDraftDelayMs);
}

void CDraftKeeper::SaveNow()
{
    if (m_form == Form::kNone || m_rules.Paused() || m_restoring)
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
    draft.origin = m_form == Form::kModify ? DraftOrigin::kModify : DraftOrigin::kNew;
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

void CDraftKeeper::Keep(const Draft& shown)
{
    m_lastShown = shown;
    if (m_rules.Keep(shown))
        emit draftKept();
}

bool CDraftKeeper::MayDiscard()
{
    if (m_form == Form::kNone || m_rules.Paused())
        return true;
    if (!m_rules.MayDiscard(PullNow(), m_restoring.has_value()))
        return false;
    m_timer.stop();
    return true;
}

void CDraftKeeper::KeepDrafting()
{
    m_rules.KeepDrafting();
    SaveNow();
}

void CDraftKeeper::Generated()
{
    m_timer.stop();
    m_rules.Generated();
    // The form as generated is the new point of comparison.
    Pull([this](std::optional<Draft> shown) {
        if (shown)
            m_rules.SetBaseline(std::move(*shown));
    });
}

void CDraftKeeper::KeepForNextStart()
{
    m_rules.Ending();
    m_timer.stop();
    if (m_form == Form::kNone || m_rules.Paused() || m_restoring)
        return;  // nothing typed here, or what is on disk is what to offer
    if (std::optional<Draft> shown = PullNow())
        Keep(*shown);
}

void CDraftKeeper::OfferLeftovers()
{
    if (const std::optional<Draft> draft =
            m_rules.OfferLeftovers([this](const std::string& id) { return IsRunning(id); }))
        Recover(*draft);
}

// Whether another program holds the lock of its draft `id`. A folder that
// cannot be written holds no running program's new lock: its leftovers are
// still offered, recovered read-only.
bool CDraftKeeper::IsRunning(const std::string& id) const
{
    QLockFile lock(Utf8(m_store.LockPath(id)));
    lock.setStaleLockTime(0);
    return !lock.tryLock(0) && lock.error() != QLockFile::PermissionError;
}

// Shows the page the draft was typed on and, once it is loaded, puts its
// values back.
void CDraftKeeper::Recover(const Draft& draft)
{
    if (draft.origin == DraftOrigin::kModify) {
        CPageText page;
        if (!BuildDraftModifyPage(draft, page))
            return;
        Begin(Form::kModify, draft.sourceFile);
        m_restoring = draft;
        m_view.ShowPage(Utf8(page.str()));
    } else if (m_form == Form::kBlank) {
        m_restoring = draft;
        Restore();
    } else {
        StartBlankFormWith(draft);
    }
}

void CDraftKeeper::StartBlankFormWith(const Draft& draft)
{
    Begin(Form::kBlank, {});
    m_restoring = draft;
    m_view.LoadBlankForm();
}

// Tries to put the recovered draft back; the next load of a page tries again.
void CDraftKeeper::Restore()
{
    const Draft& draft = *m_restoring;
    const QUrl page =
        m_form == Form::kModify ? res_address::ShownPageUrl() : res_address::ResourceUrl(res_address::kBlankFormId);
    QJsonArray values;
    for (const DraftField& field : draft.fields)
        values << Utf8(field.name) << Utf8(field.value);
    const QJsonArray arguments{page.path(), Utf8(draft.formNumber), draft.annexRows, values};
    const QString script =
        QStringLiteral("%1.apply(null, %2)")
            .arg(kRestoreScript, QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact)));
    QPointer<CDraftKeeper> self(this);
    const unsigned serial = m_pageSerial;
    m_view.page()->runJavaScript(script, QWebEngineScript::MainWorld, [self, serial](const QVariant& restored) {
        if (!self || serial != self->m_pageSerial || !restored.toBool() || !self->m_restoring)
            return;
        self->m_restoring.reset();
        self->m_rules.Recovered();
        self->SaveNow();
        emit self->recovered();
    });
}

}  // namespace formulario
