// The reference a C++ programmer would write instead of running Quorvex: read
// the augmented matrix of the same text file, solve by Eigen's PartialPivLU
// (blocked, its trailing updates done as matrix products on every core) and
// write only the solution, every digit a double holds.
//
// usage: quorvex_eigen_route INPUT OUTPUT
#include <Eigen/Dense>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

/// The rows of numbers of the text; false when a word is not a number.
bool readRows(const std::string& text, std::vector<std::vector<double>>& rows) {
    const char* p = text.data();
    const char* const end = p + text.size();
    std::vector<double> row;
    while (p != end) {
        if (*p == '\n') {
            if (!row.empty()) rows.push_back(std::move(row));
            row.clear();
            ++p;
        } else if (isBlank(*p)) {
            ++p;
        } else {
            double v = 0;
            const auto [next, ec] = std::from_chars(p, end, v);
            if (ec != std::errc()) return false;
            row.push_back(v);
            p = next;
        }
    }
    if (!row.empty()) rows.push_back(std::move(row));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: quorvex_eigen_route INPUT OUTPUT\n", stderr);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::vector<double>> rows;
    if (!in || !readRows(text, rows) || rows.empty()) {
        std::fprintf(stderr, "%s: not a matrix of numbers\n", argv[1]);
        return 1;
    }
    const Eigen::Index n = static_cast<Eigen::Index>(rows.size());
    Eigen::MatrixXd a(n, n);
    Eigen::VectorXd b(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        const std::vector<double>& row = rows[static_cast<std::size_t>(i)];
        if (static_cast<Eigen::Index>(row.size()) != n + 1) {
            std::fprintf(stderr, "%s: row %td has not %td numbers\n", argv[1], i + 1, n + 1);
            return 1;
        }
        for (Eigen::Index j = 0; j < n; ++j) a(i, j) = row[static_cast<std::size_t>(j)];
        b(i) = row.back();
    }
    rows.clear();
    rows.shrink_to_fit();
    const Eigen::VectorXd x = a.partialPivLu().solve(b);

    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr) {
        std::perror(argv[2]);
        return 1;
    }
    for (Eigen::Index i = 0; i < n; ++i) std::fprintf(out, "%.17g\n", x(i));
    return std::fclose(out) == 0 ? 0 : 1;
}
