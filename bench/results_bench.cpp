// The results window and printout on a big results file (a school year of
// tests), against reading the file's records alone.
#include "frmresultaat.h"
#include "frmresultaatprint.h"
#include "metricreporter.h"
#include "programfolder.h"
#include "resultsfile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

constexpr int Records = 4700; // 100 full pages

QString& folder()
{
    static QString path;
    return path;
}

void writeResults()
{
    QFile file(velmora::ResultsFile::path());
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the benchmark results");
    for (int i = 1; i <= Records; ++i)
        file.write(velmora::ResultsFile::recordBytes("Leerling " + QByteArray::number(i) + " van den Berg",
                                                     "Europa en de Middellandse Zee", 1 + i % 3, 20, i % 21));
}

void ReadRecords(benchmark::State& state)
{
    for (auto _ : state) {
        const auto records = velmora::ResultsFile::readFile(velmora::ResultsFile::path());
        if (records.size() != Records)
            state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(records.constData());
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
    const auto records = velmora::ResultsFile::readFile(velmora::ResultsFile::path());
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (!korveladmin::frmResultaatPrint::print(printer, records, QDate(2024, 3, 7)))
            state.SkipWithError("printing failed");
    }
}

BENCHMARK(ReadRecords)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(OpenResultsWindow)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(PrintToPdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    folder() = dir.path();
    velmora::ProgramFolder::setPath(dir.path());
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
    return 0;
}
