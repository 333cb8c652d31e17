#include "dataopprocess.h"

std::unique_ptr<QProcess> DataOpProcess::start(const QStringList& args)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(VELMORA_DATAOP), args);
    return process;
}

DataOpProcess::Result DataOpProcess::run(const QStringList& args)
{
    const auto process = start(args);
    Result result;
    if (!process->waitForFinished(60000))
        return result;
    result.exitCode = process->exitCode();
    result.crashed = process->exitStatus() == QProcess::CrashExit;
    result.output = process->readAllStandardOutput();
    return result;
}
