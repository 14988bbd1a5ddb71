#pragma once

#include "host.h"
#include "matrix.h"

#include <new>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

/// How a command ended; the CLI turns it into its exit status.
enum class Outcome {
    Reported, ///< the report was written
    Failed,   ///< a method's own test failed and a message box said so
    Stopped,  ///< cancelled, or an order below 1: nothing reported
};

using CommandHandler = Outcome (*)(Host&);

/// The prompt most commands ask the order with.
inline constexpr std::string_view kOrderPrompt = "输入方程组系数矩阵的阶数 n：";
/// The prompt of the matrix commands.
inline constexpr std::string_view kMatrixOrderPrompt = "输入矩阵的阶数 n：";
/// The prompt of the commands that speak of an array.
inline constexpr std::string_view kArrayOrderPrompt = "输入数组的阶数 n：";
/// The caption several prompts carry.
inline constexpr std::string_view kInputDataCaption = "输入数据";

/// What a command's arrays and report take for an order n, in units of
/// n x n doubles: each square array counts 1, each n x n block of the
/// report about 2 (its numbers take some 16 characters each), and the copies
/// of the edit area's text take about 2 more.
struct MemoryNeed {
    double squareArrays = 16;
};

/// Thrown when the arrays for an order cannot be had; the command runner
/// turns it, like any failed allocation, into one message and a clean stop.
class InsufficientMemory : public std::bad_alloc {
public:
    explicit InsufficientMemory(int order) : m_order(order) {}
    const char* what() const noexcept override { return "insufficient memory for the order"; }
    int order() const { return m_order; }

private:
    int m_order;
};

/// Shows an input box; an empty caption stands for the application's title.
std::string ask(Host& host, std::string_view prompt, std::string_view caption = {},
                std::string_view defaultAnswer = {});

/// Asks for the order n. Gives nothing when the command is to stop silently:
/// Cancel, an empty answer, or an order outside 1..32766. Throws
/// InsufficientMemory when the host's memory cannot hold what the command
/// needs for that order.
std::optional<int> askOrder(Host& host, std::string_view prompt, std::string_view caption = {},
                            std::string_view defaultAnswer = {}, MemoryNeed need = {});

/// Throws InsufficientMemory when the host's memory cannot hold `need` for
/// order n.
void ensureMemoryFor(Host& host, int n, MemoryNeed need);

/// The message shown when an order is too large for the memory.
std::string insufficientMemoryMessage(int order);

/// Reads the edit area into a fresh n x (n+1) augmented matrix.
Matrix readAugmentedMatrix(Host& host, int n);

/// Shows a method's failure message (OK only, the application's title) and
/// returns Outcome::Failed.
Outcome fail(Host& host, std::string_view message);

/// Replaces the result area's text by the finished report.
Outcome publish(Host& host, std::string report);

} // namespace quorvex
