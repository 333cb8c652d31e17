#pragma once

#include <QFile>
#include <QMap>
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

using FuzzTarget = int (*)(const std::uint8_t*, std::size_t);

// The targets of this build by name (the name of their corpus folder).
inline QMap<QString, FuzzTarget>& fuzzTargets()
{
    static QMap<QString, FuzzTarget> targets;
    return targets;
}

// Each target is an ordinary function: the replay test links all of them,
// each registered under its name; the libFuzzer build gives exactly one of
// them the fuzzer's entry.
#ifdef VELMORA_LIBFUZZER
#define FUZZ_ENTRY(name, function)                                                                           \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)                        \
    {                                                                                                        \
        return function(data, size);                                                                         \
    }
#else
#define FUZZ_ENTRY(name, function)                                                                           \
    static const bool function##Registered = (fuzzTargets().insert(QStringLiteral(name), &function), true);
#endif
