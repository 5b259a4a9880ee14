#pragma once

// A property that does not hold is a finding: say which and stop, so that
// libFuzzer saves the input that broke it.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond, ...)                                                                      \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "property failed at %s:%d: %s\n", __FILE__, __LINE__, #cond);     \
            std::fprintf(stderr, __VA_ARGS__);                                                     \
            std::fprintf(stderr, "\n");                                                            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
