#pragma once

#include "frame.h"

#include <span>
#include <string_view>

namespace quorvex {

/// A command as its method group provides it; the registry puts it in the
/// menu under the same id.
struct CommandDef {
    std::string_view id;
    CommandHandler handler;
};

/// Gauss elimination and its applications (inverse, determinant).
std::span<const CommandDef> eliminationCommands();
/// Triangular decompositions.
std::span<const CommandDef> decompositionCommands();
/// Jacobi, Gauss-Seidel and over-relaxation.
std::span<const CommandDef> iterationCommands();
/// Positive-definite and diagonal-dominance tests, vector and matrix norms.
std::span<const CommandDef> testsAndNormsCommands();

} // namespace quorvex
