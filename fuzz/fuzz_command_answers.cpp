// Runs any command with whole answers (layout in fuzz_host.h): precisions,
// relaxation factors and initial values of any length, steered by the
// extreme values of fuzz/answers.dict. Only the order stays below 100.
#include "fuzz_host.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorvex::fuzz::runFuzzedCommand(data, size, std::string::npos);
    return 0;
}
