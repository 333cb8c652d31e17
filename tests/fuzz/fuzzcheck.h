#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken promise of a reader is a finding: stop loudly so that libFuzzer
// keeps the input and the replay test fails.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);               \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

// Each target is an ordinary function, so the replay test can link all of
// them; the libFuzzer build gives exactly one of them the fuzzer's entry.
#ifdef VELMORA_LIBFUZZER
#define FUZZ_ENTRY(function)                                                                                 \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)                        \
    {                                                                                                        \
        return function(data, size);                                                                         \
    }
#else
#define FUZZ_ENTRY(function)
#endif

int fuzzSmartBase(const std::uint8_t* data, std::size_t size);
int fuzzMapFile(const std::uint8_t* data, std::size_t size);
int fuzzResults(const std::uint8_t* data, std::size_t size);
int fuzzPasswd(const std::uint8_t* data, std::size_t size);
