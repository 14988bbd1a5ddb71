#pragma once

#include "twips.h"

#include <QDialog>

#include <map>

class QLabel;

namespace quorvex::ui {

class CommonModule;

/// "关于Quorvex": title, version, notice, contact, and four links that open
/// the makers' pages in the user's browser.
class FrmAbout : public QDialog {
    Q_OBJECT
public:
    FrmAbout(CommonModule& common, QWidget* owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addLink(QWidget* frame, const char* name, const QString& text, int left, const char* url);
    QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QRect twips);
    int px(double twips) const;

    CommonModule& m_common;
    Twips m_twips;
    std::map<QObject*, QString> m_links;
};

} // namespace quorvex::ui
