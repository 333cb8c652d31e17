// Listing every pupil of a full pupil database, against reading the file's
// lines once.
#include "metricreporter.h"
#include "smartbase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr int Pupils = 32767;

QString& databasePath()
{
    static QString path;
    return path;
}

void writeDatabase(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the benchmark database");
    file.write("Leerlingendatabase\r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n");
    for (int i = 1; i <= Pupils; ++i)
        file.write("     Leerling " + QByteArray::number(i) + " van de Vries-van den Berg\r\n");
}

void ReadLinesOnce(benchmark::State& state)
{
    for (auto _ : state) {
        QFile file(databasePath());
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open");
        qsizetype lines = 0;
        while (!file.atEnd()) {
            const QByteArray line = file.readLine();
            benchmark::DoNotOptimize(line.constData());
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
}

void ListEveryRecord(benchmark::State& state)
{
    velmora::SmartBase db([](const QString&) {});
    db.OpenDatabase(databasePath());
    for (auto _ : state) {
        const QStringList names = db.ListField(2);
        if (names.size() != Pupils)
            state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(names.constData());
    }
}

BENCHMARK(ReadLinesOnce)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(ListEveryRecord)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    databasePath() = QDir(dir.path()).filePath(QStringLiteral("leerling.sdb"));
    writeDatabase(databasePath());
    const MetricReporter reporter = MetricReporter::run(argc, argv);
    MetricReporter::print("smartbase_list_ratio",
                          reporter.nanoseconds("ListEveryRecord") / reporter.nanoseconds("ReadLinesOnce"),
                          "x");
    MetricReporter::print("smartbase_list_ms", reporter.nanoseconds("ListEveryRecord") / 1e6, "ms");
    return 0;
}
