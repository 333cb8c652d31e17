// Opening the map screen on a full map (500 items, a 2000 x 1500 24-bit
// bitmap), against only decoding the same bitmap, and on a screen that shows
// the map at 0.6 of its size against one that shows it whole; and a pupil
// moving the pointer from item to item in look mode, at both sizes.
#include "frmkaart.h"
#include "hotspot.h"
#include "keepmaximised.h"
#include "mapdrawing.h"
#include "metricreporter.h"
#include "plaatsen.h"
#include "programfolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr int Items = 500;
// The pointer goes round the first items, four rows of the map.
constexpr int HoverItems = 100;

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
    // Painted into one screen-sized image, as a window paints into its one backing store.
    QImage screen(window, QImage::Format_RGB32);
    for (auto _ : state) {
        auto kaart = std::make_unique<korvel::frmKaart>(plaatsen);
        kaart->resize(window);
        if (!kaart->open(korvel::QuizMode::Look, keuze))
            state.SkipWithError("cannot open");
        if (kaart->findChild<QWidget*>(QStringLiteral("Picture1"))->width() != shownWidth)
            state.SkipWithError("not shown at the intended scale");
        kaart->render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
        // Closing the screen is not part of opening it.
        state.PauseTiming();
        kaart.reset();
        state.ResumeTiming();
    }
}

// Counts every paint, so that a move that paints nothing fails the benchmark.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// One pointer move onto the next item's hotspot, through the window system,
// and the repaint it causes (the former name hidden, the new one shown).
void hoverOn(benchmark::State& state, QSize window, int shownWidth)
{
    velmora::Plaatsen plaatsen;
    const korvel::Keuze keuze{QStringLiteral("Anna"), QStringLiteral("Groot"), QStringLiteral("groot.krt"),
                              3};
    korvel::frmKaart kaart(plaatsen);
    // The offscreen screen is 800 x 600: the window keeps the size of the screen it stands for.
    delete kaart.findChild<velmora::KeepMaximised*>();
    kaart.resize(window);
    if (!kaart.open(korvel::QuizMode::Look, keuze)) {
        state.SkipWithError("cannot open");
        return;
    }
    kaart.show();
    if (!QTest::qWaitForWindowExposed(&kaart)) {
        state.SkipWithError("not shown");
        return;
    }
    QWidget* picture = kaart.findChild<QWidget*>(QStringLiteral("Picture1"));
    if (picture->width() != shownWidth) {
        state.SkipWithError("not shown at the intended scale");
        return;
    }
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    int item = 0;
    for (auto _ : state) {
        const QWidget* spot = kaart.drawing().hotSpot(item % HoverItems + 1);
        QTest::mouseMove(kaart.windowHandle(), spot->mapTo(&kaart, spot->rect().center()));
        QCoreApplication::processEvents();
        ++item;
    }
    if (counter.paints < item || !kaart.drawing().label((item - 1) % HoverItems + 1)->isVisible())
        state.SkipWithError("the move showed no name");
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

void HoverMapScreen(benchmark::State& state)
{
    hoverOn(state, QSize(2400, 1700), 2000);
}

void HoverMapScreenScaled(benchmark::State& state)
{
    hoverOn(state, QSize(1600, 980), 1200);
}

BENCHMARK(DecodeBitmapOnly)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(OpenMapScreen)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(OpenMapScreenScaled)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(HoverMapScreen)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(HoverMapScreenScaled)->Unit(benchmark::kMillisecond)->MinTime(1.0);

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
    MetricReporter::print("mapscreen_hover_ms", reporter.nanoseconds("HoverMapScreen") / 1e6, "ms");
    MetricReporter::print("mapscreen_hover_scaled_ms", reporter.nanoseconds("HoverMapScreenScaled") / 1e6,
                          "ms");
    return 0;
}
