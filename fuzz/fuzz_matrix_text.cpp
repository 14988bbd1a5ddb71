// The first byte picks the order, the rest is the edit area's text.
#include "reading/matrix_text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int n = 1 + data[0] % 40;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    quorvex::Matrix M(n, n + 1);
    quorvex::GetMatrixFromText(M, n, text);
    return 0;
}
