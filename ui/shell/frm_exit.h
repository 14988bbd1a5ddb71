#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QTimer;

namespace quorvex::ui {

class CommonModule;

/// The closing credits: a frameless blue window, kept out of the task bar,
/// whose centred lines scroll upwards endlessly while the closing tune plays.
/// A click anywhere stops the music and ends the program at once.
class FrmExit : public QWidget {
    Q_OBJECT
public:
    /// endProgram ends the program without running any further events.
    FrmExit(CommonModule& common, std::function<void()> endProgram);

    /// Puts the label below the visible area, shows the window and starts
    /// the scrolling.
    void Form_Load();

    int ScrollStep() const { return m_scrollStep; }
    int labelTop() const { return m_labelTop; }
    int labelHeight() const { return m_labelHeight; }
    QLabel* Label1() const { return m_label; }
    QTimer* Timer1() const { return m_timer; }

    /// Moves the label up one step (the timer's tick).
    void Timer1_Timer();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Click();
    void placeLabel();
    double dpi() const;

    CommonModule& m_common;
    std::function<void()> m_endProgram;
    QLabel* m_label;
    QTimer* m_timer;
    int m_scrollStep = 0;
    int m_labelTop = 0;
    int m_labelHeight = 0;
    int m_clientHeight = 0;
    bool m_ended = false;
};

/// The credits lines: the program's title, its makers and how to reach them.
QString creditsText();

} // namespace quorvex::ui
