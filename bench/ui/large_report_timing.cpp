// Shows how long the window takes to show an order-1000 report (some tens
// of megabytes) and to scroll it. It prints its timings; run it by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/ui/ui_large_report_timing [order [input file]]
// Without an input file it makes a strictly diagonally dominant system.
#include "application_setup.h"
#include "dialog_provider.h"
#include "dominant_system.h"
#include "linear_frm.h"
#include "text_areas.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <cstdio>

using namespace quorvex::ui;

namespace {

/// Answers the way a user timing the window would: the file given, yes to
/// the size question, the order asked for. Any message is printed.
class Answers final : public DialogProvider {
public:
    Answers(QString file, int order) : m_file(std::move(file)), m_order(order) {}
    QString inputBox(QWidget*, const QString&, const QString&, const QString&) override {
        return QString::number(m_order);
    }
    void messageBox(QWidget*, const QString& text, const QString&) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool askYesNo(QWidget*, const QString&, const QString&) override { return true; }
    std::optional<QString> openFileName(QWidget*, const QString&, const QString&) override {
        return m_file;
    }
    std::optional<QString> saveFileName(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<FontChoice> chooseFont(QWidget*, const FontChoice&) override {
        return std::nullopt;
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }

private:
    QString m_file;
    int m_order;
};

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

void trigger(LinearFrm& window, const char* action) {
    window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpApplication(app);
    const int n = argc > 1 ? std::atoi(argv[1]) : 1000;
    Answers answers(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString(), n);
    LinearFrm window(&answers);
    window.show();
    QApplication::processEvents();
    double load = -1;
    if (argc > 2) // loaded the way the user loads it: 打开, and yes to the size question
        load = timed(window.editArea(), [&] { trigger(window, "FileOpen"); });
    else window.editArea().setPlainText(dominantSystem(n));
    QElapsedTimer clock;
    clock.start();
    trigger(window, "GaussTier");
    const double command = clock.nsecsElapsed() / 1e6;
    const std::string report = window.resultArea().text();
    QPlainTextEdit& view = window.resultArea().view();
    window.resultArea().clear();
    QApplication::processEvents();
    const double set = timed(view, [&] { window.resultArea().setText(report); });
    std::printf("order %d: report %.1f MB, %d lines\n", n, report.size() / 1e6,
                view.document()->blockCount());
    if (load >= 0) std::printf("open the input file: %.0f ms\n", load);
    std::printf("command from the menu (compute and show): %.0f ms\n", command);
    std::printf("show the report in the result area: %.0f ms\n", set);
    timeScrolling(view);
    return 0;
}
