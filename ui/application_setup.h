#pragma once

class QApplication;

namespace quorvex::ui {

/// Prepares the application for the window: Qt's own dialogs in the
/// system's language where a translation exists, and the fonts the window
/// names ("宋体") mapped to whatever Chinese fonts the machine has.
void setUpApplication(QApplication& app);

} // namespace quorvex::ui
