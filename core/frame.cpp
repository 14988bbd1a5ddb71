#include "frame.h"

#include "matrix_text.h"
#include "number_text.h"

namespace quorvex {

std::string ask(Host& host, std::string_view prompt, std::string_view caption,
                std::string_view defaultAnswer) {
    return host.inputBox(std::string(prompt), std::string(caption.empty() ? kAppTitle : caption),
                         std::string(defaultAnswer));
}

std::optional<int> askOrder(Host& host, std::string_view prompt, std::string_view caption,
                            std::string_view defaultAnswer, MemoryNeed need) {
    const auto n = orderFromAnswer(ask(host, prompt, caption, defaultAnswer));
    if (n) ensureMemoryFor(host, *n, need);
    return n;
}

void ensureMemoryFor(Host& host, int n, MemoryNeed need) {
    const std::uint64_t available = host.availableMemory();
    if (available == 0) return;
    const double side = static_cast<double>(n) + 1.0;
    const double bytes = need.squareArrays * side * side * sizeof(double);
    if (bytes > static_cast<double>(available)) throw InsufficientMemory(n);
}

std::string insufficientMemoryMessage(int order) {
    std::string text = "内存不足，不能处理 ";
    appendInteger(text, order);
    text += " 阶的矩阵，请减小阶数#";
    return text;
}

Matrix readAugmentedMatrix(Host& host, int n) {
    Matrix B(n, n + 1);
    GetMatrixFromText(B, n, host.editText(), &host);
    return B;
}

Outcome fail(Host& host, std::string_view message) {
    host.messageBox(std::string(message), std::string(kAppTitle));
    return Outcome::Failed;
}

Outcome publish(Host& host, std::string report) {
    host.appendResult(std::move(report));
    return Outcome::Reported;
}

} // namespace quorvex
