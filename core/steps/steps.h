#pragma once

#include "base/rational.h"
#include "frame/settings.h"
#include "report/report.h"

#include <concepts>
#include <functional>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>

namespace quorvex::steps {

/// The largest order whose reports show their steps; above it one line
/// says they are left out and the report goes on as usual.
inline constexpr int kMaxStepsOrder = 12;

/// The largest order whose eliminations show the matrix after every single
/// row operation when asked to; above it they show it after each stage.
inline constexpr int kMaxRowStepsOrder = 6;

/// Which orders a family shows steps for: up to kMaxStepsOrder, or any
/// order (the tables of sweeps, which keep two components above it).
enum class Reach { UpToMaxOrder, AnyOrder };

/// What a family's routines record as they run. The routines take it, or
/// the observer interface it implements, through a pointer that is null
/// when no steps are recorded: with steps off they pay one test of a
/// pointer per stage, never a call, and nothing is allocated.
template <class L>
concept StepLog = requires {
    { L::kReach } -> std::convertible_to<Reach>;
};

/// Whether an order-n report of a family reaching so far records steps.
inline bool wanted(const ReportSettings& settings, int n, Reach reach = Reach::UpToMaxOrder) {
    return settings.stepsShown() && (reach == Reach::AnyOrder || n <= kMaxStepsOrder);
}

/// The steps of one report: a family's log when the report shows them,
/// else empty.
template <StepLog L> class Recorder {
public:
    Recorder() = default;
    template <class... Args>
    explicit Recorder(std::in_place_t, Args&&... args)
        : m_log(std::in_place, std::forward<Args>(args)...) {}

    explicit operator bool() const { return m_log.has_value(); }
    /// The log as the routines take it: null when there is none.
    L* get() { return m_log ? &*m_log : nullptr; }
    const L* get() const { return m_log ? &*m_log : nullptr; }
    L* operator->() { return &*m_log; }
    const L* operator->() const { return &*m_log; }
    const L& operator*() const { return *m_log; }

    /// The part of the log a routine fills in (a member, or what a member
    /// function gives), or null when there is no log.
    template <class Member, class... Args> auto part(Member member, Args&&... args) {
        using Part = std::remove_reference_t<decltype(std::invoke(member, *m_log, args...))>;
        return m_log ? &std::invoke(member, *m_log, std::forward<Args>(args)...)
                     : static_cast<Part*>(nullptr);
    }

private:
    std::optional<L> m_log;
};

/// The one way a method starts its steps: a log made of `args` when its
/// order-n report shows them, else an empty recorder.
template <StepLog L, class... Args>
Recorder<L> recorder(const ReportSettings& settings, int n, Args&&... args) {
    if (!wanted(settings, n, L::kReach)) return {};
    return Recorder<L>(std::in_place, std::forward<Args>(args)...);
}

/// Opens the steps section after the echoed input: its heading, or beyond
/// the family's reach the one line saying the steps are left out (a table
/// of sweeps above kMaxStepsOrder says it keeps two components). Nothing
/// when steps are off. True when steps follow.
bool open(Report& r, const ReportSettings& settings, int n, Reach reach = Reach::UpToMaxOrder);

/// The one way a method writes its steps: opens the section and, when
/// steps were recorded, has `body` write them from the log.
template <StepLog L, class Body>
void write(Report& r, const ReportSettings& settings, int n, const Recorder<L>& log, Body&& body) {
    if (open(r, settings, n, L::kReach) && log) std::forward<Body>(body)(*log);
}

namespace detail {

/// The text up to the next "{}" of `rest`, which then starts after it.
inline std::string_view nextPart(std::string_view& rest) {
    const std::size_t at = rest.find("{}");
    const std::string_view head = rest.substr(0, at);
    rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 2);
    return head;
}

template <class A> void put(Report& r, const A& a) {
    if constexpr (std::is_integral_v<A>) r.integer(a);
    else if constexpr (std::is_convertible_v<const A&, std::string_view>) r.text(a);
    else a(r);
}

} // namespace detail

/// Writes a catalogue text, each "{}" in turn taken by the next argument:
/// an integer, a text, or a writer `void(Report&)` of a number or a
/// formula, so that every number keeps its kind in the report.
template <class... Args> Report& say(Report& r, std::string_view pattern, const Args&... args) {
    std::string_view rest = pattern;
    const auto head = [&r](std::string_view part) {
        if (!part.empty()) r.text(part);
    };
    ((head(detail::nextPart(rest)), detail::put(r, args)), ...);
    head(rest);
    return r;
}

/// v in the given style, as say() takes it.
template <class T> auto number(const T& v, NumberStyle style) {
    return [&v, style](Report& r) { r.number(v, style); };
}

/// Writes v as an operand of a step: a negative number in parentheses, so
/// that "− (-0.5)" cannot be misread.
Report& operand(Report& r, double v, NumberStyle style);
Report& operand(Report& r, const Rational& v, NumberStyle style);

/// Writes v as a divisor, or as a factor written after "×": a negative
/// number or a fraction in parentheses, so that "÷ (16/7)" is not read as
/// "÷ 16, then ÷ 7".
Report& divisor(Report& r, double v, NumberStyle style);
Report& divisor(Report& r, const Rational& v, NumberStyle style);

/// The fewest decimals, `least` or more, at which v can be written so that
/// a hand calculation multiplying it by up to `weight` lands within a tenth
/// of a unit of the `held`-th decimal of what the method, using v unrounded,
/// got; at most 20 (a number of 1 or more writes no more digits than its
/// fifteen significant ones).
int decimalsAsUsed(double v, double weight, int least, int held);

/// Closes the steps of a solving command with the check by substitution:
/// each equation of the augmented n x (n+1) system B with x put in, and
/// its residual. Decimal solutions are put in as the report shows them, to
/// `decimals` decimals, and the check is left out when one is not finite.
template <class T>
void writeSubstitutionCheck(Report& r, const BasicMatrix<T>& B, const BasicVector<T>& x, int n,
                            int decimals);

/// name(i,j), as in a(2,3).
Report& entry(Report& r, std::string_view name, int i, int j);

} // namespace quorvex::steps
