// Any text, any length: the evaluator must return without crashing, in
// bounded time, and show no message for ordinary faults.
#include "reading/expression.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    volatile double v = quorvex::EvaluateExpression(text);
    (void)v;
    return 0;
}
