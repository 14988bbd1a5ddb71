#pragma once

namespace quorvex::ui {

/// The program's start: creates the application, shows the main window
/// LinearFrm and runs until the program ends. Returns the exit status.
int Main(int argc, char** argv);

} // namespace quorvex::ui
