#include "frame/frame.h"

#include "exact/exact_algebra.h"
#include "frame/precision.h"
#include "numerics/arithmetic.h"
#include "reading/matrix_text.h"
#include "reading/number_text.h"
#include "reading/vector_text.h"
#include "texts/exact_texts.h"
#include "texts/fill.h"
#include "texts/notice_texts.h"

#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <variant>

namespace quorvex {

namespace {

/// What a command's arrays and report take for an order n, in n x n
/// doubles: each square array counts 1, each n x n block of the report
/// about 2 (its numbers take some 16 characters each), and the copies of
/// the edit area's text about 2 more. No command needs more than this.
constexpr double kSquareArraysPerOrder = 16;

void ensureMemoryFor(Host& host, int n) {
    const std::uint64_t available = host.availableMemory();
    if (available == 0) return;
    const double side = static_cast<double>(n) + 1.0;
    const double bytes = kSquareArraysPerOrder * side * side * sizeof(double);
    if (bytes > static_cast<double>(available)) throw InsufficientMemory(n);
}

/// The order answered, or nothing when the command is to stop: Cancel, an
/// empty answer, or an order outside 1..32766. A stop is silent when nothing
/// or an order below 1 was typed, as a user who cancels expects; an answer
/// that is no number or too large an order gets a notice that says so,
/// since the user meant to go on.
std::optional<int> askOrder(Host& host, const Opening& o) {
    const std::string answer = ask(host, o.prompt, o.caption, o.defaultAnswer);
    const auto n = orderFromAnswer(answer);
    switch (orderRefusal(answer)) {
    case OrderRefusal::NotANumber:
        host.notice(fillText(texts::dialog::kOrderNotANumber, {answer}));
        break;
    case OrderRefusal::AboveLimit:
        host.notice(
            fillText(texts::dialog::kOrderOutOfRange, {answer, "1", std::to_string(kMaxOrder)}));
        break;
    case OrderRefusal::None:
    case OrderRefusal::Nothing:
    case OrderRefusal::BelowOne: break;
    }
    if (n) ensureMemoryFor(host, *n);
    return n;
}

/// The vector's components are counted in 16 bits: a longer vector has none
/// to work on.
constexpr int kMaxVectorLength = 32767;

Matrix readMatrix(std::string&& text, int n, Reads reads) {
    Matrix B(n, n + 1);
    GetMatrixFromText(B, n, std::move(text));
    if (reads == Reads::AugmentedMatrix) return B;
    Matrix A(n, n);
    for (int i = 1; i <= n; ++i) std::copy(B.row(i), B.row(i) + n, A.row(i));
    return A;
}

Outcome open(const Command& command, CommandInput& in) {
    const Opening& o = command.opening;
    Host& host = in.host;
    if (o.clear == Clear::BeforeAsking) host.setResultText({});
    // The edit area is locked while a command runs: reading it when it is
    // needed reads what was there at the start, and no copy of a large
    // text stays alive through the computation.
    if (o.reads == Reads::Vector) {
        in.vector = GetVectorFromText(host.editText());
        in.n = in.vector.size();
        if (in.n > kMaxVectorLength) {
            host.notice(fillText(texts::dialog::kVectorTooLong,
                                 {std::to_string(in.n), std::to_string(kMaxVectorLength)}));
            return Outcome::Stopped;
        }
        return command.body(in);
    }
    if (o.asksPrecision) in.precision = askPrecisionOnly(host);
    const auto n = askOrder(host, o);
    if (!n) return Outcome::Stopped;
    if (o.asksPrecision) noticeNegativePrecision(host, in.precision);
    if (o.clear == Clear::AfterOrder) host.setResultText({});
    in.n = *n;
    if (o.reads == Reads::Text) in.text = host.editText();
    else in.matrix = readMatrix(host.editText(), *n, o.reads);
    return command.body(in);
}

} // namespace

Outcome runCommand(const Command& command, Host& host, const ReportSettings& settings,
                   const StopRequest* stop) {
    static const StopRequest never;
    const LanguageScope language(settings.language);
    // However the command ends, the exact library's per-thread store goes.
    const struct ReleaseCaches {
        ~ReleaseCaches() { releaseExactCaches(); }
    } release;
    std::string before = host.resultText();
    int order = 0;
    try {
        CommandInput in{host, settings, stop ? *stop : never};
        return open(command, in);
    } catch (const CommandStopped&) {
        host.setResultText(std::move(before));
        return Outcome::Stopped;
    } catch (const ExactLimitExceeded&) {
        // A number typed past the limit, met before the exact work began.
        return fail(host, texts::exact::kTooLong);
    } catch (const InsufficientMemory& e) {
        order = e.order();
    } catch (const std::bad_alloc&) {
        order = -1;
    }
    host.setResultText(std::move(before));
    host.messageBox(order > 0 ? insufficientMemoryMessage(order) : std::string(kOutOfMemoryMessage),
                    std::string(kAppTitle));
    return Outcome::Failed;
}

std::string ask(Host& host, std::string_view prompt, std::string_view caption,
                std::string_view defaultAnswer) {
    return host.inputBox(std::string(prompt), std::string(caption.empty() ? kAppTitle : caption),
                         std::string(defaultAnswer));
}

std::string insufficientMemoryMessage(int order) {
    return fillText(texts::dialog::kOrderOutOfMemory, {std::to_string(order)});
}

Outcome fail(Host& host, std::string_view message) {
    host.messageBox(std::string(message), std::string(kAppTitle));
    return Outcome::Failed;
}

Outcome publish(Host& host, Report&& report) {
    host.appendResult(std::make_shared<const Document>(report.takeDocument()));
    return Outcome::Reported;
}

Outcome publish(Host& host, Report&& report, const std::function<std::string()>& why) {
    auto document = std::make_shared<const Document>(report.takeDocument());
    // The cause is found before the report is shown: finding it may take a
    // stage of work, and a stop meanwhile leaves the result area as it was.
    const std::string notice = showsNotFinite(*document) ? why() : std::string();
    host.appendResult(std::move(document));
    if (!notice.empty()) host.notice(notice);
    return Outcome::Reported;
}

namespace {

bool anyNotFinite(std::span<const double> values) {
    for (const double v : values)
        if (!std::isfinite(v)) return true;
    return false;
}

/// The value of a number piece that a renderer writes from its double.
bool notFinite(double v, const std::optional<Rational>& exact) {
    return !exact && !std::isfinite(v);
}

} // namespace

bool showsNotFinite(const Document& document) {
    // Rounding a finite number never makes it infinite (roundTo leaves the
    // large ones as they are), so a number is shown as Infinity or NaN
    // exactly when its double is not finite.
    const auto shows = [&document](const Piece& piece) {
        return std::visit(
            [&document](const auto& p) {
                using P = std::decay_t<decltype(p)>;
                if constexpr (std::is_same_v<P, piece::Number> ||
                              std::is_same_v<P, piece::IndexedValue>)
                    return notFinite(p.value, p.exact);
                else if constexpr (std::is_same_v<P, piece::MatrixBlock> ||
                                   std::is_same_v<P, piece::NumberRow>)
                    return !p.exact && anyNotFinite(document.numbers(p));
                else return (void)p, false;
            },
            piece);
    };
    for (const Piece& piece : document.pieces())
        if (shows(piece)) return true;
    return false;
}

std::string notFiniteEntryNotice(const Matrix& M, int rows, int cols) {
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) {
            const double v = M(i, j);
            if (std::isnan(v))
                return fillText(texts::notice::kEntryUndefined,
                                {std::to_string(i), std::to_string(j)});
            if (std::isinf(v))
                return fillText(texts::notice::kEntryBeyondRange,
                                {std::to_string(i), std::to_string(j), numberText(v)});
        }
    return {};
}

std::string entryOrOverflowNotice(const Matrix& M, int rows, int cols) {
    std::string entry = notFiniteEntryNotice(M, rows, cols);
    return entry.empty() ? std::string(texts::notice::kOverflow) : entry;
}

std::string elementOrOverflowNotice(const Vector& v) {
    std::string element = notFiniteElementNotice(v);
    return element.empty() ? std::string(texts::notice::kOverflow) : element;
}

std::string notFiniteElementNotice(const Vector& v) {
    for (int i = v.lo(); i <= v.hi(); ++i) {
        if (std::isnan(v(i)))
            return fillText(texts::notice::kElementUndefined, {std::to_string(i)});
        if (std::isinf(v(i)))
            return fillText(texts::notice::kElementBeyondRange,
                            {std::to_string(i), numberText(v(i))});
    }
    return {};
}

} // namespace quorvex
