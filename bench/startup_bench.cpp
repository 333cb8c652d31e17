// Time from starting the pupil program to its login window being shown, with
// a pupil list of 1,000 names: the median of several fresh processes.
#include "metricreporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Pupils = 1000;
constexpr int Runs = 15;

bool writeFolder(const QString& folder)
{
    QFile pupils(QDir(folder).filePath(QStringLiteral("leerling.sdb")));
    QFile maps(QDir(folder).filePath(QStringLiteral("kaarten.sdb")));
    if (!pupils.open(QIODevice::WriteOnly) || !maps.open(QIODevice::WriteOnly))
        return false;
    pupils.write("Leerlingendatabase\r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n");
    for (int i = 1; i <= Pupils; ++i)
        pupils.write("     Leerling " + QByteArray::number(i) + " van der Zo\xeb\r\n");
    maps.write("Kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\n");
    maps.write("Oefenkaart                    oefenkaart.krt\r\n");
    return true;
}

// Milliseconds from the start of the process to its "shown" line; negative on failure.
double oneStart(const QString& probe, const QString& folder)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(probe, {folder});
    QByteArray output;
    while (!output.contains("shown\n")) {
        if (!process.waitForReadyRead(10000))
            return -1;
        output += process.readAllStandardOutput();
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    process.waitForFinished(10000);
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString probe =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("korvel_startup_probe"));
    QTemporaryDir folder;
    if (!folder.isValid() || !writeFolder(folder.path())) {
        std::fprintf(stderr, "cannot write the benchmark folder\n");
        return 1;
    }
    oneStart(probe, folder.path()); // warm the file cache and the dynamic loader
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        const double ms = oneStart(probe, folder.path());
        if (ms < 0) {
            std::fprintf(stderr, "the probe did not show its login window\n");
            return 1;
        }
        times.push_back(ms);
        std::printf("run %2d: %.1f ms\n", run + 1, ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("fastest %.1f ms, slowest %.1f ms over %d starts\n", times.front(), times.back(), Runs);
    MetricReporter::print("korvel_login_ms", times[times.size() / 2], "ms");
    return 0;
}
