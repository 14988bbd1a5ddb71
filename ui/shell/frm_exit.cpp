#include "frm_exit.h"

#include "common_module.h"
#include "credits_rule.h"
#include "shell_texts.h"
#include "twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include <cmath>

namespace quorvex::ui {

QString creditsText() {
    QString contact;
    if (*kContactMail) contact += FrmExit::tr("电子邮件：%1\n").arg(kContactMail);
    if (*kHomePage) contact += FrmExit::tr("主页：%1\n").arg(QUrl(kHomePage).host());
    if (contact.isEmpty()) contact = feedbackText() + "\n";
    return FrmExit::tr("Quorvex\n"
                       "线性方程组数值解法\n"
                       "版本 %1\n"
                       "\n"
                       "作者：Quorvex 开发组\n"
                       "%2"
                       "\n"
                       "谢谢使用！")
        .arg(kVersionText, contact);
}

FrmExit::FrmExit(CommonModule& common, std::function<void()> endProgram)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), m_common(common),
      m_endProgram(std::move(endProgram)), m_label(new QLabel(this)), m_timer(new QTimer(this)) {
    setObjectName("FrmExit");
    setAttribute(Qt::WA_DeleteOnClose, false);
    QPalette blue = palette();
    blue.setColor(QPalette::Window, QColor(0, 0, 255));
    setPalette(blue);
    setAutoFillBackground(true);

    m_label->setObjectName("Label1");
    m_label->setTextFormat(Qt::PlainText);
    m_label->setText(creditsText());
    m_label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont font("隶书");
    font.setPointSizeF(26.25);
    m_label->setFont(font);
    // The caption-text colour of the desktop: title bars draw their text in
    // the highlighted-text role, white in the usual schemes.
    QPalette text = m_label->palette();
    text.setColor(QPalette::WindowText, palette().color(QPalette::HighlightedText));
    m_label->setPalette(text);
    m_label->installEventFilter(this);

    m_timer->setObjectName("Timer1");
    m_timer->setInterval(kCreditsTickMs);
    connect(m_timer, &QTimer::timeout, this, &FrmExit::Timer1_Timer);

    // Form_Initialize: the tune starts as soon as the window exists.
    m_common.PlayMusic(musicFile(), kMusicAlias);
}

double FrmExit::dpi() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->logicalDotsPerInchY() : 96.0;
}

void FrmExit::Form_Load() {
    const double d = dpi();
    const Twips t(d);
    const int labelPixels = m_label->heightForWidth(t.toPixels(kCreditsLabelWidth));
    m_labelHeight = static_cast<int>(
        std::lround(t.fromPixels(labelPixels > 0 ? labelPixels : m_label->sizeHint().height())));
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect available = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    const CreditsGeometry g = creditsGeometry(available, d, m_labelHeight);
    setGeometry(g.window);
    setFixedSize(g.window.size());
    m_label->setGeometry(g.label);
    m_clientHeight = g.clientHeight;
    m_labelTop = g.clientHeight;
    m_scrollStep = g.scrollStep;
    show();
    m_timer->start();
}

void FrmExit::placeLabel() {
    const Twips t(dpi());
    m_label->move(t.toPixels(kCreditsLabelLeft), t.toPixels(m_labelTop));
}

void FrmExit::Timer1_Timer() {
    m_labelTop = nextLabelTop(m_labelTop, m_labelHeight, m_clientHeight, m_scrollStep);
    placeLabel();
}

void FrmExit::Form_Click() {
    if (m_ended) return;
    m_ended = true;
    m_timer->stop();
    m_common.StopMusic(kMusicAlias);
    m_endProgram();
}

void FrmExit::mousePressEvent(QMouseEvent* event) {
    event->accept();
    Form_Click();
}

bool FrmExit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_label && event->type() == QEvent::MouseButtonPress) {
        Form_Click(); // Label1_Click
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmExit::closeEvent(QCloseEvent* event) {
    // Closed some other way (the window manager, a log-out): the music stops,
    // and with the main window already gone the program ends as well.
    event->accept();
    Form_Click();
}

} // namespace quorvex::ui
