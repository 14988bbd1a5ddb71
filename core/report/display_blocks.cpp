#include "report/display_blocks.h"

#include "report/report.h"

namespace quorvex {

namespace {

std::string_view trimBlanks(std::string_view s, bool front, bool back) {
    while (front && !s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (back && !s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

class BlockBuilder {
public:
    explicit BlockBuilder(std::vector<ReportBlock>& out) : m_out(out) {}

    void run(Run r) { m_line.push_back(r); }
    void endLine() {
        trimLine();
        if (!m_line.empty()) m_out.push_back({ReportBlock::Kind::Line, std::move(m_line)});
        m_line.clear();
    }
    void block(ReportBlock::Kind kind, const Piece& p) {
        endLine();
        m_out.push_back({kind, {}, &p});
    }

private:
    /// Blanks at the ends of a line only lay out plain text.
    void trimLine() {
        while (!m_line.empty() && m_line.front().kind == Run::Kind::Text) {
            m_line.front().text = trimBlanks(m_line.front().text, true, false);
            if (!m_line.front().text.empty()) break;
            m_line.erase(m_line.begin());
        }
        while (!m_line.empty() && m_line.back().kind == Run::Kind::Text) {
            m_line.back().text = trimBlanks(m_line.back().text, false, true);
            if (!m_line.back().text.empty()) break;
            m_line.pop_back();
        }
    }

    std::vector<ReportBlock>& m_out;
    std::vector<Run> m_line;
};

} // namespace

std::vector<ReportBlock> blocksOf(const Document& d) {
    using K = ReportBlock::Kind;
    std::vector<ReportBlock> out;
    BlockBuilder b(out);
    for (const Piece& p : d.pieces()) {
        if (const auto* t = std::get_if<piece::Text>(&p)) b.run({Run::Kind::Text, t->text});
        else if (std::holds_alternative<piece::LineBreak>(p)) b.endLine();
        else if (const auto* n = std::get_if<piece::Number>(&p))
            b.run({Run::Kind::Number, {}, n->value, n->style, 0, n->exact ? &*n->exact : nullptr});
        else if (const auto* i = std::get_if<piece::Integer>(&p))
            b.run({Run::Kind::Integer, {}, 0.0, {}, i->value});
        else if (std::holds_alternative<piece::MatrixBlock>(p)) b.block(K::Matrix, p);
        else if (std::holds_alternative<piece::NumberRow>(p)) b.block(K::Row, p);
        else if (std::holds_alternative<piece::Heading>(p)) b.block(K::Heading, p);
        else if (std::holds_alternative<piece::IndexedValue>(p)) b.block(K::Value, p);
        else if (std::holds_alternative<piece::Title>(p)) b.block(K::Title, p);
    }
    b.endLine();
    return out;
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (;;) {
        const auto brk = text.find(kCrLf);
        lines.push_back(text.substr(0, brk));
        if (brk == std::string_view::npos) return lines;
        text.remove_prefix(brk + kCrLf.size());
    }
}

std::string numberText(const Run& r) {
    if (r.kind == Run::Kind::Integer) {
        std::string s;
        appendInteger(s, r.integer);
        return s;
    }
    if (r.exact) return rationalText(*r.exact);
    return styledText(r.value, r.style);
}

std::string numberText(const BlockShape& shape, std::size_t k) {
    if (!shape.exact.empty()) return rationalText(shape.exact[k]);
    return styledText(shape.values[k], shape.style);
}

BlockShape shapeOf(const Document& d, const ReportBlock& b) {
    if (const auto* m = std::get_if<piece::MatrixBlock>(b.piece))
        return m->exact
                   ? BlockShape{m->rows, m->cols, m->barAfter, m->style, {}, d.exactNumbers(*m)}
                   : BlockShape{m->rows, m->cols, m->barAfter, m->style, d.numbers(*m)};
    const auto& r = std::get<piece::NumberRow>(*b.piece);
    return r.exact ? BlockShape{1, r.count, 0, r.style, {}, d.exactNumbers(r)}
                   : BlockShape{1, r.count, 0, r.style, d.numbers(r)};
}

} // namespace quorvex
