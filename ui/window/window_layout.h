#pragma once

#include "layout_rules.h"

#include <QObject>

class QPlainTextEdit;
class QProgressBar;
class QStatusBar;
class QToolBar;
class QWidget;

namespace quorvex::ui {

class Twips;

/// The controls the layout places in the window's client area.
struct LaidOutControls {
    QWidget* client;
    QToolBar* toolbar;
    QPlainTextEdit* edit;
    QWidget* grip; ///< imgSplitter
    QWidget* bar;  ///< picSplitter
    QPlainTextEdit* result;
    QStatusBar* status;
};

/// Drives the controls from the layout rules: on every resize of the client
/// area (Form_Resize) and while the splitter grip is dragged. It keeps the
/// layout in twips and only converts to pixels when placing widgets.
class WindowLayout : public QObject {
    Q_OBJECT
public:
    WindowLayout(QWidget& window, const LaidOutControls& controls);

    const AreaLayout& areas() const { return m_areas; }
    bool splitterMoving() const { return m_splitterMoving; }

    void Form_Resize();
    void SizeControls(double x);

    /// Shows the progress bar in a strip at the bottom of the edit area,
    /// which gives up that height until hideProgressStrip.
    void showProgressStrip(QProgressBar& progress);
    void hideProgressStrip(QProgressBar& progress);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void imgSplitter_MouseDown();
    void imgSplitter_MouseMove(double x);
    void imgSplitter_MouseUp();
    void placeAlignedBars();
    void placeAreas();
    void jumpTo(std::optional<double> outerWidth, std::optional<double> outerHeight);
    WindowMeasures measures() const;
    Twips twips() const;

    QWidget& m_window;
    LaidOutControls m_controls;
    AreaLayout m_areas;
    Rect m_bar;
    bool m_splitterMoving = false;
    bool m_stripTaken = false;
};

} // namespace quorvex::ui
