// The performance table: start-up and memory against a bare Qt program, the Start button,
// the accept step and the printed page, each the median of several runs in one process run.
// Reports only; it asserts nothing. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <stdlib.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "PaintProbe.h"
#include "design/DesignValues.h"
#include "design/DesignSession.h"
#include "platform/QtPrinting.h"
#include "platform/QtRunTimeServices.h"
#include "windows/DesignPage.h"
#include "windows/OpeningPage.h"

namespace {

using calbrine_bench::MonotonicNanoseconds;

constexpr int processRuns = 7;
constexpr int windowRuns = 15;
constexpr int acceptRuns = 200;
constexpr int pageRuns = 15;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Launch {
    double milliseconds;
    double peakMegabytes;
};

// Starts a probe program and waits for its report of the first paint; `scale` sets
// QT_SCALE_FACTOR for it.
Launch TimeLaunch(const QString& program, const QStringList& arguments = {}, int scale = 1) {
    QProcess process;
    if (scale != 1) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
        process.setProcessEnvironment(environment);
    }
    const long long start = MonotonicNanoseconds();
    process.start(program, arguments);
    process.waitForFinished(60000);
    long long painted = 0;
    long peak = 0;
    std::sscanf(process.readAllStandardOutput().constData(), "painted %lld %ld", &painted, &peak);
    return {(painted - start) / 1e6, peak / 1024.0};
}

// Milliseconds until `widget` has been painted, after `action` ran.
double TimeUntilPainted(const std::function<QWidget*()>& action) {
    const long long start = MonotonicNanoseconds();
    QWidget* widget = action();
    bool painted = false;
    struct Filter : QObject {
        bool* painted;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) {
                *painted = true;
            }
            return false;
        }
    } filter;
    filter.painted = &painted;
    widget->installEventFilter(&filter);
    while (!painted) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const long long end = MonotonicNanoseconds();
    widget->removeEventFilter(&filter);
    return (end - start) / 1e6;
}

void LoadExample() {
    calbrine::DesignValues =
        calbrine::DesignRecord{200e-12f, 20e-12f,  33e-12f,  220e-12f, 10e-12f, 240e-12f, 33e-12f,
                               180e-12f, 470e-12f, 470e-12f, 7.7e-6f,  11e6f,   0};
}

// Runs the event loop for `milliseconds`, so that the X server has taken every image sent.
void Idle(int milliseconds) {
    const long long end = MonotonicNanoseconds() + milliseconds * 1000000LL;
    while (MonotonicNanoseconds() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    calbrine::InstallQtRunTimeServices();
    calbrine::SetEndProgramAction([] {});
    const QString folder = QCoreApplication::applicationDirPath();

    std::vector<double> bareTimes, startTimes, bareMemory, startMemory, textTimes, textMemory;
    std::vector<double> text2Times, start2Times, text2Memory, start2Memory;
    for (int i = 0; i < processRuns; ++i) {
        const Launch text2 = TimeLaunch(folder + "/bench_bare_window", {"--with-text"}, 2);
        const Launch calbrine2 = TimeLaunch(folder + "/bench_startup", {}, 2);
        text2Times.push_back(text2.milliseconds);
        text2Memory.push_back(text2.peakMegabytes);
        start2Times.push_back(calbrine2.milliseconds);
        start2Memory.push_back(calbrine2.peakMegabytes);
        const Launch text = TimeLaunch(folder + "/bench_bare_window", {"--with-text"});
        textTimes.push_back(text.milliseconds);
        textMemory.push_back(text.peakMegabytes);
        const Launch bare = TimeLaunch(folder + "/bench_bare_window");
        const Launch calbrine = TimeLaunch(folder + "/bench_startup");
        bareTimes.push_back(bare.milliseconds);
        bareMemory.push_back(bare.peakMegabytes);
        startTimes.push_back(calbrine.milliseconds);
        startMemory.push_back(calbrine.peakMegabytes);
    }

    QTemporaryDir scratch;
    QDir::setCurrent(scratch.path());

    std::vector<double> startButton;
    for (int i = 0; i < windowRuns; ++i) {
        // Start is pressed on an opening window that is on the screen and idle, as a user
        // presses it.
        calbrine::OpeningPage* opening = nullptr;
        TimeUntilPainted([&opening] { return opening = calbrine::showOpeningPage(); });
        Idle(100);
        LoadExample();
        startButton.push_back(TimeUntilPainted([opening] {
            opening->startButton->click();
            return static_cast<QWidget*>(calbrine::designPage());
        }));
        calbrine::unloadDesignPage();
        Settle();
    }

    std::vector<double> accept;
    calbrine::DesignPage* design = calbrine::showDesignPage();
    Settle();
    for (int i = 0; i < acceptRuns; ++i) {
        const long long start = MonotonicNanoseconds();
        design->acceptButton->click();
        accept.push_back((MonotonicNanoseconds() - start) / 1e6);
    }
    calbrine::unloadDesignPage();
    Settle();

    std::vector<double> page;
    const QString pdf = scratch.filePath("page.pdf");
    calbrine::SetPrintDialogRunner([pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    for (int i = 0; i < pageRuns; ++i) {
        const long long start = MonotonicNanoseconds();
        calbrine::PrintSchematic(calbrine::ProgramSession().design, calbrine::ProgramSession().tuning);
        page.push_back((MonotonicNanoseconds() - start) / 1e6);
    }

    const double bare = Median(bareTimes), startup = Median(startTimes);
    const double bareMb = Median(bareMemory), startMb = Median(startMemory);
    const double text = Median(textTimes), textMb = Median(textMemory);
    std::printf("| measure | median | against | target |\n|---|---|---|---|\n");
    std::printf(
        "| start-up to the opening window painted | %.1f ms | bare Qt window %.1f ms: "
        "%.2fx | |\n",
        startup, bare, startup / bare);
    std::printf("| | | bare Qt window with one text %.1f ms: %.2fx | within 1.3x |\n", text,
                startup / text);
    std::printf("| Start pressed to the design window painted | %.1f ms | | under 15 ms |\n",
                Median(startButton));
    std::printf("| accept step (12 boxes, schematic, results) | %.3f ms | | under 1 ms |\n",
                Median(accept));
    std::printf("| printed page into a PDF file | %.1f ms | | under 150 ms |\n", Median(page));
    std::printf(
        "| peak resident memory at start-up | %.1f MB | bare Qt window %.1f MB: "
        "%.2fx | |\n",
        startMb, bareMb, startMb / bareMb);
    std::printf("| | | bare Qt window with one text %.1f MB: %.2fx | within 1.2x |\n", textMb,
                startMb / textMb);
    const double text2 = Median(text2Times), start2 = Median(start2Times);
    const double text2Mb = Median(text2Memory), start2Mb = Median(start2Memory);
    std::printf(
        "| start-up at QT_SCALE_FACTOR=2 | %.1f ms | bare Qt window with one text %.1f ms: "
        "%.2fx | within 1.3x |\n",
        start2, text2, start2 / text2);
    std::printf(
        "| peak resident memory at QT_SCALE_FACTOR=2 | %.1f MB | bare Qt window with one text "
        "%.1f MB: %.2fx | within 1.2x |\n",
        start2Mb, text2Mb, start2Mb / text2Mb);
    std::printf("\n(%d launches each, %d Start presses, %d accept steps, %d pages; platform %s)\n",
                processRuns, windowRuns, acceptRuns, pageRuns,
                qPrintable(QGuiApplication::platformName()));
    return 0;
}
