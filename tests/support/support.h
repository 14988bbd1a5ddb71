#pragma once

// Helpers the tests share: files, shell words, report text, a student's
// redoing of worked steps, and random systems.

#include "base/matrix.h"

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace quorvex::testing {

/// A folder of its own in the system's temporary folder, named after the
/// test but unique (mkdtemp), removed with everything in it at the end: two
/// runs of the suite on one machine never share or delete each other's files.
class TempDir {
public:
    explicit TempDir(const std::string& label);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

std::string readFile(const std::filesystem::path& p);

/// The rows of tests/data/tables/<name>.tsv, each a list of its
/// tab-separated fields; "#" lines and blank lines are left out. In a field
/// "\t", "\r", "\n", "\\" and "\uXXXX" stand for those characters (a row
/// starting with "#" starts "\u0023"); any other backslash is itself.
std::vector<std::vector<std::string>> table(const std::string& name);

/// The word as one single-quoted shell word.
std::string shellQuote(const std::string& s);

/// Every LF made a CR LF, as reports break their lines.
std::string toCrLf(const std::string& s);

/// The lines of a report, without their CR LF.
std::vector<std::string> linesOf(const std::string& report);

/// "" when the report holds the lines of `expected` (LF line breaks), each
/// a whole line, in that order, and its last line is the last of them;
/// otherwise the first line it lacks. A "…" at either end of an expected
/// line stands for whatever the report's line holds there.
std::string linesNotHeld(const std::string& report, const std::string& expected);

/// The lines after the heading "详细步骤：" (or "Worked steps:") up to the blank line that ends
/// them, each with its CR LF; "(no steps)" without the heading.
std::string stepsSection(const std::string& report);

/// A line of steps evaluated as a student would: numbers, parentheses,
/// "+", "−", "×", "÷" (and "/" in fractions), "√", with × and ÷ before + and
/// −, left to right. NaN when the text is not such a sum.
double byHand(const std::string& text);

/// The lines of the steps whose numeric forms (those with no names in
/// them) do not give the value the line ends with, to within one unit of
/// `decimals` decimals or of the value's own last decimal.
std::vector<std::string> linesNotComingOut(const std::string& report, int decimals);

/// Redoes the printed steps of an elimination report of order n by hand,
/// from the matrix echoed first and the numbers printed before each line;
/// `held` decimals are what the stage matrices are written with; `inverse`:
/// the identity stands beside the matrix. Returns the lines that do not
/// come out.
std::vector<std::string> eliminationLinesNotComingOut(const std::string& report, int n, int held,
                                                      bool inverse);

/// The lines of the steps that quote a value with other digits than it was
/// written with before: at the end of its own line (an entry of a
/// decomposition, an unknown of a back substitution) or where an entry the
/// method was given first appeared.
std::vector<std::string> valuesWithTwoFaces(const std::string& report);

/// Random entries with up to two decimals (written exactly at every
/// setting), small integers now and then so that pivots tie.
Matrix randomMatrix(std::mt19937& gen, int rows, int cols);

/// The second difference matrix of order n (2 on the diagonal, -1 beside
/// it) with x = (1, ..., 1): positive definite, its iterations so slow to
/// converge that they run a thousand sweeps.
std::string secondDifferences(int n);

/// The text of such a matrix, one row a line.
std::string textOf(const Matrix& A);

} // namespace quorvex::testing
