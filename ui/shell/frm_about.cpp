#include "frm_about.h"

#include "common_module.h"
#include "logo.h"
#include "shell_texts.h"
#include "twips.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>

#include <algorithm>

namespace quorvex::ui {

namespace {

// Design values in twips.
constexpr int kClientWidth = 7080;
constexpr int kClientHeight = 3105;
constexpr QRect kFrame1(150, 0, 6735, 2415);
constexpr QRect kFrame2(150, 2400, 6735, 540);
constexpr int kLinkTop = 180;
constexpr int kLinkWidth = 960;
constexpr int kLinkHeight = 240;
constexpr int kLinkSpacing = 1840;

QString link(const QString& url, const QString& text) {
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toHtmlEscaped(), text.toHtmlEscaped());
}

/// The makers and how to reach them: what the build configured, or else the
/// help book's page on reporting problems.
QString contactText() {
    QString text = FrmAbout::tr("作者：Quorvex 开发组");
    const QString mail = QString::fromUtf8(kContactMail);
    const QString home = QString::fromUtf8(kHomePage);
    if (!mail.isEmpty())
        text += FrmAbout::tr("　　电子邮件：%1").arg(link(QStringLiteral("mailto:") + mail, mail));
    text += QStringLiteral("<br>");
    if (!home.isEmpty()) text += FrmAbout::tr("网址：%1").arg(link(home, home));
    else text += link(QString::fromUtf8(kFeedbackPage), feedbackText());
    return text;
}

/// Wraps a label whose text is wider than it, and gives it the height the
/// wrapped lines take: the pixels it grew by.
int wrapToFit(QLabel& label) {
    if (label.sizeHint().width() <= label.width()) return 0;
    label.setWordWrap(true);
    const int needed = label.heightForWidth(label.width());
    if (needed <= label.height()) return 0;
    const int extra = needed - label.height();
    label.resize(label.width(), needed);
    return extra;
}

} // namespace

FrmAbout::FrmAbout(CommonModule& common, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_common(common), m_twips(owner ? Twips::of(*owner) : Twips()) {
    setObjectName("FrmAbout");
    setWindowTitle(tr("关于Quorvex"));
    setFixedSize(px(kClientWidth), px(kClientHeight));

    auto* frame1 = new QGroupBox(this);
    frame1->setObjectName("Frame1");
    frame1->setGeometry(px(kFrame1.x()), px(kFrame1.y()), px(kFrame1.width()),
                        px(kFrame1.height()));
    auto* picture = new QLabel(frame1);
    picture->setObjectName("Picture1");
    picture->setPixmap(QPixmap::fromImage(logoImage(64, 38)));
    picture->setGeometry(px(360), px(420), 64, 38);

    QLabel* title = addLabel(frame1, "Label1", "Quorvex", {1560, 300, 2520, 480});
    QFont titleFont("隶书");
    titleFont.setPointSizeF(15.75);
    title->setFont(titleFont);
    addLabel(frame1, "Label2", kVersionText, {4200, 420, 1200, 300});
    QLabel* about = addLabel(frame1, "Label3",
                             tr("本程序逐步演示线性方程组的数值解法，每一步的报告都与手算一致，\n"
                                "供学习与教学参考。如有问题或建议，欢迎告诉我们。"),
                             {360, 1080, 6120, 540});

    QLabel* contact = addLabel(frame1, "Label5", contactText(), {360, 1740, 6120, 540});
    contact->setTextFormat(Qt::RichText);
    connect(contact, &QLabel::linkActivated, this,
            [this](const QString& url) { m_common.OpenWebPage(url); });
    // A translation wider than the design's lines is wrapped, and the window
    // grows by the lines it adds.
    const int aboutExtra = wrapToFit(*about);
    contact->move(contact->x(), contact->y() + aboutExtra);
    const int extra = aboutExtra + wrapToFit(*contact);
    frame1->resize(frame1->width(), frame1->height() + extra);

    auto* frame2 = new QGroupBox(this);
    frame2->setObjectName("Frame2");
    frame2->setGeometry(px(kFrame2.x()), px(kFrame2.y()), px(kFrame2.width()),
                        px(kFrame2.height()));
    addLink(frame2, "lblBlog1", tr("作者博客1"), 240, kBlogPage1);
    addLink(frame2, "lblBlog2", tr("作者博客2"), 2080, kBlogPage2);
    addLink(frame2, "lblBlog3", tr("作者博客3"), 3920, kDownloadPage);
    addLink(frame2, "lblBlog", tr("作者博客"), 5760, kBlogPage3);
    frame2->move(frame2->x(), frame2->y() + extra);
    setFixedSize(width(), height() + extra);
}

int FrmAbout::px(double twips) const { return m_twips.toPixels(twips); }

QLabel* FrmAbout::addLabel(QWidget* parent, const char* name, const QString& text, QRect twips) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
    return label;
}

void FrmAbout::addLink(QWidget* frame, const char* name, const QString& text, int left,
                       const char* url) {
    QLabel* link = addLabel(frame, name, text, {left, kLinkTop, kLinkWidth, kLinkHeight});
    QFont font("宋体");
    font.setPointSizeF(9);
    font.setUnderline(true);
    link->setFont(font);
    // A caption longer than the design's takes the room up to the next link.
    if (link->sizeHint().width() > link->width())
        link->resize(std::min(link->sizeHint().width(), px(kLinkSpacing - 120)), link->height());
    QPalette blue = link->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    link->setPalette(blue);
    link->setToolTip(tr("点击打开"));
    link->setCursor(Qt::PointingHandCursor);
    link->installEventFilter(this);
    m_links[link] = url;
}

bool FrmAbout::eventFilter(QObject* watched, QEvent* event) {
    // lblBlog_Click, lblBlog1_Click, lblBlog2_Click, lblBlog3_Click
    const auto it = m_links.find(watched);
    if (it != m_links.end() && event->type() == QEvent::MouseButtonRelease) {
        m_common.OpenWebPage(it->second);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quorvex::ui
