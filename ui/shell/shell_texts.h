#pragma once

#include "web_addresses.h"

#include <QCoreApplication>
#include <QString>

// Every web address and contact line of the program, kept in one place.
// The addresses come from the build's configuration; where none was given,
// a page of the help book compiled into the program stands in, so that a
// link always leads somewhere that exists, offline too.

namespace quorvex::ui {

/// The configured address, or else the help book's page.
constexpr const char* configuredOr(const char* address, const char* helpPage) {
    return address[0] != '\0' ? address : helpPage;
}

/// The About window's four links: the project's page, what is new in this
/// version, how to get and install it, exercises to try.
inline constexpr const char* kBlogPage1 =
    configuredOr(configured::kHomepageUrl, "qrc:/help/project.html");
inline constexpr const char* kBlogPage2 = configuredOr(configured::kNewsUrl, "qrc:/help/news.html");
inline constexpr const char* kDownloadPage =
    configuredOr(configured::kDownloadUrl, "qrc:/help/install.html");
inline constexpr const char* kBlogPage3 =
    configuredOr(configured::kExercisesUrl, "qrc:/help/exercises.html");

/// The page OpenWebPage opens for a blank address: the first link's.
inline constexpr const char* kDefaultPage = kBlogPage1;

/// The help book's page on reporting problems, shown when no contact is configured.
inline constexpr const char* kFeedbackPage = "qrc:/help/feedback.html";

/// The contact address, empty when none is configured.
inline constexpr const char* kContactMail = configured::kContactEmail;
/// The project's page, empty when none is configured.
inline constexpr const char* kHomePage = configured::kHomepageUrl;

/// Where problems and suggestions go when nothing is configured.
inline constexpr const char* kFeedbackText =
    QT_TRANSLATE_NOOP("quorvex::ui::shell", "问题和建议：请看帮助文件中的“报告问题”");
/// kFeedbackText in the window's language.
inline QString feedbackText() {
    return QCoreApplication::translate("quorvex::ui::shell", kFeedbackText);
}

/// The version shown in the About window.
inline constexpr const char* kVersionText = "1.1";

} // namespace quorvex::ui
