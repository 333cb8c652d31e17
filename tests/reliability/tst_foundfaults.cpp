#include "mapfile.h"
#include "smartbase.h"
#include "testfolder.h"

#include <QBuffer>
#include <QtTest>

using namespace velmora;

// Faults the fuzzers and the failing-write tests found, each kept here with
// the bytes that showed it.
class TestFoundFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A map whose picture name holds a comma was saved unquoted and could
    // then never be opened again: the reader cut the name at the comma.
    void pictureNameWithACommaSurvivesASave()
    {
        const QList<Plaats> items{{1, QStringLiteral("s "), 1, 2, QStringLiteral("A")}};
        const auto formatted =
            MapFile::format(QStringLiteral("oude kaart, 1990.bmp"), items, QStringLiteral("k.krt"));
        QCOMPARE(std::get<QByteArray>(formatted),
                 QByteArray("\"oude kaart, 1990.bmp\"\r\n1 s 1    2    A\r\n"));
        QByteArray bytes = std::get<QByteArray>(formatted);
        QBuffer buffer(&bytes);
        const auto reread = MapFile::read(buffer, QStringLiteral("k.krt"));
        QCOMPARE(std::get<MapFile::Contents>(reread).picture, QStringLiteral("oude kaart, 1990.bmp"));
        QCOMPARE(std::get<MapFile::Contents>(reread).items, items);

        // Names the reader keeps as they are stay unquoted; blanks around a name need the quotes too.
        QCOMPARE(
            std::get<QByteArray>(MapFile::format(QStringLiteral("kaart.bmp"), {}, QStringLiteral("k.krt"))),
            QByteArray("kaart.bmp\r\n"));
        QCOMPARE(
            std::get<QByteArray>(MapFile::format(QStringLiteral(" kaart.bmp"), {}, QStringLiteral("k.krt"))),
            QByteArray("\" kaart.bmp\"\r\n"));

        TestFolder folder;
        QVERIFY(
            !MapFile::startNew(folder.file(QStringLiteral("nieuw.krt")), QStringLiteral("Kaart, oud.bmp")));
        QCOMPARE(folder.read(QStringLiteral("nieuw.krt")), QByteArray("\"Kaart, oud.bmp\"\r\n"));
        QCOMPARE(std::get<MapFile::Contents>(MapFile::readFile(QStringLiteral("nieuw.krt"))).picture,
                 QStringLiteral("Kaart, oud.bmp"));

        // A name that not even quotes bring back is refused, and nothing is written.
        const auto refused =
            MapFile::write(folder.file(QStringLiteral("nieuw.krt")), QStringLiteral("a\", b.bmp"), items);
        QVERIFY(refused.has_value());
        QCOMPARE(refused->kind, DataError::Kind::UnusableName);
        QCOMPARE(folder.read(QStringLiteral("nieuw.krt")), QByteArray("\"Kaart, oud.bmp\"\r\n"));
    }

    // A declared width below zero put the next field's start before the line:
    // reading past the start of the record line.
    void negativeFieldWidthIsNoUsableHeader()
    {
        TestFolder folder;
        const QByteArray bytes = "T\r\n 2 \r\nA\r\n -5 \r\nB\r\n 10 \r\nabcdef\r\n";
        folder.write(QStringLiteral("leerling.sdb"), bytes);
        SmartBase db([](const QString&) {});
        db.OpenDatabase(folder.file(QStringLiteral("leerling.sdb")));
        QCOMPARE(db.FieldCount(), 2);
        QCOMPARE(db.RecordCount(), 0);
        QCOMPARE(db.GetField(1, 2), QString());
        QCOMPARE(db.ListField(2), QStringList());
        QCOMPARE(db.FieldWidth(1), QString());
        const auto error = db.ChangeRecord(1, QStringLiteral("     Anna"));
        QVERIFY(error.has_value());
        QCOMPARE(error->kind, DataError::Kind::Malformed);
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), bytes);
    }
};

QTEST_GUILESS_MAIN(TestFoundFaults)
#include "tst_foundfaults.moc"
