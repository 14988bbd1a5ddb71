#pragma once

#include "report/report.h"
#include "texts/text.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvex {

/// The value a placeholder of a report sentence stands for. A count and a
/// number stay the Report's own pieces, so that every format shows them as
/// numbers; only a text is spliced in as text.
class SentenceValue {
public:
    SentenceValue(std::string_view text) : m_kind(Kind::Text), m_text(text) {}
    SentenceValue(const char* text) : SentenceValue(std::string_view(text)) {}
    SentenceValue(const std::string& text) : SentenceValue(std::string_view(text)) {}
    SentenceValue(const Text& text) : SentenceValue(text.get()) {}
    SentenceValue(int count) : m_kind(Kind::Integer), m_integer(count) {}
    SentenceValue(long long count) : m_kind(Kind::Integer), m_integer(count) {}
    SentenceValue(double v, NumberStyle style)
        : m_kind(Kind::Number), m_number(v), m_style(style) {}
    SentenceValue(const Rational& q, NumberStyle style)
        : m_kind(Kind::Exact), m_exact(&q), m_style(style) {}
    /// Pieces written by `write`, such as a list of counts with words
    /// between them.
    SentenceValue(const std::function<void(Report&)>& write)
        : m_kind(Kind::Pieces), m_pieces(&write) {}
    /// A bare double has no style: it must say how it is written.
    SentenceValue(double) = delete;

    void writeTo(Report& r) const;

private:
    enum class Kind { Text, Integer, Number, Exact, Pieces };
    Kind m_kind;
    std::string_view m_text{};
    long long m_integer = 0;
    double m_number = 0.0;
    const Rational* m_exact = nullptr;
    const std::function<void(Report&)>* m_pieces = nullptr;
    NumberStyle m_style{};
};

/// Writes a catalogue sentence: its text between the placeholders as text,
/// each placeholder as the value it stands for ("{}" in order, "{1}".."{9}"
/// by number, as fillText). Writes no line break of its own.
Report& writeSentence(Report& r, std::string_view pattern,
                      std::initializer_list<SentenceValue> values);

} // namespace quorvex
