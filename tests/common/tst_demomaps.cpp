// The demo program folder that tools/run-demo puts beside the programs must be
// one a pupil can use: both registers, and maps readable by the map reader in the
// file form the editor would write. That every item can be clicked on a school's
// screen is checked through the pupil's map screen.
#include "mapfile.h"
#include "programfolder.h"
#include "smartbase.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QtTest>

using namespace velmora;

namespace {

struct DemoMap
{
    QString krt;
    QByteArray bytes;
    MapFile::Contents contents;
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDemoMaps : public QObject
{
    Q_OBJECT

    QList<DemoMap> m_maps;

private Q_SLOTS:
    void initTestCase()
    {
        const QDir demo(QStringLiteral(VELMORA_DEMO_DIR));
        // Read them as the programs do, from the program folder.
        ProgramFolder::setPath(demo.path());
        for (const QString& krt : demo.entryList({QStringLiteral("*.krt")}, QDir::Files, QDir::Name)) {
            DemoMap m{krt, fileBytes(demo.filePath(krt)), {}};
            const auto result = MapFile::readFile(krt);
            if (const auto* error = std::get_if<DataError>(&result))
                QFAIL(qPrintable(error->message()));
            m.contents = std::get<MapFile::Contents>(result);
            QVERIFY2(ProgramFolder::isBareName(m.contents.picture), qPrintable(m.contents.picture));
            const QString picturePath = ProgramFolder::locate(m.contents.picture);
            // A real Windows bitmap, not another format under a .bmp name.
            QVERIFY2(fileBytes(picturePath).startsWith("BM"), qPrintable(m.contents.picture));
            QVERIFY2(!QImage(picturePath).isNull(), qPrintable(m.contents.picture));
            m_maps.append(m);
        }
        QVERIFY(m_maps.size() >= 2);
    }

    void cleanupTestCase() { ProgramFolder::setPath(QString()); }

    void registersListPupilsAndEveryMap()
    {
        QStringList notices;
        SmartBase db([&](const QString& m) { notices.append(m); });
        db.OpenDatabase(ProgramFolder::pathFor(QStringLiteral("leerling.sdb")));
        QCOMPARE(db.DatabaseTitle(), QStringLiteral("Leerlingendatabase"));
        const QStringList pupils = db.ListField(2);
        QVERIFY(pupils.size() >= 5 && pupils.contains(QStringLiteral("Zo\u00eb")));
        db.OpenDatabase(ProgramFolder::pathFor(QStringLiteral("kaarten.sdb")));
        QCOMPARE(db.DatabaseTitle(), QStringLiteral("Kaarten"));
        QCOMPARE(db.ListField(1), QStringList({QStringLiteral("Nederland").leftJustified(30),
                                               QStringLiteral("Europa").leftJustified(30),
                                               QStringLiteral("Oefenkaart").leftJustified(30)}));
        for (const QString& krt : db.ListField(2))
            QVERIFY2(std::holds_alternative<MapFile::Contents>(MapFile::readFile(krt)), qPrintable(krt));
        QVERIFY(notices.isEmpty());
    }

    void filesAreWhatTheEditorWouldWrite()
    {
        for (const DemoMap& m : std::as_const(m_maps)) {
            const auto formatted = MapFile::format(m.contents.picture, m.contents.items, m.krt);
            QVERIFY(std::holds_alternative<QByteArray>(formatted));
            // Byte for byte: CR LF, fixed columns, level 1 first, trimmed names, Windows-1252.
            QCOMPARE(m.bytes, std::get<QByteArray>(formatted));
        }
    }
};

QTEST_GUILESS_MAIN(TestDemoMaps)
#include "tst_demomaps.moc"
