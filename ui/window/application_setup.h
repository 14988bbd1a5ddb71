#pragma once

class QApplication;

namespace quorvex::ui {

/// Prepares the application for the window: Qt's own buttons and dialogs in
/// Chinese whatever the locale, and the fonts the program names ("宋体",
/// "隶书") mapped to the Chinese fonts the machine has.
void setUpApplication(QApplication& app);

} // namespace quorvex::ui
