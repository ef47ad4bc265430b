// Measures how long the program takes from process start until it is ready
// for a person, against a bare web view that loads a one-line res: page, in
// the same run, and the memory each holds then. Ready means: the window
// shown, the blank form's load handler run (its 15 annex rows built with
// their brand lists, the form number printed) and the page's channel to the
// host connected, which the page reports through that channel. The bare view
// is ready at its load's end. Memory is the resident memory of the process
// and of every engine process under it, summed. Each sample is a fresh
// process in one of the roles; the driver prints medians and ratios, and
// where the time goes as the page measures it, also for a third role: the
// bare view loading the blank form itself, which tells the engine's own work
// on the form's page from the program's.
//
//   startup_bench [runs]       driver (default 7 runs of each role)
//   startup_bench --form       one start of the program
//   startup_bench --bare       one start of the bare engine
//   startup_bench --page       one start of the bare engine on the blank form
#include "draft_keeper.h"
#include "formulario7316_app.h"
#include "formulario7316_view.h"
#include "main_frame.h"
#include "res_address.h"
#include "res_scheme_handler.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include <unistd.h>

using namespace formulario;

namespace {

constexpr int kTimeoutMs = 120000;

// The phases a start reports, in order: "ready" (ms since the epoch, when
// it was reached), then the role's own phases, then "memory" (kB).
using Report = std::map<QByteArray, double>;

void Print(const char* name, double value)
{
    std::printf("%s %.1f\n", name, value);
    std::fflush(stdout);
}

// Resident memory of this process and all its descendants, in kB.
double TreeResidentKb()
{
    std::multimap<qint64, qint64> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            children.emplace(fields[1].toLongLong(), entry.toLongLong());
    }
    double kb = 0;
    std::vector<qint64> pending{getpid()};
    while (!pending.empty()) {
        const qint64 pid = pending.back();
        pending.pop_back();
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n'))
                if (line.startsWith("VmRSS:"))
                    kb += line.mid(6).trimmed().split(' ').value(0).toDouble();
        }
        for (auto [it, end] = children.equal_range(pid); it != end; ++it)
            pending.push_back(it->second);
    }
    return kb;
}

// Prints "ready" now, then the page's phases, then the memory, and quits.
void ReportReady(QWebEnginePage* page)
{
    Print("ready", double(QDateTime::currentMSecsSinceEpoch()));
    const char* script =
        "(function () { var n = performance.getEntriesByType('navigation')[0], t = performance.timeOrigin;"
        " return [t, t + n.responseEnd, t + n.domInteractive, t + n.loadEventStart, t + n.loadEventEnd]; })()";
    page->runJavaScript(QString::fromLatin1(script), [](const QVariant& times) {
        const char* names[] = {"navigation", "response", "parsed", "load handler", "load handled"};
        const QVariantList list = times.toList();
        for (int i = 0; i < list.size() && i < 5; ++i)
            Print(names[i], list[i].toDouble());
        Print("memory", TreeResidentKb());
        qApp->quit();
    });
}

int StartProgram(int argc, char** argv)
{
    CResSchemeHandler::RegisterScheme();
    CFormulario7316App app(argc, argv);
    app.InitInstance();
    CMainFrame& frame = *app.MainFrame();
    bool loaded = false, reported = false;
    const auto reportOnceReady = [&] {
        if (!reported && loaded && frame.isVisible() && frame.View().IsBridgeReady()) {
            reported = true;
            ReportReady(frame.View().page());
        }
    };
    QObject::connect(frame.findChild<CDraftActivity*>(), &CDraftActivity::pageLoaded, &app, [&] {
        loaded = true;
        reportOnceReady();
    });
    QObject::connect(&frame.View(), &CFormulario7316View::bridgeReady, &app, reportOnceReady);
    return app.exec();
}

// Serves the same one-line page at every res: address.
class OneLinePage : public QWebEngineUrlSchemeHandler {
public:
    void requestStarted(QWebEngineUrlRequestJob* job) override
    {
        auto* buffer = new QBuffer(job);
        buffer->setData("<html><body onload=\"document.title='x'\">x</body></html>");
        job->reply("text/html", buffer);
    }
};

