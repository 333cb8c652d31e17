// Opening a full map (500 items, eight controls each) in the map editor, and
// removing its first item (499 items move one number down), against reading
// the same map file alone.
#include "dialogs.h"
#include "frmkaartedit.h"
#include "hotspot.h"
#include "mapfile.h"
#include "metricreporter.h"
#include "programfolder.h"
#include "smartbase.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

// Says Yes to the removal question.
class YesDialogs : public velmora::Dialogs
{
public:
    velmora::MessageAnswer message(const QString&, const QString&, velmora::MessageIcon,
                                   velmora::MessageButtons, velmora::MessageAnswer) override
    {
        return velmora::MessageAnswer::Yes;
    }
    QString input(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(const QString&, const QList<velmora::FileFilter>&) override { return {}; }
    QString saveFile(const QString&, const velmora::FileFilter&, const QString&) override { return {}; }
    std::unique_ptr<QPrinter> choosePrinter(QPageLayout::Orientation) override { return nullptr; }
};

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(QDir(velmora::ProgramFolder::path()).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write the benchmark map");
}

void writeFullMap()
{
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.save(QDir(velmora::ProgramFolder::path()).filePath(QStringLiteral("vol.bmp")), "BMP");
    QByteArray krt = "vol.bmp\r\n";
    for (int i = 0; i < 500; ++i) {
        const QByteArray top = QByteArray::number(200 + (i / 25) * 420).leftJustified(5, ' ');
        const QByteArray left = QByteArray::number(200 + (i % 25) * 450).leftJustified(5, ' ');
        krt +=
            QByteArray::number(1 + i % 3) + " s " + top + left + "Plaats " + QByteArray::number(i) + "\r\n";
    }
    writeFile(QStringLiteral("vol.krt"), krt);
    writeFile(QStringLiteral("kaarten.sdb"), "Kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\n"
                                             "Vol                           vol.krt\r\n");
}

velmora::SmartBase& database()
{
    static velmora::SmartBase db([](const QString&) {});
    return db;
}

void ReadMapFile(benchmark::State& state)
{
    for (auto _ : state) {
        auto read = velmora::MapFile::readFile(QStringLiteral("vol.krt"));
        if (!std::holds_alternative<velmora::MapFile::Contents>(read))
            state.SkipWithError("cannot read");
        benchmark::DoNotOptimize(read);
    }
}

void OpenFullMap(benchmark::State& state)
{
    for (auto _ : state) {
        korveladmin::frmKaartEdit editor(database(), 1, QStringLiteral("Vol"));
        if (!editor.load())
            state.SkipWithError("cannot open");
        QCoreApplication::sendPostedEvents();
    }
}

void RemoveFirstOfFull(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<korveladmin::frmKaartEdit>(database(), 1, QStringLiteral("Vol"));
        editor->load();
        editor->findChild<QPushButton*>(QStringLiteral("cmdRemove"))->click();
        auto* first = editor->findChild<velmora::HotSpot*>(QStringLiteral("HotSpot_1"));
        state.ResumeTiming();
        Q_EMIT first->clicked(Qt::LeftButton, false);
        state.PauseTiming();
        if (editor->state().AantPlaatsen() != 499)
            state.SkipWithError("nothing removed");
        editor.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

BENCHMARK(ReadMapFile)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(OpenFullMap)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(RemoveFirstOfFull)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    velmora::ProgramFolder::setPath(dir.path());
    writeFullMap();
    database().OpenDatabase(QDir(dir.path()).filePath(QStringLiteral("kaarten.sdb")));
    YesDialogs dialogs;
    velmora::Dialogs::install(&dialogs);
    const MetricReporter reporter = MetricReporter::run(argc, argv);
    MetricReporter::print("mapeditor_open_full_ms", reporter.nanoseconds("OpenFullMap") / 1e6, "ms");
    MetricReporter::print("mapeditor_open_vs_read_ratio",
                          reporter.nanoseconds("OpenFullMap") / reporter.nanoseconds("ReadMapFile"), "x");
    MetricReporter::print("mapeditor_remove_first_of_500_ms", reporter.nanoseconds("RemoveFirstOfFull") / 1e6,
                          "ms");
    velmora::Dialogs::install(nullptr);
    return 0;
}
