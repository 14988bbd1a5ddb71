#pragma once

#include "base/matrix.h"
#include "base/stop_request.h"
#include "frame/host.h"
#include "frame/settings.h"
#include "report/report.h"
#include "texts/dialog_texts.h"

#include <atomic>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>

namespace quorvex {

/// How a command ended; the CLI turns it into its exit status.
enum class Outcome {
    Reported, ///< the report was written
    Failed,   ///< a method's own test failed and a message box said so
    Stopped,  ///< cancelled, or an order below 1: nothing reported
};

// The order prompts and the caption most commands' openings name.
using texts::dialog::kArrayOrderPrompt;
using texts::dialog::kInputDataCaption;
using texts::dialog::kMatrixOrderPrompt;
using texts::dialog::kOrderPrompt;

/// When a command empties the result area: before its first dialog, or
/// only once the order is accepted (a cancelled prompt then keeps the
/// previous report).
enum class Clear { BeforeAsking, AfterOrder };

/// What a command reads from the edit area.
enum class Reads {
    AugmentedMatrix, ///< n rows of n+1 numbers
    SquareMatrix,    ///< n rows of n numbers (the rest of each line is ignored)
    Vector,          ///< the first line that holds anything; no order is asked
    Text,            ///< the text as typed, for a command that reads its own layout
};

/// The dialogs and reading every command starts with, declared once per
/// command and run by the frame.
struct Opening {
    Text prompt{};        ///< the order prompt
    Text caption{};       ///< empty: the application's title
    Text defaultAnswer{}; ///< the order prompt's default
    Clear clear = Clear::AfterOrder;
    Reads reads = Reads::AugmentedMatrix;
    bool asksPrecision = false; ///< the iterations ask their precision before the order
};

/// What the frame hands a command's body: the world, the settings and the
/// numbers read as the opening declares.
struct CommandInput {
    Host& host;
    const ReportSettings& settings;
    const StopRequest& stop;
    int n = 0;              ///< the order (the vector's length for Reads::Vector)
    Matrix matrix{};        ///< n x (n+1) or n x n, as read
    Vector vector{};        ///< Reads::Vector only
    std::string text{};     ///< Reads::Text only
    double precision = 0.0; ///< Opening::asksPrecision only
};

/// Kinds of commands, as the method families group them.
enum class CommandGroup { Elimination, Decomposition, Iteration, TestsAndNorms, Analysis };

/// A command, defined once: its id (the menu item's control name, which the
/// CLI names it by), its caption, its family, its opening and its body.
struct Command {
    std::string_view id;
    Text caption;
    CommandGroup group;
    Opening opening;
    Outcome (*body)(CommandInput& in);
};

/// The message shown when an allocation fails with no order to blame.
inline constexpr Text kOutOfMemoryMessage = texts::dialog::kOutOfMemory;

/// Thrown when the arrays for an order cannot be had; runCommand turns it,
/// like any failed allocation, into one message and a clean stop.
class InsufficientMemory : public std::bad_alloc {
public:
    explicit InsufficientMemory(int order) : m_order(order) {}
    const char* what() const noexcept override { return "insufficient memory for the order"; }
    int order() const { return m_order; }

private:
    int m_order;
};

/// Runs a command: its opening, then its body. When its memory cannot be
/// had (the order is too large, or an allocation fails) it shows one
/// message, puts back the result area's text from before the command and
/// returns Outcome::Failed. When `stop` is requested meanwhile, it puts
/// back the result area's text and returns Outcome::Stopped.
Outcome runCommand(const Command& command, Host& host, const ReportSettings& settings,
                   const StopRequest* stop = nullptr);

/// Shows an input box; an empty caption stands for the application's title.
std::string ask(Host& host, std::string_view prompt, std::string_view caption = {},
                std::string_view defaultAnswer = {});

/// The message shown when an order is too large for the memory.
std::string insufficientMemoryMessage(int order);

/// Shows a method's failure message (OK only, the application's title) and
/// returns Outcome::Failed.
Outcome fail(Host& host, std::string_view message);

/// Appends the finished report to the result area, as text and as a
/// document.
Outcome publish(Host& host, Report&& report);

/// Appends the finished report as publish does; when a number it shows is
/// Infinity or NaN, a notice beside it says why: `why()`, asked only then,
/// names the first thing the method met that made it so. The report is the
/// same either way.
Outcome publish(Host& host, Report&& report, const std::function<std::string()>& why);

/// True when a number the document shows is Infinity or NaN.
bool showsNotFinite(const Document& document);

/// The notice naming the first entry of the leading rows x cols block of M,
/// row by row, that is read as Infinity or NaN; empty when every one is
/// finite, as exact numbers always are.
std::string notFiniteEntryNotice(const Matrix& M, int rows, int cols);
template <class T> std::string notFiniteEntryNotice(const BasicMatrix<T>& M, int rows, int cols) {
    if constexpr (std::is_same_v<T, double>) return notFiniteEntryNotice(M, rows, cols);
    else return (void)M, (void)rows, (void)cols, std::string();
}

/// The same for the elements of a vector.
std::string notFiniteElementNotice(const Vector& v);
template <class T> std::string notFiniteElementNotice(const BasicVector<T>& v) {
    if constexpr (std::is_same_v<T, double>) return notFiniteElementNotice(v);
    else return (void)v, std::string();
}

/// The notice for a method that never divides by 0, reading M (rows x
/// cols): an entry read as Infinity or NaN, or else an overflow, the only
/// other way to them.
std::string entryOrOverflowNotice(const Matrix& M, int rows, int cols);
template <class T> std::string entryOrOverflowNotice(const BasicMatrix<T>& M, int rows, int cols) {
    if constexpr (std::is_same_v<T, double>) return entryOrOverflowNotice(M, rows, cols);
    else return (void)M, (void)rows, (void)cols, std::string();
}

/// The same for a vector.
std::string elementOrOverflowNotice(const Vector& v);
template <class T> std::string elementOrOverflowNotice(const BasicVector<T>& v) {
    if constexpr (std::is_same_v<T, double>) return elementOrOverflowNotice(v);
    else return (void)v, std::string();
}

} // namespace quorvex
