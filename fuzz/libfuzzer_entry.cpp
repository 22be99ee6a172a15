// The libFuzzer entry of one harness, chosen when compiling (TMK_FUZZ_HARNESS).
#include "fuzz/harnesses.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tmk::fuzz::TMK_FUZZ_HARNESS(data, size);
}
