#include "qt_dialogs.h"

#include "font_dialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace quorvex::ui {

QString qtFileFilter(const QString& designFilter) {
    const QStringList parts = designFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& caption = parts[i];
        const QString& pattern = parts[i + 1];
        const QString named = u'(' + pattern + u')';
        filters << (caption.endsWith(named) ? caption : caption + u' ' + named);
    }
    return filters.join(QStringLiteral(";;"));
}

QString QtDialogs::inputBox(QWidget* parent, const QString& prompt, const QString& caption,
                            const QString& defaultAnswer) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, defaultAnswer, &ok);
    return ok ? answer : QString();
}

void QtDialogs::messageBox(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogs::askYesNo(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::openFileName(QWidget* parent, const QString& filter,
                                               const QString& initialName) {
    const QString name = QFileDialog::getOpenFileName(parent, {}, initialName, filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> QtDialogs::saveFileName(QWidget* parent, const QString& filter,
                                               const QString& initialName) {
    const QString name = QFileDialog::getSaveFileName(parent, {}, initialName, filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<FontChoice> QtDialogs::chooseFont(QWidget* parent, const FontChoice& initial) {
    return FontDialog::choose(parent, initial);
}

std::optional<QColor> QtDialogs::chooseColor(QWidget* parent, const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid()) return std::nullopt;
    return color;
}

} // namespace quorvex::ui
