#pragma once

#include <string_view>

namespace quorvex::cli {

/// Exit status when standard output did not take all that was written to it.
inline constexpr int kExitUnwritten = 4;

/// A standard stream the caller left closed keeps failing as a closed one
/// does, but its descriptor is taken, so no file opened later can become
/// standard output by accident.
void occupyClosedStandardStreams();

/// Writes bytes to standard output and flushes it; false when a write failed
/// or fell short (errno says why).
bool writeStandardOutput(std::string_view bytes);

/// Flushes standard output; false when anything written to it was lost.
bool finishStandardOutput();

/// Says on standard error that standard output could not be written and
/// gives kExitUnwritten.
int outputLost();

} // namespace quorvex::cli
