#pragma once

#include <QWidget>

class QTextBrowser;

namespace quorvex::ui {

/// The window that shows the bundled help book (offline, from the
/// program's resources): the page itself and contents, back and forward.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* owner);

    /// Shows the page at source (a qrc: address) and brings the window up.
    void showPage(const QUrl& source);

    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

} // namespace quorvex::ui
