// The results window and printout on a big results file (a school year of
// tests), against reading the file's records alone; and the window opened on
// a million records in a fresh process, for its time and peak memory.
#include "frmresultaat.h"
#include "frmresultaatprint.h"
#include "metricreporter.h"
#include "programfolder.h"
#include "resultsfile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace velmora;

namespace {

constexpr int Records = 4700; // 100 full pages
constexpr int MillionRecords = 1000000;
constexpr int FreshRuns = 3;
const char* const OpenOnce = "--open-once";

QString& folder()
{
    static QString path;
    return path;
}

// A record as the pupil program appends it: name, map, then level, asked and right in number form.
QByteArray record(const QByteArray& naam, const QByteArray& kaart, int niveau, int gedaan, int goed)
{
    QByteArray bytes = naam + "\r\n" + kaart + "\r\n";
    for (const int number : {niveau, gedaan, goed})
        bytes += ' ' + QByteArray::number(number) + " \r\n";
    return bytes;
}

void writeResults()
{
    QFile file(ResultsFile::path());
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the benchmark results");
    for (int i = 1; i <= Records; ++i)
        file.write(record("Leerling " + QByteArray::number(i) + " van den Berg",
                          "Europa en de Middellandse Zee", 1 + i % 3, 20, i % 21));
}

// About 40 bytes a record, as short names and map names give.
qint64 writeMillion(const QString& folder)
{
    QFile file(QDir(folder).filePath(ResultsFile::FileName.toString()));
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the benchmark results");
    QByteArray chunk;
    for (int i = 1; i <= MillionRecords; ++i) {
        chunk += record("Leerling " + QByteArray::number(i), "Europa", 1 + i % 3, 20, i % 21);
        if (chunk.size() > (1 << 20) || i == MillionRecords) {
            file.write(chunk);
            chunk.clear();
        }
    }
    return file.size();
}

const ResultsTable& table(const std::variant<ResultsTable, DataError>& read)
{
    static const ResultsTable none;
    const auto* records = std::get_if<ResultsTable>(&read);
    return records ? *records : none;
}

void ReadRecords(benchmark::State& state)
{
    for (auto _ : state) {
        const auto records = ResultsFile::readFile(ResultsFile::path());
        if (table(records).size() != Records)
            state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(table(records).bytes().constData());
    }
}

void OpenResultsWindow(benchmark::State& state)
{
    for (auto _ : state) {
        korveladmin::frmResultaat window;
        benchmark::DoNotOptimize(&window);
    }
}

void PrintToPdf(benchmark::State& state)
{
    const QString pdf = QDir(folder()).filePath(QStringLiteral("uit.pdf"));
    const auto records = ResultsFile::readFile(ResultsFile::path());
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (!korveladmin::frmResultaatPrint::print(printer, table(records), QDate(2024, 3, 7)))
            state.SkipWithError("printing failed");
    }
}

BENCHMARK(ReadRecords)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(OpenResultsWindow)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(PrintToPdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// In a process of its own: opens the window on the folder's results until it
// has been shown, and prints the milliseconds and the process's peak memory.
int openOnce(const QString& folder)
{
    ProgramFolder::setPath(folder);
    QElapsedTimer clock;
    clock.start();
    korveladmin::frmResultaat window;
    window.show();
    QCoreApplication::processEvents();
    const double ms = clock.nsecsElapsed() / 1e6;
    std::printf("%.1f %.1f\n", ms, MetricReporter::peakMegabytes());
    return 0;
}

// 300 MB of nothing but line ends: 60 million empty records, the most a
// damaged file can hold for its size.
qint64 writeLineEnds(const QString& folder)
{
    QFile file(QDir(folder).filePath(ResultsFile::FileName.toString()));
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the benchmark results");
    const QByteArray chunk(1 << 20, '\n');
    for (int i = 0; i < 300; ++i)
        file.write(chunk);
    return file.size();
}

// The median time and the highest peak of several fresh openings of the
// window on the file that write makes.
void openFresh(const char* name, const char* what, qint64 (*write)(const QString&), bool timeGoal)
{
    QTemporaryDir dir;
    const double fileMb = write(dir.path()) / (1024.0 * 1024.0);
    std::vector<double> times;
    double peak = 0;
    for (int run = 0; run < FreshRuns; ++run) {
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(OpenOnce), dir.path()});
        if (!process.waitForFinished(300000))
            throw std::runtime_error("opening the results did not finish");
        const QList<QByteArray> values = process.readAllStandardOutput().trimmed().split(' ');
        if (values.size() != 2)
            throw std::runtime_error("opening the results failed");
        times.push_back(values[0].toDouble());
        peak = std::max(peak, values[1].toDouble());
    }
    std::sort(times.begin(), times.end());
    std::printf("%s: %.1f MB of toets.res; goals %sunder %.0f MB\n", what, fileMb,
                timeGoal ? "under 2000 ms and " : "", 3 * fileMb + 60);
    MetricReporter::print(std::string("results_open_") + name + "_ms", times[times.size() / 2], "ms");
    MetricReporter::print(std::string("results_open_") + name + "_peak_mb", peak, "MB");
}

// A pupil's append at the end of a large file reads only its end: the time
// must not grow with the file.
void appendToLargeFile()
{
    QTemporaryDir dir;
    writeMillion(dir.path());
    ProgramFolder::setPath(dir.path());
    constexpr int Appends = 20;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < Appends; ++i) {
        if (ResultsFile::append(ResultsFile::path(), QStringLiteral("Anna"), QStringLiteral("Europa"), 1, 20,
                                17))
            throw std::runtime_error("appending failed");
    }
    MetricReporter::print("results_append_1m_ms", clock.nsecsElapsed() / 1e6 / Appends, "ms");
    ProgramFolder::setPath(folder());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], OpenOnce) == 0)
        return openOnce(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir dir;
    folder() = dir.path();
    ProgramFolder::setPath(dir.path());
    writeResults();
    const MetricReporter reporter = MetricReporter::run(argc, argv);
    MetricReporter::print("results_window_open_ratio",
                          reporter.nanoseconds("OpenResultsWindow") / reporter.nanoseconds("ReadRecords"),
                          "x");
    MetricReporter::print("results_window_open_ms", reporter.nanoseconds("OpenResultsWindow") / 1e6, "ms");
    MetricReporter::print("results_print_ms_per_page",
                          reporter.nanoseconds("PrintToPdf") / 1e6 /
                              (Records / korveladmin::frmResultaatPrint::RowsPerPage),
                          "ms");
    openFresh("1m", "a million results", writeMillion, true);
    openFresh("line_ends", "only line ends", writeLineEnds, false);
    appendToLargeFile();
    return 0;
}
