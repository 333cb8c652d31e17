#include "databasefile.h"
#include "programfolder.h"
#include "testfolder.h"

#include <QtTest>

using namespace velmora;

class TestDatabaseFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyDatabases()
    {
        TestFolder folder;
        QVERIFY(!DatabaseFile::createEmpty(folder.file(QStringLiteral("leerling.sdb")), QStringLiteral("Leerlingendatabase"),
                                           {{QStringLiteral("Id"), 5}, {QStringLiteral("Naam"), 50}}));
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")),
                 QByteArray("Leerlingendatabase\r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n"));
        // Replaces whatever was there.
        folder.write(QStringLiteral("kaarten.sdb"), "rubbish\r\nmore\r\n");
        QVERIFY(!DatabaseFile::createEmpty(folder.file(QStringLiteral("kaarten.sdb")), QStringLiteral("Kaarten"),
                                           {{QStringLiteral("Kaartnaam"), 30}, {QStringLiteral("Kaartbestand"), 50}}));
        QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")),
                 QByteArray("Kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\n"));

        const auto refused = DatabaseFile::createEmpty(folder.file(QStringLiteral("x.sdb")), QStringLiteral("Łódź"), {});
        QVERIFY(refused && refused->kind == DataError::Kind::NotEncodable);
        QVERIFY(!folder.exists(QStringLiteral("x.sdb")));
    }

    void spareMovedOnlyWhenDatabaseMissing()
    {
        TestFolder folder;
        const QString db = QStringLiteral("leerling.sdb");
        const QString spare = QStringLiteral("leerling.sd_");
        // Neither there: nothing happens.
        QVERIFY(!DatabaseFile::moveSpareIntoPlace(db, spare));
        QVERIFY(!folder.exists(db));

        // Both there: the spare stays a spare.
        folder.write(db, "real\r\n");
        folder.write(spare, "spare\r\n");
        QVERIFY(!DatabaseFile::moveSpareIntoPlace(db, spare));
        QCOMPARE(folder.read(db), QByteArray("real\r\n"));
        QCOMPARE(folder.read(spare), QByteArray("spare\r\n"));

        // A database named in other capitals counts as present.
        QVERIFY(QFile::rename(folder.file(db), folder.file(QStringLiteral("LEERLING.SDB"))));
        QVERIFY(!DatabaseFile::moveSpareIntoPlace(db, spare));
        QVERIFY(folder.exists(spare));

        // Missing: the spare is moved, not copied, also when it is named in capitals.
        QVERIFY(QFile::remove(folder.file(QStringLiteral("LEERLING.SDB"))));
        QVERIFY(QFile::rename(folder.file(spare), folder.file(QStringLiteral("Leerling.SD_"))));
        QVERIFY(!DatabaseFile::moveSpareIntoPlace(db, spare));
        QCOMPARE(folder.read(db), QByteArray("spare\r\n"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{db});
    }
};

QTEST_GUILESS_MAIN(TestDatabaseFile)
#include "tst_databasefile.moc"
