#include "window_language.h"

#include "common_module.h"

#include <QAction>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quorvex::ui {

namespace {

// Properties by which an action remembers where its caption comes from.
constexpr char kSourceProperty[] = "quorvexTextSource";
constexpr char kContextProperty[] = "quorvexTextContext";
constexpr char kChineseProperty[] = "quorvexTextZh";
constexpr char kEnglishProperty[] = "quorvexTextEn";
constexpr char kTipProperty[] = "quorvexTipSuffix";

Language g_language = Language::Chinese;

QTranslator* qtChinese() {
    static QTranslator* translator = [] {
        auto* t = new QTranslator(qApp);
        if (!t->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete t;
            return static_cast<QTranslator*>(nullptr);
        }
        return t;
    }();
    return translator;
}

QTranslator* windowEnglish() {
    static QTranslator* translator = [] {
        auto* t = new QTranslator(qApp);
        if (!t->load(QStringLiteral(":/i18n/quorvex_en.qm"))) {
            delete t;
            return static_cast<QTranslator*>(nullptr);
        }
        return t;
    }();
    return translator;
}

void install(QTranslator* translator, bool wanted) {
    if (!translator) return;
    if (wanted) QCoreApplication::installTranslator(translator);
    else QCoreApplication::removeTranslator(translator);
}

QString fromView(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void writeText(QAction& action) {
    QString text;
    if (const QVariant source = action.property(kSourceProperty); source.isValid())
        text =
            QCoreApplication::translate(action.property(kContextProperty).toByteArray().constData(),
                                        source.toByteArray().constData());
    else if (const QVariant zh = action.property(kChineseProperty); zh.isValid())
        text =
            (g_language == Language::English ? action.property(kEnglishProperty) : zh).toString();
    else return;
    action.setText(text);
    if (const QVariant suffix = action.property(kTipProperty); suffix.isValid())
        action.setToolTip(QString(text).remove(u'&') + suffix.toString());
}

} // namespace

Language windowLanguage() { return g_language; }

void useWindowLanguage(Language language) {
    g_language = language;
    useHelpLanguage(language);
    // The default writes exactly what it always has: every text Chinese,
    // Qt's own buttons too, whatever the locale.
    install(qtChinese(), language == Language::Chinese);
    install(windowEnglish(), language == Language::English);
}

void setWindowText(QAction& action, UiText text, bool tip, const char* tipSuffix) {
    action.setProperty(kSourceProperty, QByteArray(text.source));
    action.setProperty(kContextProperty, QByteArray(text.context));
    if (tip) action.setProperty(kTipProperty, QString::fromUtf8(tipSuffix));
    writeText(action);
}

void setWindowText(QAction& action, Text text) {
    action.setProperty(kChineseProperty, fromView(text.in(Language::Chinese)));
    action.setProperty(kEnglishProperty, fromView(text.in(Language::English)));
    writeText(action);
}

void retranslate(QObject& root) {
    for (QAction* action : root.findChildren<QAction*>()) writeText(*action);
}

std::optional<Language> languageArgument(const QStringList& arguments) {
    const qsizetype at = arguments.indexOf(QStringLiteral("--lang"));
    if (at < 0) return Language::Chinese;
    const QString value = arguments.value(at + 1);
    if (value == u"zh") return Language::Chinese;
    if (value == u"en") return Language::English;
    return std::nullopt;
}

} // namespace quorvex::ui
