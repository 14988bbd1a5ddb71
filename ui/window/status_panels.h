#pragma once

#include <QObject>
#include <QString>

#include "window_language.h"

class QLabel;
class QStatusBar;
class QTimer;
class QWidget;

namespace quorvex::ui {

inline constexpr UiText kStatusIdle{QT_TRANSLATE_NOOP("quorvex::ui", "状态")};
inline constexpr UiText kStatusEditFocus{QT_TRANSLATE_NOOP("quorvex::ui", "编辑区域")};
inline constexpr UiText kStatusEditing{QT_TRANSLATE_NOOP("quorvex::ui", "编辑状态")};
inline constexpr UiText kStatusResultFocus{QT_TRANSLATE_NOOP("quorvex::ui", "结果区域")};

/// The status bar StatusBar1: panel 1 with a text, panels 2 and 3 with the
/// current date and time, kept up to date every second.
class StatusPanels : public QObject {
    Q_OBJECT
public:
    StatusPanels(QWidget* client, int panelMinimumWidth);

    QStatusBar* bar() const { return m_bar; }
    QString text() const;
    void setText(const QString& text);
    /// A window text, written again when the window's language changes.
    void setText(UiText text);
    void retranslate();

private:
    void showClock();

    QStatusBar* m_bar;
    QLabel* m_text;
    const char* m_source = nullptr; ///< the window text shown, if one is
    QLabel* m_date;
    QLabel* m_time;
    QTimer* m_clock;
};

} // namespace quorvex::ui
