#include "texts/sentence.h"

#include "texts/fill.h"

namespace quorvex {

void SentenceValue::writeTo(Report& r) const {
    switch (m_kind) {
    case Kind::Text: r.text(m_text); break;
    case Kind::Integer: r.integer(m_integer); break;
    case Kind::Number: r.number(m_number, m_style); break;
    case Kind::Exact: r.number(*m_exact, m_style); break;
    case Kind::Pieces: (*m_pieces)(r); break;
    }
}

Report& writeSentence(Report& r, std::string_view pattern,
                      std::initializer_list<SentenceValue> values) {
    std::size_t inOrder = 0;
    std::size_t from = 0;
    for (Placeholder p = findPlaceholder(pattern, from, inOrder); p.at != std::string_view::npos;
         p = findPlaceholder(pattern, from, inOrder)) {
        if (p.at > from) r.text(pattern.substr(from, p.at - from));
        if (p.value < values.size()) values.begin()[p.value].writeTo(r);
        else r.text(pattern.substr(p.at, p.size));
        from = p.at + p.size;
    }
    if (from < pattern.size()) r.text(pattern.substr(from));
    return r;
}

} // namespace quorvex
