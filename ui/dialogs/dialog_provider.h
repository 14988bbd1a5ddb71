#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QWidget;

namespace quorvex::ui {

/// What the font dialog offers: the font with its effects, and a text colour.
struct FontChoice {
    QFont font;
    QColor color;
};

/// The file type filter of every file dialog, in the form the program's
/// design writes it (caption|pattern pairs).
inline constexpr char kFileFilter[] =
    QT_TRANSLATE_NOOP("quorvex::ui", "文本文件(*.txt)|*.txt|所有文件(*.*)|*.*");

/// The same filter in Qt's form ("caption;;caption"): each caption already
/// names its pattern.
QString qtFileFilter(const QString& designFilter);

/// Every modal dialog the window opens goes through this interface, so that
/// tests can answer them from a script. A cancelled file, font or colour
/// dialog gives nothing; a cancelled input box gives the empty text.
class DialogProvider {
public:
    virtual ~DialogProvider() = default;

    virtual QString inputBox(QWidget* parent, const QString& prompt, const QString& caption,
                             const QString& defaultAnswer) = 0;
    /// OK button only, no icon.
    virtual void messageBox(QWidget* parent, const QString& text, const QString& caption) = 0;
    /// Yes and No, a question icon, No as the default button; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& caption) = 0;
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& filter,
                                                const QString& initialName) = 0;
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& filter,
                                                const QString& initialName) = 0;
    virtual std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& initial) = 0;
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
};

} // namespace quorvex::ui
