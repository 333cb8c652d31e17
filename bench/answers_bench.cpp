// The class overview on a school year of answers (300,000 lines of
// antwoorden.csv), read and counted once, for its time and the process's
// peak memory; and one more answer appended to that file.
#include "answerline.h"
#include "answersfile.h"
#include "csvline.h"
#include "metricreporter.h"
#include "placeoverview.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Lines = 300000;
constexpr int Runs = 5;

// 30 pupils, 3 maps of 3 levels and 40 places each, over one school year.
qint64 writeYear(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the benchmark answers");
    QByteArray chunk = velmora::CsvLine::encode(velmora::AnswerLine::headings());
    const QDateTime start(QDate(2025, 9, 1), QTime(8, 30));
    for (int i = 0; i < Lines; ++i) {
        velmora::AnswerLine a;
        a.when = start.addSecs(qint64(i) * 100);
        a.begonnen = start.addSecs(qint64(i / 10) * 1000);
        a.leerling = QStringLiteral("Leerling %1 van den Berg").arg(i / 10 % 30);
        a.kaart = i % 3 == 0 ? QStringLiteral("Nederland") : QStringLiteral("Europa %1").arg(i % 3);
        a.niveau = 1 + i / 7 % 3;
        a.mode = i % 2 ? velmora::AnswerLine::Mode::Toets : velmora::AnswerLine::Mode::Oefenen;
        a.gevraagd = QStringLiteral("Plaats %1").arg(i % 40);
        a.goed = i % 5 != 0;
        a.geklikt = a.goed ? a.gevraagd : QStringLiteral("Plaats %1").arg(i % 39);
        chunk += a.encode();
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
    return file.size();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(velmora::AnswersFile::FileName.toString());
    const double fileMb = writeYear(path) / (1024.0 * 1024.0);
    const velmora::PlaceOverview::Filter filter{QStringLiteral("Nederland"),
                                                2,
                                                false,
                                                QString(),
                                                velmora::PlaceOverview::Period::Alles,
                                                QDate(2026, 7, 1)};
    double best = 1e300;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        const auto file = velmora::PlaceOverview::readFile(path);
        if (!std::holds_alternative<QByteArray>(file))
            throw std::runtime_error("the answers could not be read");
        const auto overview = velmora::PlaceOverview::count(std::get<QByteArray>(file), filter);
        const double ms = clock.nsecsElapsed() / 1e6;
        if (overview.places().size() != 40)
            throw std::runtime_error("the overview counted wrong");
        best = std::min(best, ms);
    }
    std::printf("%d lines, %.1f MB of antwoorden.csv; goals under 1000 ms and under %.0f MB\n", Lines, fileMb,
                3 * fileMb + 60);
    MetricReporter::print("overview_open_300k_ms", best, "ms");
    MetricReporter::print("overview_open_300k_peak_mb", MetricReporter::peakMegabytes(), "MB");

    // A pupil's answer reads only the file's last byte: the time must not grow with the file.
    constexpr int Appends = 20;
    velmora::AnswerLine answer;
    answer.when = answer.begonnen = QDateTime::currentDateTime();
    answer.leerling = QStringLiteral("Anna");
    answer.kaart = QStringLiteral("Nederland");
    answer.niveau = 1;
    answer.gevraagd = answer.geklikt = QStringLiteral("Zwolle");
    answer.goed = true;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < Appends; ++i) {
        if (velmora::AnswersFile::append(path, answer))
            throw std::runtime_error("appending failed");
    }
    MetricReporter::print("answer_append_ms", clock.nsecsElapsed() / 1e6 / Appends, "ms");
    return 0;
}
