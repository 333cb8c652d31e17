// Opening the map screen on a full map (500 items, a 2000 x 1500 24-bit
// bitmap), against only decoding the same bitmap, and on a screen that shows
// the map at 0.6 of its size against one that shows it whole.
#include "frmkaart.h"
#include "metricreporter.h"
#include "plaatsen.h"
#include "programfolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int Items = 500;

QString& folder()
{
    static QString path;
    return path;
}

void writeMap(const QString& dir)
{
    QImage picture(2000, 1500, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    if (!picture.save(QDir(dir).filePath(QStringLiteral("groot.bmp")), "BMP"))
        throw std::runtime_error("cannot write the benchmark picture");
    QFile map(QDir(dir).filePath(QStringLiteral("groot.krt")));
    if (!map.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the benchmark map");
    map.write("groot.bmp\r\n");
    const char kinds[] = {'s', 'd', 'w', 'g'};
    for (int i = 0; i < Items; ++i) {
        const int level = 1 + i * 3 / Items;
        const int top = 150 + (i / 25) * 1100;
        const int left = 150 + (i % 25) * 1180;
        map.write(QByteArray::number(level).leftJustified(2, ' ') + QByteArray(1, kinds[i % 4]) + ' ' +
                  QByteArray::number(top).leftJustified(5, ' ') +
                  QByteArray::number(left).leftJustified(5, ' ') + "Plaats nummer " +
                  QByteArray::number(i + 1) + "\r\n");
    }
}

void DecodeBitmapOnly(benchmark::State& state)
{
    const QString path = QDir(folder()).filePath(QStringLiteral("groot.bmp"));
    for (auto _ : state) {
        QImageReader reader(path);
        const QImage image = reader.read();
        if (image.isNull())
            state.SkipWithError("cannot decode");
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The screen on a window of `window` pixels, opened and painted, showing the
// picture `shownWidth` pixels wide.
void openOn(benchmark::State& state, QSize window, int shownWidth)
{
    velmora::Plaatsen plaatsen;
    const korvel::Keuze keuze{QStringLiteral("Anna"), QStringLiteral("Groot"), QStringLiteral("groot.krt"),
                              3};
    for (auto _ : state) {
        auto kaart = std::make_unique<korvel::frmKaart>(plaatsen);
        kaart->Mode = 0;
        kaart->resize(window);
        if (!kaart->open(keuze))
            state.SkipWithError("cannot open");
        if (kaart->findChild<QWidget*>(QStringLiteral("Picture1"))->width() != shownWidth)
            state.SkipWithError("not shown at the intended scale");
        const QPixmap painted = kaart->grab();
        benchmark::DoNotOptimize(painted.cacheKey());
        // Closing the screen is not part of opening it.
        state.PauseTiming();
        kaart.reset();
        state.ResumeTiming();
    }
}

void OpenMapScreen(benchmark::State& state)
{
    openOn(state, QSize(2400, 1700), 2000);
}

// 980 pixels high leave 900 for the 1500-pixel picture.
void OpenMapScreenScaled(benchmark::State& state)
{
    openOn(state, QSize(1600, 980), 1200);
}

BENCHMARK(DecodeBitmapOnly)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(OpenMapScreen)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(OpenMapScreenScaled)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    folder() = dir.path();
    writeMap(folder());
    velmora::ProgramFolder::setPath(folder());
    const MetricReporter reporter = MetricReporter::run(argc, argv);
    MetricReporter::print("mapscreen_open_ratio",
                          reporter.nanoseconds("OpenMapScreen") / reporter.nanoseconds("DecodeBitmapOnly"),
                          "x");
    MetricReporter::print("mapscreen_open_ms", reporter.nanoseconds("OpenMapScreen") / 1e6, "ms");
    MetricReporter::print("mapscreen_open_scaled_ratio",
                          reporter.nanoseconds("OpenMapScreenScaled") / reporter.nanoseconds("OpenMapScreen"),
                          "x");
    return 0;
}
