#include "registerfiles.h"
#include "smartbase.h"
#include "testfolder.h"

#include <QtTest>

using namespace velmora;

using registerfiles::PupilHeader;

class TestSmartBase : public QObject
{
    Q_OBJECT

    QStringList notices;
    const QString file = QStringLiteral("leerling.sdb");

    // leerling.sdb holding these bytes, opened.
    SmartBase openPupils(const TestFolder& folder, const QByteArray& bytes)
    {
        folder.write(file, bytes);
        SmartBase db([this](const QString& m) { notices.append(m); });
        db.OpenDatabase(folder.file(file));
        return db;
    }

private Q_SLOTS:
    void cleanup() { QVERIFY(std::exchange(notices, {}).isEmpty()); }

    void readAddChangeRemove()
    {
        TestFolder folder;
        SmartBase db = openPupils(folder, PupilHeader + "     Anna");
        QCOMPARE(db.DatabaseTitle(), QStringLiteral("Leerlingendatabase"));
        QCOMPARE(db.FieldCount(), 2);
        QCOMPARE(db.FieldWidth(1), QStringLiteral("5"));
        QCOMPARE(db.FieldWidth(2), QStringLiteral("50"));
        // A record is never glued onto a line without its end.
        QVERIFY(!db.AddRecord(QStringLiteral("     Bram")));
        QVERIFY(!db.AddRecord(QStringLiteral("     Cas")));
        QCOMPARE(folder.read(file), PupilHeader + "     Anna\r\n     Bram\r\n     Cas\r\n");
        QCOMPARE(db.ListField(2),
                 QStringList({QStringLiteral("Anna"), QStringLiteral("Bram"), QStringLiteral("Cas")}));
        QCOMPARE(db.GetField(1, 1), QStringLiteral("     "));
        QVERIFY(!db.ChangeRecord(2, QStringLiteral("     Bas")));
        QCOMPARE(folder.read(file), PupilHeader + "     Anna\r\n     Bas\r\n     Cas\r\n");
        QVERIFY(!db.RemoveRecord(2));
        QCOMPARE(folder.read(file), PupilHeader + "     Anna\r\n     Cas\r\n");
        // Numbers that match no line change nothing; no scratch file is left behind.
        QVERIFY(!db.RemoveRecord(0));
        QVERIFY(!db.ChangeRecord(9, QStringLiteral("     X")));
        QCOMPARE(folder.read(file), PupilHeader + "     Anna\r\n     Cas\r\n");
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 1);
        // A line break would split the record in two; the code page holds no Ł.
        for (const QString& line : {QStringLiteral("     Łukasz"), QStringLiteral("     Anna\nBram")}) {
            for (const auto& error : {db.AddRecord(line), db.ChangeRecord(1, line)})
                QVERIFY(error && error->kind == DataError::Kind::NotEncodable);
        }
        // A field is cut at its width as read.
        folder.write(file, PupilHeader + "     " + QByteArray(60, 'x') + "\r\n");
        db.OpenDatabase(folder.file(file));
        QCOMPARE(db.GetField(1, 2), QString(50, u'x'));

        // The file vanished behind the program's back: nothing headerless is created.
        QFile::remove(folder.file(file));
        const auto error = db.AddRecord(QStringLiteral("     Cas"));
        QVERIFY(error && error->kind == DataError::Kind::Missing);
        QVERIFY(!folder.exists(file));
    }

    // As a text editor may save it: LF only, and a byte-order mark that is read past and kept.
    void ansiLfOnlyAndMarkedFilesRead()
    {
        TestFolder folder;
        SmartBase db = openPupils(
            folder, "\xEF\xBB\xBFLeerlingendatabase\n 2 \nId\n 5 \nNaam\n 50 \n     Zo\xeb\n\n     Ren\xe9"
                    "e");
        QCOMPARE(db.DatabaseTitle(), QStringLiteral("Leerlingendatabase"));
        // An empty line is a record, and the listing asks records 1 .. RecordCount as GetField would.
        QCOMPARE(db.RecordCount(), 2);
        QCOMPARE(db.ListField(2), QStringList({QStringLiteral("Zoë"), QString()}));
        QCOMPARE(db.GetField(3, 2), QStringLiteral("Renée"));
        QVERIFY(!db.ChangeRecord(1, QStringLiteral("     Zo\u00eb")));
        QCOMPARE(folder.read(file), "\xEF\xBB\xBF" + PupilHeader +
                                        "     Zo\xeb\r\n\r\n     Ren\xe9"
                                        "e\r\n");
    }

    void changeAndRemoveOnlyTheRecordTheCallerListed()
    {
        TestFolder folder;
        SmartBase db = openPupils(folder, PupilHeader + "     Anna\r\n     Bram\r\n     Cas\r\n");
        const auto listed = db.ListRecords(2);
        QCOMPARE(listed.size(), 3);
        QCOMPARE(listed[1].field, QStringLiteral("Bram"));
        QCOMPARE(listed[1].line, QStringLiteral("     Bram"));

        // Another program removes Anna: record 2 is now Cas, and nothing is written.
        const QByteArray meanwhile = PupilHeader + "     Bram\r\n     Cas\r\n";
        folder.write(file, meanwhile);
        for (const auto& error : {db.RemoveRecord(2, listed[1].line), db.RemoveRecord(3, listed[2].line),
                                  db.ChangeRecord(2, QStringLiteral("     Bas"), listed[1].line)})
            QVERIFY(error && error->kind == DataError::Kind::RecordChanged);
        QCOMPARE(folder.read(file), meanwhile);
        // Where the record still holds the line, the change goes ahead.
        QVERIFY(!db.ChangeRecord(1, QStringLiteral("     Bas"), listed[1].line));
        QCOMPARE(folder.read(file), PupilHeader + "     Bas\r\n     Cas\r\n");
    }

    void damagedFilesAreNeitherTrustedNorDestroyed()
    {
        TestFolder folder;
        const QByteArray truncated = "Leerlingendatabase\r\n 2 \r\nId\r\n 5 \r\n";
        SmartBase db = openPupils(folder, truncated);
        QCOMPARE(db.RecordCount(), 0);
        // Closing what is not open is said, not done.
        SmartBase closed([this](const QString& m) { notices.append(m); });
        closed.CloseDatabase();
        QCOMPARE(std::exchange(notices, {}), QStringList{QStringLiteral("Er staat geen database open")});
        QCOMPARE(db.FieldWidth(2), QString());
        const auto error = db.RemoveRecord(1);
        QVERIFY(error && error->kind == DataError::Kind::Malformed);
        QCOMPARE(folder.read(file), truncated);
        folder.write(file, "Leerlingendatabase\r\n twee \r\n");
        db.OpenDatabase(folder.file(file));
        QCOMPARE(db.FieldCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSmartBase)
#include "tst_smartbase.moc"
