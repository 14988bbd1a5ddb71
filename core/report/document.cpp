#include "report/document.h"

#include "report/report.h"

#include <algorithm>
#include <type_traits>

namespace quorvex {

std::string styledText(double v, NumberStyle style) {
    char buf[kMaxNumberText];
    return std::string(buf, writeStyled(buf, v, style));
}

std::span<const double> Document::numbers(const piece::MatrixBlock& m) const {
    return m_numbers[m.first];
}

std::span<const double> Document::numbers(const piece::NumberRow& r) const {
    return m_numbers[r.first];
}

std::span<const Rational> Document::exactNumbers(const piece::MatrixBlock& m) const {
    const auto count = static_cast<std::size_t>(m.rows) * static_cast<std::size_t>(m.cols);
    return std::span<const Rational>(m_exact).subspan(m.first, count);
}

std::span<const Rational> Document::exactNumbers(const piece::NumberRow& r) const {
    return std::span<const Rational>(m_exact).subspan(r.first, static_cast<std::size_t>(r.count));
}

std::size_t Document::appendExact(std::span<const Rational> values) {
    const std::size_t at = m_exact.size();
    m_exact.insert(m_exact.end(), values.begin(), values.end());
    return at;
}

std::string_view Document::title() const {
    for (const Piece& p : m_pieces)
        if (const auto* t = std::get_if<piece::Title>(&p)) return t->text;
    return {};
}

int Document::widestBlock() const {
    int widest = 0;
    for (const Piece& p : m_pieces) {
        if (const auto* m = std::get_if<piece::MatrixBlock>(&p)) widest = std::max(widest, m->cols);
        if (const auto* r = std::get_if<piece::NumberRow>(&p)) widest = std::max(widest, r->count);
    }
    return widest;
}

void Document::addText(std::string_view text) {
    while (!text.empty()) {
        const auto brk = text.find(kCrLf);
        if (brk != 0) add(piece::Text{std::string(text.substr(0, brk))});
        if (brk == std::string_view::npos) return;
        add(piece::LineBreak{});
        text.remove_prefix(brk + kCrLf.size());
    }
}

std::pair<std::size_t, double*> Document::appendNumbers(std::size_t count) {
    m_numbers.emplace_back(count);
    return {m_numbers.size() - 1, m_numbers.back().data()};
}

bool Document::endsLine() const {
    if (m_pieces.empty()) return true;
    return std::visit(
        [](const auto& p) {
            using P = std::decay_t<decltype(p)>;
            if constexpr (std::is_same_v<P, piece::LineBreak> || std::is_same_v<P, piece::Heading>)
                return true;
            else if constexpr (std::is_same_v<P, piece::IndexedValue>) return !p.breakBefore;
            else if constexpr (std::is_same_v<P, piece::MatrixBlock>)
                return p.rowEnd.ends_with(kCrLf);
            else if constexpr (std::is_same_v<P, piece::Title>) return p.text.empty();
            else return false;
        },
        m_pieces.back());
}

piece::MatrixBlock* Document::lastBlock() {
    for (auto it = m_pieces.rbegin(); it != m_pieces.rend(); ++it)
        if (auto* m = std::get_if<piece::MatrixBlock>(&*it)) return m;
    return nullptr;
}

Document plainDocument(std::string_view text) {
    Document d;
    d.addText(text);
    return d;
}

} // namespace quorvex
