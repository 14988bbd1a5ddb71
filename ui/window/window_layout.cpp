#include "window_layout.h"

#include "twips.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>

namespace quorvex::ui {

namespace {

QRect toPixels(const Twips& t, const Rect& r) {
    return {t.toPixels(r.left), t.toPixels(r.top), t.toPixels(r.width), t.toPixels(r.height)};
}

} // namespace

WindowLayout::WindowLayout(QWidget& window, const LaidOutControls& controls)
    : QObject(&window), m_window(window), m_controls(controls) {
    m_areas.edit = {0, kAreasTop, kInitialSplit, 0};
    m_areas.grip = {kInitialSplit, kAreasTop, kGripWidth, 0};
    m_areas.result = {kInitialSplit + kGripWidth, kAreasTop, 0, 0};
    m_controls.client->installEventFilter(this);
    m_controls.grip->installEventFilter(this);
}

Twips WindowLayout::twips() const { return Twips::of(m_window); }

WindowMeasures WindowLayout::measures() const {
    const Twips t = twips();
    const QRect frame = m_window.frameGeometry();
    return {t.fromPixels(frame.width()), t.fromPixels(frame.height()),
            t.fromPixels(m_controls.client->height()), t.fromPixels(m_controls.toolbar->height()),
            t.fromPixels(m_controls.status->height())};
}

void WindowLayout::Form_Resize() {
    const ResizeOutcome outcome = quorvex::ui::Form_Resize(m_areas, measures());
    m_areas = outcome.areas;
    placeAreas();
    if (outcome.jumpToWidth || outcome.jumpToHeight)
        jumpTo(outcome.jumpToWidth, outcome.jumpToHeight);
}

void WindowLayout::SizeControls(double x) {
    m_areas = quorvex::ui::SizeControls(m_areas, x, measures().outerWidth);
    placeAreas();
}

void WindowLayout::jumpTo(std::optional<double> outerWidth, std::optional<double> outerHeight) {
    const Twips t = twips();
    const QSize frameExtra = m_window.frameGeometry().size() - m_window.size();
    QSize size = m_window.size();
    if (outerWidth) size.setWidth(t.toPixels(*outerWidth) - frameExtra.width());
    if (outerHeight) size.setHeight(t.toPixels(*outerHeight) - frameExtra.height());
    // Resized once the current resize has been handled, not from inside it.
    QMetaObject::invokeMethod(
        &m_window, [w = &m_window, size] { w->resize(size); }, Qt::QueuedConnection);
}

void WindowLayout::placeAlignedBars() {
    const Twips t = twips();
    const int width = m_controls.client->width();
    const int toolbarHeight = t.toPixels(kToolbarHeight);
    const int statusHeight = t.toPixels(kStatusBarHeight);
    m_controls.toolbar->setGeometry(0, 0, width, toolbarHeight);
    m_controls.status->setGeometry(0, m_controls.client->height() - statusHeight, width,
                                   statusHeight);
}

void WindowLayout::placeAreas() {
    const Twips t = twips();
    m_controls.edit->setGeometry(toPixels(t, m_areas.edit));
    m_controls.grip->setGeometry(toPixels(t, m_areas.grip));
    m_controls.result->setGeometry(toPixels(t, m_areas.result));
}

void WindowLayout::showProgressStrip(QProgressBar& progress) {
    const Twips t = twips();
    const Rect strip = progressStrip(m_areas.edit, t.fromPixels(m_controls.status->y()));
    progress.setGeometry(toPixels(t, strip));
    progress.show();
    progress.raise();
    m_stripTaken = m_areas.edit.height >= strip.height;
    if (m_stripTaken) m_areas.edit.height -= strip.height;
    placeAreas();
}

void WindowLayout::hideProgressStrip(QProgressBar& progress) {
    progress.hide();
    if (m_stripTaken) m_areas.edit.height += kProgressStripHeight;
    m_stripTaken = false;
    placeAreas();
}

void WindowLayout::imgSplitter_MouseDown() {
    m_bar = splitterBarOnMouseDown(m_areas.grip);
    m_controls.bar->setGeometry(toPixels(twips(), m_bar));
    m_controls.bar->show();
    m_controls.bar->raise();
    m_splitterMoving = true;
}

void WindowLayout::imgSplitter_MouseMove(double x) {
    if (!m_splitterMoving) return;
    m_bar.left = splitterBarLeft(x, m_areas.grip.left, measures().outerWidth);
    m_controls.bar->setGeometry(toPixels(twips(), m_bar));
}

void WindowLayout::imgSplitter_MouseUp() {
    SizeControls(m_bar.left);
    m_controls.bar->hide();
    m_splitterMoving = false;
}

bool WindowLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_controls.client && event->type() == QEvent::Resize) {
        placeAlignedBars();
        Form_Resize();
    } else if (watched == m_controls.grip) {
        const auto* mouse = dynamic_cast<QMouseEvent*>(event);
        if (!mouse) return false;
        if (event->type() == QEvent::MouseButtonPress) imgSplitter_MouseDown();
        else if (event->type() == QEvent::MouseMove)
            imgSplitter_MouseMove(twips().fromPixels(qRound(mouse->position().x())));
        else if (event->type() == QEvent::MouseButtonRelease) imgSplitter_MouseUp();
    }
    return false;
}

} // namespace quorvex::ui
