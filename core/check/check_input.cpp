#include "check/check_input.h"

#include "base/rational.h"
#include "check/edit_blocks.h"
#include "exact/exact_matrix.h"
#include "reading/matrix_text.h"
#include "texts/check_texts.h"

namespace quorvex::check {

namespace T = texts::check;

namespace {

using T::fill;

std::string count(std::size_t k) { return std::to_string(k); }

/// Whether the text holds more digits than exact work takes.
bool beyondExactLimit(std::string_view text) {
    std::size_t digits = 0;
    for (char c : text) digits += c >= '0' && c <= '9';
    return digits > kMaxExactDigits;
}

/// Reads element texts into entries; a text that is no finite number, or
/// has too many digits, gives the message made by `where` (the pattern,
/// then 1-based row, column, text).
template <typename Where>
std::variant<EntryMatrix, std::string> entriesOf(const std::vector<std::vector<std::string>>& rows,
                                                 Where where) {
    EntryMatrix m;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EntryRow r;
        for (std::size_t j = 0; j < rows[i].size(); ++j) {
            if (beyondExactLimit(rows[i][j])) return where(true, count(i + 1), count(j + 1), "");
            auto e = readEntry(rows[i][j]);
            if (!e) return where(false, count(i + 1), count(j + 1), rows[i][j]);
            r.push_back(std::move(*e));
        }
        m.push_back(std::move(r));
    }
    return m;
}

/// The message when a student's block is not n rows of n+1 numbers.
std::optional<std::string> shapeError(const TextBlock& b, std::size_t step, int n) {
    const auto rows = static_cast<std::size_t>(n);
    if (b.rows.size() != rows)
        return fill(T::kStepRows, {count(step), count(rows), count(b.rows.size())});
    for (std::size_t i = 0; i < rows; ++i)
        if (b.rows[i].size() != rows + 1)
            return fill(T::kStepRowNumbers,
                        {count(step), count(i + 1), count(rows + 1), count(b.rows[i].size())});
    return std::nullopt;
}

bool isSolutionRow(const TextBlock& b, int n) {
    return b.rows.size() == 1 && b.rows[0].size() == static_cast<std::size_t>(n);
}

/// The system's element texts, n rows of n+1, read as the matrix reader
/// reads them: a row short of numbers keeps the texts the row above left.
std::vector<std::vector<std::string>> systemTexts(std::string_view text, int n) {
    const ExactMatrixReading reading = GetExactMatrixFromText(n, n + 1, text);
    std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n + 1; ++j)
            rows[static_cast<std::size_t>(i - 1)].push_back(reading.text(i, j));
    return rows;
}

std::variant<CheckInput, std::string> readSystem(const TextBlock& first, int n) {
    if (first.rows.size() != static_cast<std::size_t>(n))
        return fill(T::kSystemRows, {count(static_cast<std::size_t>(n)), count(first.rows.size())});
    auto system =
        entriesOf(systemTexts(first.text, n), [](bool tooLong, auto i, auto j, auto text) {
            if (tooLong) return fill(T::kSystemTooLong, {i, j, count(kMaxExactDigits)});
            return fill(T::kSystemNotFinite, {i, j, text});
        });
    if (auto* message = std::get_if<std::string>(&system)) return std::move(*message);
    CheckInput in;
    in.system = std::move(std::get<EntryMatrix>(system));
    in.echo = Matrix(n, n + 1);
    GetMatrixFromText(in.echo, n, first.text);
    return in;
}

} // namespace

std::vector<UnheldEntry> CheckInput::unheld() const {
    std::vector<UnheldEntry> found;
    const auto scanRow = [&](std::size_t block, std::size_t row, const EntryRow& r) {
        for (std::size_t j = 0; j < r.size(); ++j)
            if (!r[j].held) found.push_back({block, row, j + 1, &r[j]});
    };
    const auto scan = [&](std::size_t block, const EntryMatrix& m) {
        for (std::size_t i = 0; i < m.size(); ++i) scanRow(block, i + 1, m[i]);
    };
    scan(0, system);
    for (std::size_t k = 0; k < steps.size(); ++k) scan(k + 1, steps[k]);
    if (solution) scanRow(steps.size() + 1, 1, *solution);
    return found;
}

bool CheckInput::holdsUnheld(std::size_t block) const {
    for (const UnheldEntry& u : unheld())
        if (u.block == block) return true;
    return false;
}

std::variant<CheckInput, std::string> readCheckInput(std::string_view editText, int n) {
    std::vector<TextBlock> blocks = splitIntoBlocks(editText);
    if (blocks.size() < 2) return std::string(T::kNoSteps);
    auto read = readSystem(blocks[0], n);
    if (std::holds_alternative<std::string>(read)) return read;
    CheckInput& in = std::get<CheckInput>(read);
    std::size_t last = blocks.size();
    if (isSolutionRow(blocks.back(), n)) --last;
    for (std::size_t k = 1; k < last; ++k) {
        if (auto message = shapeError(blocks[k], k, n)) return std::move(*message);
        auto step = entriesOf(blocks[k].rows, [k](bool tooLong, auto i, auto j, auto text) {
            if (tooLong) return fill(T::kStepTooLong, {count(k), i, j, count(kMaxExactDigits)});
            return fill(T::kStepNotFinite, {count(k), i, j, text});
        });
        if (auto* message = std::get_if<std::string>(&step)) return std::move(*message);
        in.steps.push_back(std::move(std::get<EntryMatrix>(step)));
    }
    if (last < blocks.size()) {
        auto x = entriesOf(blocks.back().rows, [last](bool tooLong, auto, auto j, auto text) {
            if (tooLong)
                return fill(T::kStepTooLong, {count(last), "1", j, count(kMaxExactDigits)});
            return fill(T::kStepNotFinite, {count(last), "1", j, text});
        });
        if (auto* message = std::get_if<std::string>(&x)) return std::move(*message);
        in.solution = std::move(std::get<EntryMatrix>(x)[0]);
    }
    return read;
}

} // namespace quorvex::check