// A bare view showing the one-line page or the blank form, ready at its load's end.
int StartBareEngine(int argc, char** argv, bool blankForm)
{
    CResSchemeHandler::RegisterScheme();
    QApplication app(argc, argv);
    QWebEngineProfile profile;
    OneLinePage oneLine;
    CResSchemeHandler form;
    profile.installUrlSchemeHandler("res", blankForm ? static_cast<QWebEngineUrlSchemeHandler*>(&form) : &oneLine);
    QWebEngineView view;
    view.setPage(new QWebEnginePage(&profile, &view));
    QObject::connect(&view, &QWebEngineView::loadFinished, &app, [&view] { ReportReady(view.page()); });
    view.load(res_address::ResourceUrl(res_address::kBlankFormId));
    view.showMaximized();
    return app.exec();
}

// One start in `role`: each phase in ms from the process start, memory in kB.
Report StartOnce(const QString& program, const QString& role)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double start = double(QDateTime::currentMSecsSinceEpoch());
    process.start(program, {role});
    Report report;
    QByteArray output;
    while (!report.count("memory") && process.waitForReadyRead(kTimeoutMs)) {
        output += process.readAll();
        for (qsizetype end; (end = output.indexOf('\n')) >= 0; output.remove(0, end + 1)) {
            const QByteArray line = output.left(end);
            const qsizetype space = line.lastIndexOf(' ');
            const QByteArray name = line.left(space);
            const double value = line.mid(space + 1).toDouble();
            report[name] = name == "memory" ? value : value - start;
        }
    }
    process.waitForFinished(kTimeoutMs);
    if (!report.count("ready") || !report.count("memory")) {
        std::fprintf(stderr, "%s did not get ready\n", qPrintable(role));
        std::exit(1);
    }
    return report;
}

double Median(const std::vector<Report>& reports, const QByteArray& name)
{
    std::vector<double> samples;
    for (const Report& report : reports)
        samples.push_back(report.count(name) ? report.at(name) : 0);
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

int Drive(int runs, const QString& program)
{
    std::vector<Report> form, bare, page;
    StartOnce(program, QStringLiteral("--bare"));  // warms the file cache for all
    for (int run = 0; run < runs; ++run) {
        bare.push_back(StartOnce(program, QStringLiteral("--bare")));
        form.push_back(StartOnce(program, QStringLiteral("--form")));
        page.push_back(StartOnce(program, QStringLiteral("--page")));
    }
    const double formReady = Median(form, "ready"), bareReady = Median(bare, "ready");
    const double formMemory = Median(form, "memory"), bareMemory = Median(bare, "memory");
    std::printf("runs of each:                %d\n", runs);
    std::printf("program, ready:              %.1f ms (median)\n", formReady);
    std::printf("bare engine, one line:       %.1f ms (median)\n", bareReady);
    std::printf("start-up ratio:              %.2f (target: at most 1.25)\n", formReady / bareReady);
    std::printf("program, memory at ready:    %.1f MB (median)\n", formMemory / 1024);
    std::printf("bare engine, memory:         %.1f MB (median)\n", bareMemory / 1024);
    std::printf("memory ratio:                %.2f (target: at most 1.20)\n", formMemory / bareMemory);
    std::printf("where the time goes (median ms from process start;\n"
                "  program | bare engine on the blank form | bare engine on one line):\n");
    for (const char* phase : {"navigation", "response", "parsed", "load handler", "load handled", "ready"})
        std::printf("  %-14s %6.1f | %6.1f | %6.1f\n", phase, Median(form, phase), Median(page, phase),
                    Median(bare, phase));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // A role starts as the program does: with no argument of its own.
    int roleArgc = 1;
    if (argc > 1 && std::strcmp(argv[1], "--form") == 0)
        return StartProgram(roleArgc, argv);
    if (argc > 1 && (std::strcmp(argv[1], "--bare") == 0 || std::strcmp(argv[1], "--page") == 0))
        return StartBareEngine(roleArgc, argv, std::strcmp(argv[1], "--page") == 0);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    return Drive(runs, QCoreApplication::applicationFilePath());
}
