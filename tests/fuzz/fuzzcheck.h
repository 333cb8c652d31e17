#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

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

// The input as a file of that name in a folder of the target's own, for the
// readers that take a path.
inline QString writeFuzzInput(const QString& name, const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    return path;
}

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
