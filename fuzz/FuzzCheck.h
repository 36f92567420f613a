#pragma once
// What every fuzz target shares: a broken promise ends the run with a message, so that
// libFuzzer keeps the input that showed it.
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition, what)                                                      \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "fuzz check failed: %s (%s)\n", what, #condition);      \
            std::abort();                                                                \
        }                                                                                \
    } while (0)
