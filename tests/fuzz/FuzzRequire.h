#pragma once

#include <cstdio>
#include <cstdlib>

// A check a fuzz target makes of every input: a failure aborts, so the
// fuzzer keeps the input that made it.
#define Require(cond)                                                        \
  do {                                                                       \
    if (!(cond)) {                                                           \
      std::fprintf(stderr, "check failed: %s (line %d)\n", #cond, __LINE__); \
      std::abort();                                                          \
    }                                                                        \
  } while (0)
