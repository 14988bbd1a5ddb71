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
                            std::string_view defaultAnswer) {
    return orderFromAnswer(ask(host, prompt, caption, defaultAnswer));
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
    host.appendResult(report);
    return Outcome::Reported;
}

} // namespace quorvex
