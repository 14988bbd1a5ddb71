#include "status_panels.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>

namespace quorvex::ui {

namespace {

QLabel* panel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

} // namespace

StatusPanels::StatusPanels(QWidget* client, int panelMinimumWidth)
    : QObject(client), m_bar(new QStatusBar(client)),
      m_text(panel(m_bar, QStringLiteral("Panel1"), kStatusIdle)),
      m_date(panel(m_bar, QStringLiteral("Panel2"), {})),
      m_time(panel(m_bar, QStringLiteral("Panel3"), {})), m_clock(new QTimer(this)) {
    m_bar->setObjectName(QStringLiteral("StatusBar1"));
    m_source = kStatusIdle.source;
    // A long path in panel 1 is cut off rather than pushing the clock away.
    m_text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_date->setMinimumWidth(panelMinimumWidth);
    m_time->setMinimumWidth(panelMinimumWidth);
    m_bar->addWidget(m_text, 1);
    m_bar->addPermanentWidget(m_date);
    m_bar->addPermanentWidget(m_time);
    connect(m_clock, &QTimer::timeout, this, &StatusPanels::showClock);
    m_clock->start(1000);
    showClock();
}

QString StatusPanels::text() const { return m_text->text(); }

void StatusPanels::setText(const QString& text) {
    m_source = nullptr;
    m_text->setText(text);
}

void StatusPanels::setText(UiText text) {
    m_text->setText(text);
    m_source = text.source;
}

void StatusPanels::retranslate() {
    if (m_source) m_text->setText(UiText{m_source});
}

void StatusPanels::showClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    m_date->setText(locale.toString(now.date(), QLocale::ShortFormat));
    m_time->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

} // namespace quorvex::ui
