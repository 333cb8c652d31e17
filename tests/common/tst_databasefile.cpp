#include "databasefile.h"
#include "programfolder.h"
#include "registerfiles.h"
#include "testfolder.h"

#include <QtTest>

using namespace velmora;

class TestDatabaseFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void createKeepsWhatIsNotADatabase()
    {
        TestFolder folder;
        const QString db = QStringLiteral("kaarten.sdb");
        const QList<DatabaseFile::Field> fields{{QStringLiteral("Kaartnaam"), 30},
                                                {QStringLiteral("Kaartbestand"), 50}};
        const QByteArray& fresh = registerfiles::MapHeader;
        const auto create = [&] {
            return std::get<DatabaseFile::Creation>(
                DatabaseFile::create(folder.file(db), QStringLiteral("Kaarten"), fields));
        };
        QVERIFY(create().created);
        QCOMPARE(folder.read(db), fresh);

        // A list a text editor saved with a byte-order mark is a list: it stays as it is.
        const QByteArray edited = "\xEF\xBB\xBF" + fresh + "Europa                        europa.krt\r\n";
        folder.write(db, edited);
        QVERIFY(!create().created);
        QCOMPARE(folder.read(db), edited);

        // Anything else is kept beside the new list, under a name not yet taken.
        for (const QString& kept : {QStringLiteral("kaarten-oud.sdb"), QStringLiteral("kaarten-oud-2.sdb")}) {
            folder.write(db, "Leerlingendatabase\r\n 2 \r\n");
            const DatabaseFile::Creation made = create();
            QVERIFY(made.created);
            QCOMPARE(made.notice,
                     QStringLiteral("Het bestand \"kaarten.sdb\" was geen lijst met de titel \"Kaarten\". "
                                    "Het is bewaard als \"%1\", zodat er niets verloren gaat.")
                         .arg(kept));
            QCOMPARE(folder.read(kept), QByteArray("Leerlingendatabase\r\n 2 \r\n"));
            QCOMPARE(folder.read(db), fresh);
        }

        const auto refused =
            DatabaseFile::create(folder.file(QStringLiteral("x.sdb")), QStringLiteral("Łódź"), {});
        QCOMPARE(std::get<DataError>(refused).kind, DataError::Kind::NotEncodable);
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
