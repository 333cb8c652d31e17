#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <memory>

// Starts the velmora_dataop writer as a process of its own.
class DataOpProcess
{
public:
    struct Result
    {
        int exitCode = -1;
        bool crashed = false;
        QByteArray output;
    };

    static std::unique_ptr<QProcess> start(const QStringList& args);
    // Runs it to its end (at most 60 seconds).
    static Result run(const QStringList& args);
};
