#pragma once

#include "check/check_input.h"
#include "check/step_check.h"
#include "report/report.h"

namespace quorvex::check {

/// The text of the operation that made row `row` (0-based) from the previous
/// block's rows, naming the row it made: "新第 3 行 = 第 3 行 − 0.5 × 第 1 行",
/// "新第 2 行 = 2 × 第 2 行 − 3 × 第 1 行"; multipliers written to `decimals`
/// places at most.
std::string operationText(const Combination& c, int row, int decimals);

/// Appends step k's findings; returns whether the step is right.
bool writeStep(Report& r, int k, const StepFinding& step, const EntryMatrix& after, int decimals);

/// Appends the check of the solution, step k, by substitution into the
/// system; returns whether every equation holds within the tolerance of
/// the unknowns as written. `rightSteps`, the blocks when every step was
/// right (else empty), tell where a wrong solution came from rounding too
/// early.
bool writeSolution(Report& r, int k, const EntryMatrix& system, const EntryRow& x, int decimals,
                   const std::vector<EntryMatrix>& rightSteps);

/// Appends step k, or the solution as step k, as not checked: it uses a
/// number that is not held.
void writeUnchecked(Report& r, int k, bool solution);

/// The notice that names an entry not held, where it stands and what the
/// decimal reading made of it.
std::string unheldNotice(const UnheldEntry& u);

/// The verdict after the steps: the first wrong step, else that every step
/// checked is right and which were not checked (1-based), or that none was.
std::string verdict(int firstWrong, const std::vector<int>& unchecked, int steps);

} // namespace quorvex::check
