// Measures how long the program takes from process start until the blank form
// is shown and its load handler has run, against a bare web view that loads a
// one-line res: page, in the same run. Each sample is a fresh process of this
// program in one of the two roles; the driver prints both medians and their
// ratio.
//
//   startup_bench [runs]       driver (default 7 runs of each role)
//   startup_bench --form       one start of the program
//   startup_bench --bare       one start of the bare engine
#include "formulario7316_app.h"
#include "formulario7316_view.h"
#include "main_frame.h"
#include "res_scheme_handler.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QProcess>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr char kReady[] = "ready";
constexpr int kTimeoutMs = 120000;

void ReportReady()
{
    std::puts(kReady);
    std::fflush(stdout);
}

int StartProgram(int argc, char** argv)
{
    CResSchemeHandler::RegisterScheme();
    CFormulario7316App app(argc, argv);
    if (!app.InitInstance())
        return 1;
    QObject::connect(&app.MainFrame()->View(), &QWebEngineView::loadFinished, &app, [&app] {
        ReportReady();
        app.quit();
    });
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

int StartBareEngine(int argc, char** argv)
{
    CResSchemeHandler::RegisterScheme();
    QApplication app(argc, argv);
    QWebEngineProfile profile;
    OneLinePage page;
    profile.installUrlSchemeHandler("res", &page);
    QWebEngineView view;
    view.setPage(new QWebEnginePage(&profile, &view));
    QObject::connect(&view, &QWebEngineView::loadFinished, &app, [&app] {
        ReportReady();
        app.quit();
    });
    view.load(QUrl(QStringLiteral("res://Formulario7316.exe/#23/#131")));
    view.showMaximized();
    return app.exec();
}

// Milliseconds from starting a process in `role` to its ready line.
double TimeOneStart(const QString& program, const QString& role)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {role});
    while (process.waitForReadyRead(kTimeoutMs)) {
        if (process.readAll().contains(kReady)) {
            const double elapsed = clock.nsecsElapsed() / 1e6;
            process.waitForFinished(kTimeoutMs);
            return elapsed;
        }
    }
    std::fprintf(stderr, "%s did not get ready\n", qPrintable(role));
    std::exit(1);
}

double Median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

int Drive(int runs, const QString& program)
{
    std::vector<double> form, bare;
    TimeOneStart(program, QStringLiteral("--bare"));  // warms the file cache for both
    for (int run = 0; run < runs; ++run) {
        bare.push_back(TimeOneStart(program, QStringLiteral("--bare")));
        form.push_back(TimeOneStart(program, QStringLiteral("--form")));
    }
    const double formMedian = Median(form);
    const double bareMedian = Median(bare);
    std::printf("runs of each:            %d\n", runs);
    std::printf("program, blank form:     %.1f ms (median)\n", formMedian);
    std::printf("bare engine, one line:   %.1f ms (median)\n", bareMedian);
    std::printf("ratio:                   %.2f (target: at most 1.50)\n", formMedian / bareMedian);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // A role starts as the program does: with no argument of its own.
    int roleArgc = 1;
    if (argc > 1 && std::strcmp(argv[1], "--form") == 0)
        return StartProgram(roleArgc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0)
        return StartBareEngine(roleArgc, argv);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    return Drive(runs, QCoreApplication::applicationFilePath());
}
