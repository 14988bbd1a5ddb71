#pragma once

#include "texts/text.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

class QAction;
class QObject;

namespace quorvex::ui {

/// The contexts of the window's own texts in the translation files: menu
/// captions apart, since an English caption carries its accelerator.
inline constexpr char kTextContext[] = "quorvex::ui";
inline constexpr char kMenuContext[] = "quorvex::ui::menus";

/// A window text written in Chinese and read in the window's language each
/// time it is used, so that a text kept in a constant follows a switch.
struct UiText {
    const char* source;
    const char* context = kTextContext;
    QString get() const { return QCoreApplication::translate(context, source); }
    operator QString() const { return get(); }
};

/// The language the window's own texts are read in now.
Language windowLanguage();

/// Installs the translations of `language`: for Chinese Qt's own Chinese
/// buttons and no translation of the window's texts, for English the
/// window's English texts and Qt's untranslated buttons.
void useWindowLanguage(Language language);

/// Gives `action` the caption `text` and remembers it, so that
/// retranslate() writes it again in the window's language; the tip, when
/// asked for, is the caption followed by `tipSuffix`.
void setWindowText(QAction& action, UiText text, bool tip = false, const char* tipSuffix = "");
/// The same for a caption from the command catalogue.
void setWindowText(QAction& action, Text text);

/// Writes every remembered caption under `root` in the window's language.
void retranslate(QObject& root);

/// Reads "--lang en" or "--lang zh" among the arguments; Chinese without
/// one, nothing for an unknown or missing language.
std::optional<Language> languageArgument(const QStringList& arguments);

} // namespace quorvex::ui
