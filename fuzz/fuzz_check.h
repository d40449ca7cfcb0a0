#pragma once

// What the fuzzers share: a check that stops the run with a message, so libFuzzer records the
// input as a finding.

#include <cstdio>
#include <cstdlib>

#define ZT_FUZZ_CHECK(condition)                                                         \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)
