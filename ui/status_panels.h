#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;
class QTimer;
class QWidget;

namespace quorvex::ui {

inline const QString kStatusIdle = QStringLiteral("状态");
inline const QString kStatusEditFocus = QStringLiteral("编辑区域");
inline const QString kStatusEditing = QStringLiteral("编辑状态");
inline const QString kStatusResultFocus = QStringLiteral("结果区域");

/// The status bar StatusBar1: panel 1 with a text, panels 2 and 3 with the
/// current date and time, kept up to date every second.
class StatusPanels : public QObject {
    Q_OBJECT
public:
    StatusPanels(QWidget* client, int panelMinimumWidth);

    QStatusBar* bar() const { return m_bar; }
    QString text() const;
    void setText(const QString& text);

private:
    void showClock();

    QStatusBar* m_bar;
    QLabel* m_text;
    QLabel* m_date;
    QLabel* m_time;
    QTimer* m_clock;
};

} // namespace quorvex::ui
