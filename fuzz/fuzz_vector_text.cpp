// The vector reader on any text: only its first non-empty line counts.
#include "reading/vector_text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const quorvex::Vector v = quorvex::GetVectorFromText(text);
    volatile int n = v.size();
    (void)n;
    return 0;
}
