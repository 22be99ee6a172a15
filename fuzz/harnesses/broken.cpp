#include "fuzz/harnesses.h"

#include <cstdio>
#include <cstdlib>

namespace tmk::fuzz {

void broken(const char* harness, const char* what, const char* detail) {
    std::fprintf(stderr, "%s: %s%s%s\n", harness, what, detail ? ": " : "", detail ? detail : "");
    std::abort();
}

} // namespace tmk::fuzz
