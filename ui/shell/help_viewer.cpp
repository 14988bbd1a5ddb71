#include "help_viewer.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quorvex::ui {

HelpViewer::HelpViewer(QWidget* owner) : QWidget(owner, Qt::Window), m_browser(new QTextBrowser) {
    setObjectName("HelpViewer");
    setWindowTitle(tr("Quorvex 帮助"));
    m_browser->setObjectName("HelpBrowser");
    m_browser->setOpenExternalLinks(true);

    auto* home = new QPushButton(tr("目录"));
    auto* back = new QPushButton(tr("后退"));
    auto* forward = new QPushButton(tr("前进"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(home, &QPushButton::clicked, m_browser, &QTextBrowser::home);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    // Every page's title already names the book ("提问与报告 - Quorvex 帮助").
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? tr("Quorvex 帮助") : title);
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(home);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(860, 640);
}

void HelpViewer::showPage(const QUrl& source) {
    m_browser->setSource(source);
    show();
    raise();
    activateWindow();
}

} // namespace quorvex::ui
