#include "support.h"

#include "reading/number_text.h"

#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace quorvex::testing {

TempDir::TempDir(const std::string& label) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / ("quorvex-" + label + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string readFile(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

namespace {

void appendUtf8(std::string& out, unsigned long c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string unescaped(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char next = i + 1 < field.size() ? field[i + 1] : '\0';
        if (field[i] != '\\' || !std::strchr("trn\\u", next) || next == '\0') {
            out += field[i];
        } else if (next == 'u') {
            appendUtf8(out, std::stoul(field.substr(i + 2, 4), nullptr, 16));
            i += 5;
        } else {
            out += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : '\\';
            ++i;
        }
    }
    return out;
}

} // namespace

std::vector<std::vector<std::string>> table(const std::string& name) {
    const auto file = std::filesystem::path(QUORVEX_TEST_DATA) / "tables" / (name + ".tsv");
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(readFile(file));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        rows.emplace_back();
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            rows.back().push_back(unescaped(field));
        if (line.back() == '\t') rows.back().emplace_back();
    }
    if (rows.empty()) throw std::runtime_error("no rows in " + file.string());
    return rows;
}

std::string shellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string toCrLf(const std::string& s) {
    std::string out;
    for (char c : s) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

std::vector<std::string> linesOf(const std::string& report) {
    std::vector<std::string> lines;
    std::string line;
    for (std::istringstream in(report); std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string linesNotHeld(const std::string& report, const std::string& expected) {
    const std::vector<std::string> lines = linesOf(report);
    auto at = lines.begin();
    std::string line;
    const std::string more = "…";
    for (std::istringstream in(expected); std::getline(in, line);) {
        const bool head = line.ends_with(more), tail = line.starts_with(more);
        const std::string part =
            line.substr(tail ? more.size() : 0, line.size() - (head + tail) * more.size());
        at = std::find_if(at, lines.end(), [&](const std::string& l) {
            return head && tail ? l.find(part) != std::string::npos
                   : head       ? l.starts_with(part)
                   : tail       ? l.ends_with(part)
                                : l == part;
        });
        if (at == lines.end()) return "missing or out of order: " + line;
        ++at;
    }
    return at == lines.end() ? "" : "not the last line: " + line;
}

std::string stepsSection(const std::string& report) {
    std::string heading = "\r\n详细步骤：\r\n";
    std::size_t from = report.find(heading);
    if (from == std::string::npos) from = report.find(heading = "\r\nWorked steps:\r\n");
    if (from == std::string::npos) return "(no steps)";
    const std::size_t begin = from + heading.size();
    const std::size_t end = report.find("\r\n\r\n", begin);
    return report.substr(begin, end == std::string::npos ? end : end + 2 - begin);
}

namespace {

class HandArithmetic {
public:
    explicit HandArithmetic(const std::string& text) : m_text(text) {}
    double value() {
        const double v = sum();
        skipBlanks();
        if (m_at != m_text.size()) m_bad = true;
        return m_bad ? NAN : v;
    }

private:
    bool take(const std::string& op) {
        skipBlanks();
        if (m_text.compare(m_at, op.size(), op) != 0) return false;
        m_at += op.size();
        return true;
    }
    void skipBlanks() {
        while (m_at < m_text.size() && m_text[m_at] == ' ') ++m_at;
    }
    double sum() {
        double v = product();
        for (;;) {
            if (take("+")) v += product();
            else if (take("−")) v -= product();
            else return v;
        }
    }
    double product() {
        double v = factor();
        for (;;) {
            if (take("×")) v *= factor();
            else if (take("÷") || take("/")) v /= factor();
            else return v;
        }
    }
    double factor() {
        if (take("√")) return std::sqrt(factor());
        if (take("(")) {
            const double v = sum();
            if (!take(")")) m_bad = true;
            return v;
        }
        skipBlanks();
        std::size_t used = 0;
        double v = NAN;
        try {
            v = std::stod(m_text.substr(m_at), &used);
        } catch (const std::exception&) {
            m_bad = true;
        }
        m_at += used;
        return v;
    }

    std::string m_text;
    std::size_t m_at = 0;
    bool m_bad = false;
};

/// Whether a hand result agrees with the printed one to within one unit of
/// the printed place (non-finite values are named by lines of their own).
bool agrees(double hand, double printed, double unit) {
    if (!std::isfinite(printed) || !std::isfinite(hand)) return true;
    return std::fabs(hand - printed) <= unit * (1 + 1e-9) + 1e-12 * std::fabs(printed);
}

/// Decimals written in a number's text.
int decimalsOf(const std::string& number) {
    const auto point = number.find('.');
    if (point == std::string::npos || number.find('E') != std::string::npos) return 0;
    return static_cast<int>(number.size() - point - 1);
}

std::vector<double> numbersOf(const std::string& line) {
    std::vector<double> row;
    std::istringstream in(line);
    for (std::string word; in >> word;) row.push_back(byHand(word));
    return row;
}

std::size_t firstStepLine(const std::vector<std::string>& lines) {
    std::size_t at = 0;
    while (at < lines.size() && lines[at] != "详细步骤：") ++at;
    return at + 1;
}

} // namespace

double byHand(const std::string& text) { return HandArithmetic(text).value(); }

std::vector<std::string> linesNotComingOut(const std::string& report, int decimals) {
    std::vector<std::string> wrong;
    const std::vector<std::string> lines = linesOf(report);
    for (std::size_t at = firstStepLine(lines); at < lines.size() && !lines[at].empty(); ++at) {
        std::vector<std::string> parts;
        const std::string& line = lines[at];
        for (std::size_t from = 0;;) {
            const std::size_t eq = line.find(" = ", from);
            parts.push_back(line.substr(from, eq == std::string::npos ? eq : eq - from));
            if (eq == std::string::npos) break;
            from = eq + 3;
        }
        if (parts.size() < 3) continue;
        const std::string& last = parts.back();
        const double value = byHand(last);
        if (std::isnan(value) && last != "NaN") continue; // a name or a sentence
        // A line whose numbers fix fewer decimals says so on the next line.
        static const std::regex fewer("这一行的数只能确定 \\S+ 的前 (\\d+) 位小数.*");
        std::smatch said;
        const bool short_ = at + 1 < lines.size() && std::regex_match(lines[at + 1], said, fewer);
        const int places = short_ ? std::stoi(said[1]) : std::max(decimals, decimalsOf(last));
        const double unit = std::pow(10.0, -places);
        for (std::size_t p = 1; p + 1 < parts.size(); ++p) {
            if (parts[p].find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos) continue;
            if (!agrees(byHand(parts[p]), value, unit)) {
                wrong.push_back(line);
                break;
            }
        }
    }
    return wrong;
}

std::vector<std::string> eliminationLinesNotComingOut(const std::string& report, int n, int held,
                                                      bool inverse) {
    static const std::regex operation("第 (\\d+) 行 (−|\\+) (.+) × 第 (\\d+) 行");
    static const std::regex rows("交换第 (\\d+) 行与第 (\\d+) 行");
    static const std::regex columns("交换第 (\\d+) 列与第 (\\d+) 列.*");
    static const std::regex division("第 (\\d+) 行除以主元 (.+)");
    static const std::regex equation("(x\\(\\d+\\)|行列式) = (.+) = (\\S+)");
    const std::vector<std::string> lines = linesOf(report);
    std::vector<std::vector<double>> cur;
    for (int i = 0; i < n; ++i) {
        cur.push_back(numbersOf(lines.at(i)));
        if (inverse) {
            cur.back().resize(static_cast<std::size_t>(2 * n), 0.0);
            cur.back().at(n + i) = 1.0;
        }
    }
    std::vector<std::vector<double>> next = cur;
    std::vector<std::string> wrong;
    const double unit = std::pow(10.0, -held);
    for (std::size_t at = firstStepLine(lines); at < lines.size() && !lines[at].empty(); ++at) {
        const std::string& line = lines[at];
        std::smatch m;
        if (std::regex_match(line, m, rows)) {
            std::swap(next[std::stoul(m[1]) - 1], next[std::stoul(m[2]) - 1]);
        } else if (std::regex_match(line, m, columns)) {
            for (auto& row : next) std::swap(row[std::stoul(m[1]) - 1], row[std::stoul(m[2]) - 1]);
        } else if (std::regex_match(line, m, operation)) {
            const double factor = byHand(m[3].str()) * (m[2] == "−" ? 1.0 : -1.0);
            auto& target = next[std::stoul(m[1]) - 1];
            const auto& source = cur[std::stoul(m[4]) - 1];
            // A student fills the new row in from the rows as they stood.
            for (std::size_t j = 0; j < source.size(); ++j)
                target[j] = cur[std::stoul(m[1]) - 1][j] - factor * source[j];
        } else if (std::regex_match(line, m, division)) {
            for (double& v : next[std::stoul(m[1]) - 1]) v /= byHand(m[2].str());
        } else if (line.find(" 步后的矩阵：") != std::string::npos) {
            for (int i = 0; i < n; ++i) {
                const std::vector<double> shown = numbersOf(lines[++at]);
                auto& row = next.at(i);
                for (std::size_t j = 0; j < shown.size(); ++j)
                    if (!agrees(row[j], shown[j], unit))
                        wrong.push_back(line + " row " + std::to_string(i + 1) + ": " + lines[at]);
                row = shown;
            }
            cur = next;
        } else if (std::regex_match(line, m, equation)) {
            const std::string value = m[3];
            const double place = std::pow(10.0, -std::max(held, decimalsOf(value)));
            if (!agrees(byHand(m[2].str()), byHand(value), place)) wrong.push_back(line);
        } else if (line.rfind("第 ", 0) == 0 && line.find(" 步的主元 ") == std::string::npos &&
                   line.find("，") == std::string::npos && line.find("：") == std::string::npos) {
            wrong.push_back("unread: " + line);
        }
        // For the inverse, a row operation may come after rows have been
        // replaced: the rows a student uses are the printed ones.
        if (line.find(" 步后的矩阵：") == std::string::npos && !std::regex_match(line, operation))
            cur = next;
    }
    return wrong;
}

std::vector<std::string> valuesWithTwoFaces(const std::string& report) {
    static const std::regex name("[a-zA-Z]\\(\\d+(?:,\\d+)?\\)");
    static const std::regex number("-?\\d+(?:\\.\\d+)?(?:E[-+]\\d+)?");
    static const std::regex unknownFactor("× \\(?(-?[0-9./E+]+)\\)?");
    static const std::regex rowExchange("交换第 (\\d+) 行与第 (\\d+) 行");
    static const std::regex indexed("([a-zA-Z])\\((\\d+)(,.*)");
    std::map<std::string, std::string> faces;
    std::vector<std::string> unknowns; // a back substitution's, in the order found
    std::vector<std::string> wrong;
    const auto all = [](const std::string& text, const std::regex& re, int group = 0) {
        std::vector<std::string> found;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), re);
             it != std::sregex_iterator(); ++it)
            found.push_back((*it)[group].str());
        return found;
    };
    const std::vector<std::string> lines = linesOf(report);
    for (std::size_t at = firstStepLine(lines); at < lines.size() && !lines[at].empty(); ++at) {
        const std::string& line = lines[at];
        std::vector<std::string> parts;
        for (std::size_t from = 0;;) {
            const std::size_t eq = line.find(" = ", from);
            parts.push_back(line.substr(from, eq == std::string::npos ? eq : eq - from));
            if (eq == std::string::npos) break;
            from = eq + 3;
        }
        std::smatch exchange;
        if (std::regex_search(line, exchange, rowExchange)) {
            // Every entry of the two rows now stands for the other's value (a
            // candidate s(i) keeps its row).
            std::map<std::string, std::string> swapped;
            const std::string r = exchange[1], k = exchange[2];
            for (const auto& [key, face] : faces) {
                std::smatch at;
                std::string moved = key;
                if (std::regex_match(key, at, indexed) && (at[2] == r || at[2] == k))
                    moved = at[1].str() + "(" + (at[2] == r ? k : r) + at[3].str();
                swapped[moved] = face;
            }
            faces = swapped;
        }
        if (parts.size() < 3 || !std::regex_match(parts[0], name)) continue;
        const std::vector<std::string> names = all(parts[1], name);
        if (names.empty()) {
            // An elimination's unknown: the factors after × are the unknowns
            // found before it, the last found first.
            const std::vector<std::string> quoted = all(parts[1], unknownFactor, 1);
            for (std::size_t q = 0; q < quoted.size() && q < unknowns.size(); ++q)
                if (quoted[q] != unknowns[q]) wrong.push_back(line + "  (" + unknowns[q] + ")");
            unknowns.push_back(parts.back());
            continue;
        }
        const std::vector<std::string> numbers = all(parts[2], number);
        if (numbers.size() == names.size())
            for (std::size_t q = 0; q < names.size(); ++q) {
                const auto [face, first] = faces.try_emplace(names[q], numbers[q]);
                if (!first && face->second != numbers[q])
                    wrong.push_back(line + "  (" + names[q] + " = " + face->second + ")");
            }
        if (std::regex_match(parts.back(), number)) faces[parts[0]] = parts.back();
    }
    return wrong;
}

Matrix randomMatrix(std::mt19937& gen, int rows, int cols) {
    std::uniform_int_distribution<int> hundredths(-999, 999);
    std::uniform_int_distribution<int> small(-3, 3);
    Matrix A(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
            A(i, j) = (gen() % 3 == 0 ? small(gen) : hundredths(gen)) / 100.0;
    return A;
}

std::string secondDifferences(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            text += i == j ? "2 " : (i - j == 1 || j - i == 1 ? "-1 " : "0 ");
        text += i == 1 || i == n ? "1\n" : "0\n";
    }
    return text;
}

std::string textOf(const Matrix& A) {
    std::string text;
    for (int i = 1; i <= A.rows(); ++i) {
        for (int j = 1; j <= A.cols(); ++j) text += numberText(A(i, j)) + " ";
        text += "\n";
    }
    return text;
}

} // namespace quorvex::testing
