// Shows how long the window takes, after 停止 (or closing the print preview,
// or the close box), to be usable again, for each kind of long work: a
// command, a PDF export and the print preview of a large report, and how
// long the convergence chart takes to draw. It prints its timings; run it
// by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/ui/ui_stop_latency [order [wait ms [full]]]
// The report is GaussTier's on a strictly diagonally dominant system of the
// order (1500 unless given); 停止 comes that many milliseconds (1000 unless
// given) after the work started. With "full" it also times a whole PDF
// export first.
#include "application_setup.h"
#include "background_work.h"
#include "dialog_provider.h"
#include "dominant_system.h"
#include "error_chart_dialog.h"
#include "linear_frm.h"
#include "text_areas.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <QToolBar>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <deque>

using namespace quorvex::ui;

namespace {

/// Answers from a queue; file dialogs get the one path.
class Answers final : public DialogProvider {
public:
    std::deque<QString> inputs;
    QString path;

    QString inputBox(QWidget*, const QString&, const QString&, const QString&) override {
        if (inputs.empty()) return {};
        QString a = inputs.front();
        inputs.pop_front();
        return a;
    }
    void messageBox(QWidget*, const QString& text, const QString&) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool askYesNo(QWidget*, const QString&, const QString&) override { return true; }
    std::optional<QString> openFileName(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> saveFileName(QWidget*, const QString&, const QString&) override {
        return path;
    }
    std::optional<FontChoice> chooseFont(QWidget*, const FontChoice&) override {
        return std::nullopt;
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
};

void trigger(LinearFrm& window, const char* action) {
    window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

/// Runs the action; `wait` ms after it started, `interrupt` runs. Prints
/// how long from the interruption until the action had returned and the
/// window was usable, or that the action ended first.
void timeStop(LinearFrm& window, const char* what, int wait, const std::function<void()>& act,
              const std::function<void()>& interrupt) {
    QElapsedTimer clock;
    qint64 stoppedAt = -1;
    // A timer of this call's own: one that fired after the work had ended
    // would find nothing to stop, and no longer this call's variables.
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!window.work().running() && !window.findChild<QPrintPreviewDialog*>()) return;
        stoppedAt = clock.nsecsElapsed();
        interrupt();
    });
    timer.start(wait);
    clock.start();
    act();
    const qint64 usable = clock.nsecsElapsed();
    const bool ready = window.menuBar()->isEnabled() || !window.isVisible();
    if (stoppedAt < 0)
        std::printf("%s: ended by itself after %.0f ms, before the stop\n", what, usable / 1e6);
    else
        std::printf("%s: stop after %.0f ms, usable again %.1f ms later%s\n", what, stoppedAt / 1e6,
                    (usable - stoppedAt) / 1e6, ready ? "" : " (NOT usable)");
    QApplication::processEvents();
}

void clickStop(LinearFrm& window) {
    for (QAction* a : window.findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions())
        if (a->toolTip().startsWith(QStringLiteral("停止"))) return a->trigger();
}

/// The print preview paints its pages while it opens: 停止 then ends the
/// painting, the preview shows what was painted, and it is closed.
void timePreviewStop(LinearFrm& window, int wait) {
    QElapsedTimer clock;
    qint64 stoppedAt = -1, painted = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (stoppedAt < 0 && clock.elapsed() >= wait && window.work().running()) {
            stoppedAt = clock.nsecsElapsed();
            clickStop(window);
        }
        if (window.work().running()) return;
        if (painted < 0) painted = clock.nsecsElapsed();
        if (auto* preview = window.findChild<QPrintPreviewDialog*>();
            preview && preview->isVisible())
            preview->close();
    });
    poll.start(1);
    clock.start();
    trigger(window, "FilePrintPreview");
    const qint64 closed = clock.nsecsElapsed();
    if (stoppedAt < 0)
        std::printf("print preview: painted in %.0f ms, before the stop; closed %.0f ms later\n",
                    painted / 1e6, (closed - painted) / 1e6);
    else
        std::printf("print preview: stop after %.0f ms, painting ended %.1f ms later; closed "
                    "%.1f ms after that\n",
                    stoppedAt / 1e6, (painted - stoppedAt) / 1e6, (closed - painted) / 1e6);
}

long maxRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpApplication(app);
    QApplication::setQuitOnLastWindowClosed(false);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int n = argc > 1 ? std::atoi(argv[1]) : 1500;
    const int wait = argc > 2 ? std::atoi(argv[2]) : 1000;
    Answers answers;
    answers.path = QDir::temp().filePath(QStringLiteral("quorvex-stop-latency.pdf"));
    LinearFrm window(&answers);
    window.show();
    QApplication::processEvents();
    window.editArea().setPlainText(dominantSystem(n));

    answers.inputs = {QString::number(n)};
    timeStop(
        window, "GaussTier command", wait / 4, [&] { trigger(window, "GaussTier"); },
        [&] { clickStop(window); });
    QElapsedTimer clock;
    clock.start();
    answers.inputs = {QString::number(n)};
    trigger(window, "GaussTier");
    std::printf("order %d: report computed and shown in %.0f ms, %.1f MB\n", n,
                clock.nsecsElapsed() / 1e6, window.resultArea().text().size() / 1e6);

    if (argc > 3 && std::strcmp(argv[3], "full") == 0) {
        // The whole export, unstopped: how long it takes and what it holds.
        clock.restart();
        trigger(window, "FileExportPdf");
        std::printf("whole PDF export: %.0f ms, %.1f MB file, largest memory use so far %ld MB\n",
                    clock.nsecsElapsed() / 1e6, QFileInfo(answers.path).size() / 1e6, maxRssMb());
        QFile::remove(answers.path);
    }
    timeStop(
        window, "PDF export", wait, [&] { trigger(window, "FileExportPdf"); },
        [&] { clickStop(window); });
    std::printf("PDF file left behind: %s\n", QFile::exists(answers.path) ? "yes" : "no");
    timePreviewStop(window, wait);

    window.editArea().setPlainText(QStringLiteral("1 2 3\n3 1 4"));
    answers.inputs = {"2", "0.01", "1"};
    clock.restart();
    trigger(window, "ConvergenceAnalysis");
    QApplication::processEvents();
    const bool shown = window.findChild<ErrorChartDialog*>() != nullptr;
    std::printf("diverging convergence analysis with its chart: %.0f ms (chart %s)\n",
                clock.nsecsElapsed() / 1e6, shown ? "shown" : "MISSING");

    window.editArea().setPlainText(dominantSystem(n));
    answers.inputs = {QString::number(n)};
    timeStop(
        window, "close box during GaussTier", wait / 4, [&] { trigger(window, "GaussTier"); },
        [&] { window.close(); });
    std::printf("largest memory use: %ld MB\n", maxRssMb());
    std::fflush(stdout);
    // A command let go by the close box may still be computing.
    if (BackgroundWork::leftRunning()) std::quick_exit(0);
    return 0;
}
