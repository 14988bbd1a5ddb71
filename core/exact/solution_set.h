#pragma once

#include "base/rational.h"
#include "report/report.h"

#include <vector>

namespace quorvex {

/// Every solution of an exact square system, as a student writes it down:
/// the ranks that decide whether there are none, one or infinitely many,
/// and where there are any, one particular solution and a basis of the
/// homogeneous system's solutions, one direction for each free unknown.
struct SolutionSet {
    int rankA = 0;                          ///< rank of the coefficients
    int rankAugmented = 0;                  ///< rank of [A|b]
    std::vector<int> freeUnknowns;          ///< from 1, ascending
    RationalVector particular;              ///< the free unknowns 0; empty when there is none
    std::vector<RationalVector> directions; ///< directions[k] belongs to freeUnknowns[k]

    bool solvable() const { return rankA == rankAugmented; }
};

/// The solution set of the n x (n+1) augmented system B. Everything
/// exact-algebraic the exact mode needs beyond elimination goes through
/// here, so that another exact backend could take its place.
SolutionSet solutionSet(const RationalMatrix& B, int n);

/// Writes what the set means, a line each: the ranks and whether there are
/// no solutions or infinitely many, and for infinitely many the free
/// unknowns, the particular solution, the directions and the general
/// solution.
void writeSolutionSet(Report& r, const SolutionSet& s, int n, bool exactMode);

} // namespace quorvex
