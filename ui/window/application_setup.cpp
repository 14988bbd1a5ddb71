#include "application_setup.h"

#include "window_language.h"

#include <QApplication>
#include <QFont>

namespace quorvex::ui {

namespace {

/// Machines without SimSun show "宋体" in the first Chinese font they have
/// that reads well at the default 9 points; AR PL UMing, the nearest in
/// style, comes last because its hairline strokes fade at that size.
const QStringList kSongSubstitutes = {QStringLiteral("SimSun"),
                                      QStringLiteral("NSimSun"),
                                      QStringLiteral("Noto Serif CJK SC"),
                                      QStringLiteral("WenQuanYi Zen Hei"),
                                      QStringLiteral("WenQuanYi Micro Hei"),
                                      QStringLiteral("Noto Sans CJK SC"),
                                      QStringLiteral("AR PL UMing CN")};

/// "隶书" (clerical script) is a Windows face; the calligraphic AR PL UKai
/// that Debian ships stands in for it, Latin letters included, so a title
/// is set in one face rather than a Chinese one beside a Latin sans.
const QStringList kLishuSubstitutes = {
    QStringLiteral("LiSu"), QStringLiteral("STLiti"), QStringLiteral("AR PL UKai CN"),
    QStringLiteral("AR PL UKai TW"), QStringLiteral("AR PL UKai HK")};

} // namespace

void setUpApplication(QApplication&) {
    QFont::insertSubstitutions(QStringLiteral("宋体"), kSongSubstitutes);
    QFont::insertSubstitutions(QStringLiteral("隶书"), kLishuSubstitutes);
    // Qt's own buttons and dialogs speak the program's language, whatever
    // the locale: no OK beside 确定.
    useWindowLanguage(Language::Chinese);
}

} // namespace quorvex::ui
