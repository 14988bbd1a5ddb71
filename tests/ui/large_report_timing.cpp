// Shows how long the window takes to show an order-1000 report (some tens
// of megabytes) and to scroll it. Not a test: it prints its timings.
//   QT_QPA_PLATFORM=offscreen build/tests/ui/ui_large_report_timing [order [input file]]
// Without an input file it makes a strictly diagonally dominant system.
#include "application_setup.h"
#include "window_harness.h"

#include "registry.h"

#include <QElapsedTimer>
#include <QScrollBar>

#include <cstdio>

using namespace quorvex::ui;
using namespace quorvex::ui::testing;

namespace {

/// A strictly diagonally dominant augmented matrix of order n, as text.
QString dominantSystem(int n) {
    QString text;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            text += (i == j ? QString::number(20 * n + i + 0.37, 'f', 2)
                            : QString::number(((i * 7 + j * 13) % 19 - 9) / 7.0, 'f', 10)) +
                    u' ';
        text += QString::number(i / 3.0, 'f', 5) + u'\n';
    }
    return text;
}

/// Milliseconds a step takes, the window repainted as the user would see it.
template <typename Step> double timed(QPlainTextEdit& view, Step step) {
    QElapsedTimer clock;
    clock.start();
    step();
    QApplication::processEvents();
    view.viewport()->repaint();
    return clock.nsecsElapsed() / 1e6;
}

/// Scrolls the way a reader does and prints how long each step takes.
void timeScrolling(QPlainTextEdit& view) {
    QScrollBar& v = *view.verticalScrollBar();
    QScrollBar& h = *view.horizontalScrollBar();
    const double middle = timed(view, [&] { v.setValue(v.maximum() / 2); });
    const double end = timed(view, [&] { v.setValue(v.maximum()); });
    const double right = timed(view, [&] { h.setValue(h.maximum()); });
    double pages = 0;
    for (int i = 0; i < 20; ++i)
        pages = std::max(pages, timed(view, [&] { v.setValue(v.value() - v.pageStep()); }));
    std::printf("scroll to the middle: %.0f ms, to the end: %.0f ms, to the far right: %.0f ms\n",
                middle, end, right);
    std::printf("slowest of 20 page-up steps: %.0f ms\n", pages);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpApplication(app);
    const int n = argc > 1 ? std::atoi(argv[1]) : 1000;
    WindowHarness h;
    double load = -1;
    if (argc > 2) {
        // Loaded the way the user loads it: 打开, and yes to the size question.
        h.dialogs.chooseFile(Expected::Open, QString::fromLocal8Bit(argv[2]));
        h.dialogs.answerQuestion(true);
        load = timed(h.edit(), [&] { h.trigger("FileOpen"); });
    } else {
        h.edit().setPlainText(dominantSystem(n));
    }
    h.dialogs.answerInput(QString::number(n));
    QElapsedTimer clock;
    clock.start();
    h.trigger("GaussTier");
    const double command = clock.nsecsElapsed() / 1e6;
    const std::string report = h.window.resultArea().text();
    QPlainTextEdit& view = h.resultView();
    h.window.resultArea().clear();
    QApplication::processEvents();
    const double set = timed(view, [&] { h.window.resultArea().setText(report); });
    std::printf("order %d: report %.1f MB, %d lines\n", n, report.size() / 1e6,
                view.document()->blockCount());
    if (load >= 0) std::printf("open the input file: %.0f ms\n", load);
    std::printf("command from the menu (compute and show): %.0f ms\n", command);
    std::printf("show the report in the result area: %.0f ms\n", set);
    timeScrolling(view);
    return 0;
}
