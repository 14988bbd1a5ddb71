// Runs any command on fuzzed input (layout in fuzz_host.h). Answers are cut
// to two characters: the fuzzer spends its time on the edit area's text.
#include "fuzz_host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorvex::fuzz::runFuzzedCommand(data, size, 2);
    return 0;
}
