// Plain text: the pieces written back exactly as the report builder wrote
// them, separators and line breaks included.
#include "report/render.h"

#include "report/report.h"

namespace quorvex {

namespace {

struct TextWriter {
    const Document& d;
    std::string& out;

    void number(double v, NumberStyle style) {
        char buf[kMaxNumberText];
        out.append(buf, writeStyled(buf, v, style));
    }
    void exactNumbers(std::span<const Rational> values, int perRow, std::string_view separator,
                      std::string_view rowEnd) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            out.append(separator).append(rationalText(values[i]));
            if ((i + 1) % static_cast<std::size_t>(perRow) == 0) out.append(rowEnd);
        }
    }
    void numbers(std::span<const double> values, int perRow, NumberStyle style,
                 std::string_view separator, std::string_view rowEnd) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            out.append(separator);
            number(values[i], style);
            if ((i + 1) % static_cast<std::size_t>(perRow) == 0) out.append(rowEnd);
        }
    }
    void indexed(const piece::IndexedValue& v) {
        if (v.breakBefore) out.append(kCrLf);
        out.append(v.name).append("(");
        appendInteger(out, v.index);
        out.append(")=");
        if (v.exact) out.append(rationalText(*v.exact));
        else number(v.value, v.style);
        if (!v.breakBefore) out.append(kCrLf);
    }

    void operator()(const piece::Text& t) { out.append(t.text); }
    void operator()(const piece::LineBreak&) { out.append(kCrLf); }
    void operator()(const piece::Number& n) {
        if (n.exact) out.append(rationalText(*n.exact));
        else number(n.value, n.style);
    }
    void operator()(const piece::Integer& i) { appendInteger(out, i.value); }
    void operator()(const piece::MatrixBlock& m) {
        if (m.exact) exactNumbers(d.exactNumbers(m), m.cols, m.separator, m.rowEnd);
        else numbers(d.numbers(m), m.cols, m.style, m.separator, m.rowEnd);
    }
    void operator()(const piece::NumberRow& r) {
        if (r.exact) exactNumbers(d.exactNumbers(r), r.count, r.separator, {});
        else numbers(d.numbers(r), r.count, r.style, r.separator, {});
    }
    void operator()(const piece::Heading& h) { out.append(kCrLf).append(h.text).append(kCrLf); }
    void operator()(const piece::IndexedValue& v) { indexed(v); }
    void operator()(const piece::Title& t) { out.append(kCrLf).append(t.text); }
};

} // namespace

std::string renderText(const Document& d) {
    std::string out;
    TextWriter writer{d, out};
    for (const Piece& p : d.pieces()) std::visit(writer, p);
    return out;
}

} // namespace quorvex
